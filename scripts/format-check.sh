#!/usr/bin/env bash
# Checks the C++ sources against the committed .clang-format and names every
# file that differs.
#   bash scripts/format-check.sh         check (the test command runs this)
#   bash scripts/format-check.sh --fix   rewrite every file in place
#                                        (cmake --build build --target format)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
  echo "format: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print |
    sed 's|^\./||' | sort)
fi

if [ "${1:-}" = --fix ]; then
  printf '%s\0' "${files[@]}" | xargs -0 clang-format -i
  exit 0
fi

checked=("${files[@]}")
# clang-format names each differing file in "<file>:<line>:<col>: error: ...".
rc=0
report=$(printf '%s\0' "${checked[@]}" |
  xargs -0 -n 40 -P "$(nproc)" clang-format --dry-run -Werror 2>&1 >/dev/null) || rc=$?
mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$report" | sort -u)
if ((rc != 0)) && ((${#differ[@]} == 0)); then
  echo "format: clang-format failed:" >&2
  echo "$report" >&2
  exit 1
fi
if ((${#differ[@]})); then
  echo "format: these files differ from .clang-format (bash scripts/format-check.sh --fix):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
echo "format: ${#checked[@]} files match .clang-format"
