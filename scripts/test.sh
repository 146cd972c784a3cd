#!/usr/bin/env bash
# Runs all tests: installs what is missing, builds the 64-bit and the 32-bit program,
# checks that both build reproducibly, runs the test programs of the 64-bit build under
# Wine, then those of the 32-bit build under 32-bit Wine in an emulated i386 root
# (test-i686.sh). Arguments go to the 64-bit run's CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

"$root/scripts/build.sh" i686
"$root/scripts/build.sh" x86_64
# Two clean builds per target at other paths must give the same installer bytes.
"$root/scripts/check-reproducible.sh" all

build=$root/build/x86_64
# shellcheck source=/dev/null
. "$root/scripts/xvfb.sh"
cleanup() {
  WINEPREFIX=$build/wine /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  velmora_stop_xvfb "$build"
}
trap cleanup EXIT
[ -n "${DISPLAY:-}" ] || velmora_start_xvfb "$build"
# One wineserver for the whole run (a cold start costs every test program a second),
# started here together with Wine's background services by a first program, so that
# none of them holds CTest's pipes open.
(
  # shellcheck source=/dev/null
  . "$root/scripts/wine-env.sh" "$build"
  "$VELMORA_WINESERVER" -p </dev/null >/dev/null 2>&1 || true  # one may run already
  "$VELMORA_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
)

(cd "$build" && ctest --output-on-failure "$@")
"$root/scripts/test-i686.sh"
