#!/usr/bin/env bash
# Installs everything the builds and tests need on a Debian 12 machine. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git libtsan2
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpango1.0-dev libpng-dev nettle-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-utils
  gnustep-devel gobjc++ libx11-dev libxtst6
  python3-fonttools fonts-dejavu-core fonts-wine fontconfig
  ansible-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
