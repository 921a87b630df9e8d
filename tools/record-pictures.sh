#!/usr/bin/env bash
# Records every SVG picture the game shows (assets/hands/, assets/coins/,
# assets/prefectures/) as the picture file the game draws, NAME.qpic beside
# NAME.svg. Run it after changing an SVG and commit the .qpic files with it;
# tst_pictures fails while a .qpic differs from its SVG. Needs Qt SVG, which
# only this tool and the tests use; the game itself does not.
#
#   tools/record-pictures.sh [build folder]     (build/ by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target kashikoro-record-pictures
shopt -s nullglob
pictures=("$root"/assets/hands/*.svg "$root"/assets/coins/*.svg "$root"/assets/prefectures/*.svg)
"$build/bin/kashikoro-record-pictures" "${pictures[@]}"
echo "recorded ${#pictures[@]} pictures"
