#!/usr/bin/env bash
# Configures and builds the suite into ./build (extra arguments go to cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where one is installed, keeps rebuilds of several work trees short.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja "${launcher[@]}" "$@" >/dev/null

cmake --build build --parallel "$(nproc)"
