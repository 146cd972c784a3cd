#!/usr/bin/env bash
# Start-up benchmark under Wine: median time from process start to the installer's window
# shown on page 0, and the same for a minimal program that only shows an empty window
# (the floor). The two programs take turns, so that load from elsewhere hits both alike.
# Usage: bench-startup.sh [RUNS] (default 11).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-11}
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
timer=$build/tools/velmora_launch_timer.exe
programs=(app/VelmoraSetup.exe tools/velmora_empty_window.exe)
# A running wineserver, so that the figures are about the programs, not Wine's start.
"$VELMORA_WINE" "$timer" 1 "$build/${programs[1]}" >/dev/null

declare -A times
for _ in $(seq "$runs"); do
  for program in "${programs[@]}"; do
    ms=$("$VELMORA_WINE" "$timer" 1 "$build/$program" | tr -d '\r' | sed -n 's/^median: \(.*\) ms$/\1/p')
    times[$program]+="$ms "
  done
done
for program in "${programs[@]}"; do
  median=$(printf '%s\n' ${times[$program]} | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}')
  echo "$program: median ${median} ms to the window shown ($runs runs)"
done
