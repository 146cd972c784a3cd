#!/usr/bin/env bash
# Builds the 64-bit tree and prints the median cost of one full repaint of each
# skinned control kind under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target bench_controls >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_controls.exe" 2>/dev/null
