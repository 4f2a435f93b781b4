#!/usr/bin/env bash
# Installs, as root on Debian 12, every package the project needs to build, run and test.
# Safe to run again: apt-get skips what is already installed, and nothing is printed then.
# Recommends are not installed, so each package the test command relies on is named here;
# scripts/fresh-check.sh proves the list on a freshly bootstrapped root.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build ccache pkg-config
  # clang builds the fuzzer; its libFuzzer and sanitizer runtimes (compiler-rt) come only as a
  # recommendation, and llvm-symbolizer (package llvm) turns sanitizer reports into file:line stacks.
  clang libclang-rt-dev llvm
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libosmesa6-dev libglu1-mesa-dev
  # The windows' fonts: Liberation for the faces the windows name, DejaVu Sans for the controls'
  # default face (fontconfig's sans-serif), which the windows' layout is measured in; the virtual X
  # display of the screenshot test and its authority file; the locale sources from which the
  # engine's decimal-comma test compiles de_DE.UTF-8.
  fonts-liberation2 fonts-dejavu-core xvfb xauth locales
  # Independent checks of the images the program writes: Pillow and giflib's tools decode its GIF
  # and BMP files; giflib's library and CGAL's triangulation are the benchmarks' peers.
  python3-pil giflib-tools libgif-dev libcgal-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
