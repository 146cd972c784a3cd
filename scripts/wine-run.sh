#!/usr/bin/env bash
# Runs a Windows program of the build tree under 64-bit Wine in the tree's own prefix.
# Usage: wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
. "$here/wine-env.sh" "$1"
shift
exec "$VELMORA_WINE" "$@"
