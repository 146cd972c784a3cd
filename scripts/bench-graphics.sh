#!/usr/bin/env bash
# Builds the graphics benchmark (64-bit) and runs it under Wine: prints the median cost of
# the skin's per-control paint through the wrappers and straight on the flat API.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
[ -f "$build/CMakeCache.txt" ] || "$root/scripts/build.sh" x86_64
cmake --build "$build" --target graphics_bench >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tests/graphics/graphics_bench.exe"
