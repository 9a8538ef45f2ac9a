#!/usr/bin/env bash
# Builds the benchmark programs (bench/) into ./build and runs them:
#   bash scripts/bench.sh                  every benchmark program
#   bash scripts/bench.sh NAME [ARGS...]   the programs whose name holds NAME,
#                                          with Google Benchmark's ARGS
#                                          (--benchmark_repetitions=5, ...)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DKORVANE_BENCH=ON
filter=${1:-}
[ $# -gt 0 ] && shift
export QT_QPA_PLATFORM=offscreen
for program in build/bench/*Bench; do
  name=$(basename "$program")
  [[ -z "$filter" || "$name" == *"$filter"* ]] || continue
  echo "== $name"
  "$program" "$@"
done
