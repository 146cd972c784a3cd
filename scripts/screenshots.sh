#!/usr/bin/env bash
# Saves screenshots of the skinned wizard to build/TARGET/screens/: every page
# (page0.png ... page5.png), the folder browser, the empty-directory prompt and the
# box of a failed installation. The tour program shows each and the script photographs
# the screen (Xvfb when there is no display). Usage: screenshots.sh [x86_64|i686]
# (i686: the 32-bit program on the 32-bit bench, see test-i686.sh; needs root rights).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-x86_64}
build=$root/build/$target
"$root/scripts/build.sh" "$target" >/dev/null
if [ "$target" = i686 ]; then
  # shellcheck source=/dev/null
  . "$root/scripts/i386-session.sh" "$build"
  run=("$root/scripts/wine32-run.sh" "$build")
else
  # shellcheck source=/dev/null
  . "$root/scripts/wine-session.sh" "$build"
  run=("$VELMORA_WINE")
fi
# shellcheck source=/dev/null
. "$root/scripts/screen-shot.sh"
out=$build/screens
mkdir -p "$out"
rm -f "$out"/*.ready "$out"/page*.png "$out"/browser.png "$out"/emptydir.png "$out"/failure.png

"${run[@]}" "$build/tools/velmora_page_tour.exe" "Z:${out//\//\\}" &
tour=$!
for shot in page0 page1 page2 browser emptydir page3 failure page4 page5; do
  velmora_shoot "$out/$shot.ready" "$out/$shot.png" "$tour"
done
wait "$tour"
