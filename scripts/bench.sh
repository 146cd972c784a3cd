#!/usr/bin/env bash
# Builds the 64-bit tree and one of the skin benchmarks in tools/ and prints its
# figures under Wine. Usage: bench.sh skin|frame|controls|dialogs|panels
#   skin      the median cost of a backdrop
#   frame     a full frame paint and a caption-button fade step
#   controls  one full repaint of each skinned control kind
#   dialogs   MessageBoxA to a fully faded-in skinned message box
#   panels    a playing animation's CPU time (shown and hidden) and a page panel's paint
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:?usage: bench.sh skin|frame|controls|dialogs|panels}
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target "bench_$name" >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_$name.exe" 2>/dev/null
