#!/usr/bin/env bash
# Builds the 64-bit tree and prints the median time from MessageBoxA to a fully faded-in
# skinned message box under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target bench_dialogs >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_dialogs.exe" 2>/dev/null
