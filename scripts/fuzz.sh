#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz and runs each on
# its seed corpus.
#   bash scripts/fuzz.sh            a short, fixed number of runs per target (CI)
#   bash scripts/fuzz.sh SECONDS    each target for SECONDS (no run limit)
# A target's new inputs collect in build-fuzz/corpus/<target>, crashes in
# build-fuzz/crashes; the committed seeds are only read. Without clang and its
# libFuzzer runtime it says so and does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh fuzz || echo "fuzz: clang could not be installed"
runs=${FUZZ_RUNS:-4000}
seconds=${1:-}

if ! command -v clang++ >/dev/null ||
  ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - 2>/dev/null; then
  echo "fuzz: skipped, clang with its libFuzzer runtime is not installed"
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz --target korvane_fuzzers --parallel "$(nproc)"

if [ -n "$seconds" ]; then
  limit=(-max_total_time="$seconds")
else
  limit=(-runs="$runs")
fi
out=$PWD/build-fuzz
mkdir -p "$out/crashes"
# Inputs are written to files: keep them in memory where the machine allows.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
passed=0
failed=0
for seeds in "$PWD"/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work=$out/corpus/$target
  log=$out/$target.log
  mkdir -p "$work" "$out/run/$target"
  # Each target runs in an empty folder of its own (a file that appears there
  # is a finding). Leak detection stays on: a leak fails like a crash.
  if (cd "$out/run/$target" && "$out/fuzz/$target" "${limit[@]}" -max_len=16384 -timeout=30 \
    -rss_limit_mb=2048 -artifact_prefix="$out/crashes/$target-" "$work" "$seeds") >"$log" 2>&1; then
    echo "fuzz: $target: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second\(s\)' "$log" | tail -1)"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED (log: $log)"
    tail -40 "$log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
