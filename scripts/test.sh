#!/usr/bin/env bash
# Installs what is missing, builds what the tests run (the benchmarks and the
# libFuzzer tree are not built: scripts/bench.sh and scripts/fuzz.sh), runs
# every test headless, the fuzz corpora among them, and checks the sources'
# format.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DKORVANE_BENCH=OFF "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
bash scripts/format-check.sh
