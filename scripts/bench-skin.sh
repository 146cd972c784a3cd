#!/usr/bin/env bash
# Builds the 64-bit tree and prints the median cost of a backdrop under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target bench_skin >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_skin.exe" 2>/dev/null
