#!/usr/bin/env bash
# Runs a Windows program of the build tree under 64-bit Wine in the tree's own prefix.
# Usage: wine-run.sh BUILD_DIR [PROGRAM.exe [ARGS...]]
# Without a program it only makes the prefix; with "wineserver" as the program it runs
# the prefix's wineserver (say, wineserver -k to end everything running in it).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# No prefix made yet: no wineserver to talk to, and none worth making the prefix for.
[ "${2:-}" != wineserver ] || [ -f "$1/wine/.velmora-ready" ] || exit 0
# shellcheck source=/dev/null
. "$here/wine-env.sh" "$1"
shift
[ $# -gt 0 ] || exit 0
if [ "$1" = wineserver ]; then
  shift
  exec "$VELMORA_WINESERVER" "$@"
fi
exec "$VELMORA_WINE" "$@"
