#!/usr/bin/env bash
# Installs what is missing, builds, runs each fuzz target briefly and every
# test headless, and checks the sources' format.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh "$@"
# A short run of every fuzz target (skipped where clang cannot be had).
bash scripts/fuzz.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
bash scripts/format-check.sh
