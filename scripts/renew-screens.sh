#!/usr/bin/env bash
# Renews the reference pictures of the pixel tests (tests/screens): runs the programs that
# compare the screen with them, each picture is saved instead of compared, and every
# channel is cut to 16 levels, so the pictures stay small (the tests allow for it).
# Look at the new pictures before committing them. Usage: renew-screens.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
shots=$build/screens-renew
rm -rf "$shots"
mkdir -p "$shots"
(cd "$build" && VELMORA_RENEW_SCREENS="Z:${shots//\//\\}" ctest -R '^(app_wizard_test|skin_scenes_test)$' --output-on-failure)
for picture in "$shots"/*.png; do
  convert "$picture" +dither -posterize 16 -define png:compression-level=9 "PNG24:$root/tests/screens/$(basename "$picture")"
  echo "tests/screens/$(basename "$picture")"
done
