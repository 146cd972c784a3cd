#!/usr/bin/env bash
# Runs the installer with its embedded default payload: installs what is missing,
# builds the 64-bit program and starts it under Wine in the build tree's own prefix
# (drive D: is build/x86_64/drive_d, the desktop is build/x86_64/winehome/Desktop).
# Without a display it runs under Xvfb and saves a screenshot of every page instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64
build=$root/build/x86_64

if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display; walking the wizard under Xvfb and saving page screenshots"
  exec "$root/scripts/screenshots.sh"
fi

# shellcheck source=/dev/null
. "$root/scripts/wine-env.sh" "$build"
"$VELMORA_WINE" "$build/app/VelmoraSetup.exe"
"$VELMORA_WINESERVER" -w
