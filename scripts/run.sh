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
sample=resources/samples/sample.crx
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$suite/Tovanel" "$sample"
fi
exec "$suite/Tovanel" "$sample"
