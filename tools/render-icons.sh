#!/usr/bin/env bash
# Draws the game's icon, assets/kashikoro.svg (the picture to edit), as the PNG
# files the game loads at start, assets/icons/kashikoro-SIZE.png. Run it after
# changing the SVG and commit the PNGs with it; tst_icon fails while they
# differ from the SVG.
#
#   tools/render-icons.sh [build folder]     (build/ by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
sizes=(16 24 32 48 64 128 256)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target kashikoro-render-icons
"$build/bin/kashikoro-render-icons" "$root/assets/kashikoro.svg" "$root/assets/icons" "${sizes[@]}"
echo "assets/icons: ${sizes[*]}"
