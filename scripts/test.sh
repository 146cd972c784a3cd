#!/usr/bin/env bash
# Runs all tests: installs what is missing, builds the 32-bit and the 64-bit program,
# runs the test programs of the 64-bit build under Wine, then those of the 32-bit build
# under 32-bit Wine in an emulated i386 root (test-i686.sh), test programs side by side,
# and checks that both programs build reproducibly. Two jobs run in the background: the
# 32-bit bench is made (or checked) from the start, and the reproducibility check's clean
# builds run at the lowest priority from the end of the builds, taking what the test
# programs leave of the cores while they wait on timers and the display.
# Ends with the time of each stage and how busy the cores were in it. Arguments go to the
# 64-bit run's CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
began=$SECONDS
mkdir -p "$root/build"

stages=()
failed=
summary() {
  local s
  echo
  echo "== timing (seconds)"
  for s in "${stages[@]}"; do echo "$s"; done
  printf '%-20s %5d\n' total $((SECONDS - began))
  [ -z "$failed" ] || echo "FAILED: $failed (its output is the last one above)"
}
trap summary EXIT
# busy: the cores' busy and total time so far, in clock ticks (from /proc/stat).
busy() { awk '/^cpu / { print $2 + $3 + $4 + $7 + $8, $2 + $3 + $4 + $5 + $6 + $7 + $8 }' /proc/stat; }
# stage NAME COMMAND...: runs one stage and notes its time and how busy the cores were.
stage() {
  local name=$1 start=$SECONDS before after
  shift
  echo "== $name"
  before=$(busy)
  "$@" || {
    failed=$name
    stages+=("$(printf '%-20s %5d  failed' "$name" $((SECONDS - start)))")
    exit 1
  }
  after=$(busy)
  stages+=("$(printf '%-20s %5d  cores %s%% busy' "$name" $((SECONDS - start)) \
    "$(awk -v a="$before" -v b="$after" 'BEGIN { split(a, x, " "); split(b, y, " ")
      printf "%d", 100 * (y[1] - x[1]) / (y[2] - x[2] + (y[2] == x[2])) }')")")
}
# background NAME COMMAND...: runs a job beside the stages, its output to build/NAME.log.
declare -A pids
background() {
  local name=$1
  shift
  rm -f "$root/build/$name.seconds"
  (
    start=$SECONDS
    "$@"
    echo $((SECONDS - start)) >"$root/build/$name.seconds"
  ) >"$root/build/$name.log" 2>&1 &
  pids[$name]=$!
}
# joined NAME: waits for a background job and notes its time and how long it was waited for.
joined() {
  local name=$1 waited=$SECONDS
  wait "${pids[$name]}" || {
    cat "$root/build/$name.log"
    failed=$name
    exit 1
  }
  stages+=("$(printf '%-20s %5d  in the background, %d s waited for' "$name" \
    "$(cat "$root/build/$name.seconds")" $((SECONDS - waited)))")
}

stage set-up "$root/scripts/setup.sh"
# The bench waits mostly on the network.
background bench "$root/scripts/i386-root.sh"
builds() { "$root/scripts/build.sh" i686 && "$root/scripts/build.sh" x86_64; }
stage builds builds
# One clean build per target at another path must give the normal build's bytes.
background reproducibility nice -n 19 "$root/scripts/check-reproducible.sh" all
# Under Wine a test program waits on timers and on its display for over half its run:
# three per core keep the cores busy.
suite64() { (cd "$root/build/x86_64" && ctest --output-on-failure -j$(($(nproc) * 3)) "$@"); }
stage "64-bit suite" suite64 "$@"
joined bench
stage "32-bit suite" "$root/scripts/test-i686.sh"
joined reproducibility
tail -n +2 "$root/build/reproducibility.log" | grep -E 'identical|DIFFER|check of'
