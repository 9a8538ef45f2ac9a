#!/usr/bin/env bash
# Builds the suite with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test under them: bash scripts/sanitize.sh [gcc|clang]
# (gcc unless named; the build goes to ./build-asan-<compiler>). Any report
# fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=${1:-gcc}
case "$compiler" in
gcc) cc=gcc cxx=g++ ;;
clang) cc=clang cxx=clang++ ;;
*)
  echo "usage: $0 [gcc|clang]" >&2
  exit 2
  ;;
esac
if [ "$compiler" = clang ]; then
  bash scripts/install-deps.sh fuzz
else
  bash scripts/install-deps.sh
fi
dir=build-asan-$compiler
# With line numbers in the reports.
CC=$cc CXX=$cxx cmake -S . -B "$dir" -G Ninja -DKORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 600
