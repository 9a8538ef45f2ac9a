#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher on the sample archive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
suite=build/suite
if [ ! -x "$suite/Tovanel" ]; then
  echo "The suite is built in $suite; the launcher (Tovanel) is not built yet."
  exit 0
fi
# The launcher saves into the archive it opened: it works on a copy outside
# the source tree, so a Save never changes the committed sample.
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-run.XXXXXX")
sample="$work/sample.crx"
cp resources/samples/sample.crx "$sample"
echo "The launcher works on $sample."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$suite/Tovanel" "$sample"
fi
exec "$suite/Tovanel" "$sample"
