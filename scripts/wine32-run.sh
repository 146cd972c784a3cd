#!/usr/bin/env bash
# Runs a Windows program of the i686 build tree under 32-bit Wine in the i386 root
# (i386-root.sh), in the tree's own 32-bit prefix, while i386-session.sh has it mounted
# and gives the display. BUILD_DIR may also be a folder inside the tree (a test program's
# sandbox, wine-test.sh). Usage: wine32-run.sh BUILD_DIR [PROGRAM.exe [ARGS...]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)/build/i386-root
build=$(cd "$1" && pwd)
shift
# Mounted, the folder is the same one inside the root.
if [ "$(stat -c %d:%i "$build")" != "$(stat -c %d:%i "$root$build" 2>/dev/null)" ]; then
  echo "wine32-run: $build is not mounted in $root; see scripts/i386-session.sh" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "wine32-run: no display; see scripts/i386-session.sh" >&2
  exit 1
fi
# Xvfb's abstract socket reaches into the root; the environment goes along as it is.
VELMORA_WINE32=1 exec "$here/wine-run.sh" "$build" "$@"
