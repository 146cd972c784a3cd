#!/usr/bin/env bash
# Builds the 64-bit tree and prints what picture panels cost under Wine: CPU time of a
# playing animation (shown and hidden) and a full paint of the page panel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target bench_panels >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_panels.exe" 2>/dev/null
