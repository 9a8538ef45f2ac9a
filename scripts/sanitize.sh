#!/usr/bin/env bash
# Builds the suite with sanitizers and runs its tests under them:
#   bash scripts/sanitize.sh [gcc|clang]  every test under AddressSanitizer and
#                                          UndefinedBehaviorSanitizer (gcc unless
#                                          named; build in ./build-asan-<compiler>)
#   bash scripts/sanitize.sh thread       the archive, database-layer and platform
#                                          tests and the archive readers' fuzz
#                                          corpora under ThreadSanitizer (gcc; build
#                                          in ./build-tsan)
# Any report fails its test. KORVANE_JOBS sets the build and test jobs (all
# cores unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-gcc}
case "$mode" in
gcc | thread) cc=gcc cxx=g++ ;;
clang) cc=clang cxx=clang++ ;;
*)
  echo "usage: $0 [gcc|clang|thread]" >&2
  exit 2
  ;;
esac
case "$mode" in
clang) bash scripts/install-deps.sh fuzz ;;
thread) bash scripts/install-deps.sh thread ;;
*) bash scripts/install-deps.sh ;;
esac
jobs=${KORVANE_JOBS:-$(nproc)}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export QT_QPA_PLATFORM=offscreen

if [ "$mode" = thread ]; then
  dir=build-tsan
  # With line numbers in the reports. gcc, as clang does not link the
  # runtime into the shared libraries the build makes.
  CC=$cc CXX=$cxx cmake -S . -B "$dir" -G Ninja -DKORVANE_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}" >/dev/null
  # Only what runs: the build's own tools use Qt's thread pool, whose locks
  # the detector cannot see (Qt is not instrumented).
  cmake --build "$dir" --parallel "$jobs" --target quorvin_tests stroven_tests platform_tests \
    UnpackFuzzer ArchiveXmlFuzzer SchemaScriptFuzzer
  export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
  # The real file dialog gathers file details on a thread of Qt's own, out
  # of the detector's sight for the same reason.
  ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" --timeout 600 \
    -L '^(quorvin|stroven|platform)_tests$' -E '^FileChooser\.The(Real|Save)Dialog'
  ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" --timeout 600 \
    -R '^Fuzz\.(Unpack|ArchiveXml|SchemaScript)FuzzerCorpus$'
  exit 0
fi

dir=build-asan-$mode
# With line numbers in the reports.
CC=$cc CXX=$cxx cmake -S . -B "$dir" -G Ninja -DKORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build "$dir" --parallel "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" --timeout 600
