#!/usr/bin/env bash
# Installs what is missing, builds Pellon (Release) and starts it in a working folder of its own.
# The working folder (PELLON_WORK, default ~/PellonWork) is seeded from examples/ on first use, so a new
# user sees a real model at once; the shipped examples are copied, never opened in place.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$(id -u)" -eq 0 ]; then
  bash scripts/setup.sh
elif command -v sudo >/dev/null 2>&1; then
  sudo bash scripts/setup.sh
else
  echo "run.sh: not root and no sudo; assuming the packages of scripts/setup.sh are installed" >&2
fi

build="$root/build/release-run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)" --target Pellon

work="${PELLON_WORK:-$HOME/PellonWork}"
if [ ! -e "$work/Pellic.ini" ]; then
  mkdir -p "$work"
  for f in "$root"/examples/*; do
    [ -e "$work/$(basename "$f")" ] || cp "$f" "$work/"
  done
fi

cd "$work"
exec "$build/bin/Pellon"
