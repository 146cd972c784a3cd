#!/usr/bin/env bash
# Runs all tests: installs what is missing, builds the 32-bit and the 64-bit program,
# checks that both build reproducibly, runs the test programs of the 64-bit build under
# Wine, then those of the 32-bit build under 32-bit Wine in an emulated i386 root
# (test-i686.sh), test programs side by side. The 32-bit bench is made
# (or checked) in the background from the start: it waits mostly on disk and network.
# Ends with the time of each stage. Arguments go to the 64-bit run's CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
began=$SECONDS
mkdir -p "$root/build"
bench_log=$root/build/i386-root.log

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
# stage NAME COMMAND...: runs one stage and notes its time.
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@" || {
    failed=$name
    stages+=("$(printf '%-20s %5d  failed' "$name" $((SECONDS - start)))")
    exit 1
  }
  stages+=("$(printf '%-20s %5d' "$name" $((SECONDS - start)))")
}

stage set-up "$root/scripts/setup.sh"
# The bench, while the builds and the 64-bit tests run; its output goes to a log.
bench_seconds=$root/build/i386-root.seconds
rm -f "$bench_seconds"
(
  start=$SECONDS
  "$root/scripts/i386-root.sh"
  echo $((SECONDS - start)) >"$bench_seconds"
) >"$bench_log" 2>&1 &
bench=$!
builds() { "$root/scripts/build.sh" i686 && "$root/scripts/build.sh" x86_64; }
stage builds builds
# One clean build per target at another path must give the normal build's bytes.
stage reproducibility "$root/scripts/check-reproducible.sh" all
# Under Wine a test program waits on timers and on its display for over half its run:
# three per core keep the cores busy.
suite64() { (cd "$root/build/x86_64" && ctest --output-on-failure -j$(($(nproc) * 3)) "$@"); }
stage "64-bit suite" suite64 "$@"
waited=$SECONDS
wait "$bench" || { cat "$bench_log"; failed=bench; exit 1; }
stages+=("$(printf '%-20s %5d  in the background, %d s waited for' bench "$(cat "$bench_seconds")" \
  $((SECONDS - waited)))")
stage "32-bit suite" "$root/scripts/test-i686.sh"
