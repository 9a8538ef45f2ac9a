#!/usr/bin/env bash
# Installs what the suite needs to build and test on Debian 12. Quick when
# everything is already there. "fuzz" adds clang and its sanitizer and
# libFuzzer runtimes (scripts/fuzz.sh, scripts/sanitize.sh clang); "thread"
# gcc's ThreadSanitizer runtime (scripts/sanitize.sh thread).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libsqlite3-dev sqlite3 libarchive-dev tar bzip2 lbzip2 libxml2-dev
  libgtest-dev libgmock-dev libbenchmark-dev libbz2-dev
  xvfb xauth xdotool python3
  libxml2-utils clang-format
)
case "${1:-}" in
fuzz) packages+=(clang libclang-rt-dev) ;;
thread) packages+=(libtsan2) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
