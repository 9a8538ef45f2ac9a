#!/usr/bin/env bash
# Configures and builds the suite into ./build (extra arguments go to cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where one is installed, keeps rebuilds of several work trees short.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja "${launcher[@]}" "$@" >/dev/null

# With Ninja, Qt's automoc step reruns only when a header it already knew
# changes, so a header that a merge adds is never scanned and its class has
# no meta-object. The step's info file changes with the source list: when it
# is newer than the step's time stamp, drop the stamp so the step runs.
find build -path '*/CMakeFiles/*_autogen.dir/AutogenInfo.json' -print0 |
  while IFS= read -r -d '' info; do
    target=$(basename "$(dirname "$info")" .dir)
    stamp="$(dirname "$(dirname "$(dirname "$info")")")/$target/timestamp"
    if [ -f "$stamp" ] && [ "$info" -nt "$stamp" ]; then rm -f "$stamp"; fi
  done

cmake --build build --parallel "$(nproc)"
