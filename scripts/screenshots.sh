#!/usr/bin/env bash
# Saves screenshots of the skinned wizard to build/x86_64/screens/: every page
# (page0.png ... page5.png), the folder browser, the empty-directory prompt and the
# box of a failed installation. The tour program shows each and the script photographs
# the screen (Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
# shellcheck source=/dev/null
. "$root/scripts/screen-shot.sh"
out=$build/screens
mkdir -p "$out"
rm -f "$out"/*.ready "$out"/page*.png "$out"/browser.png "$out"/emptydir.png "$out"/failure.png

"$VELMORA_WINE" "$build/tools/velmora_page_tour.exe" "Z:${out//\//\\}" &
tour=$!
for shot in page0 page1 page2 browser emptydir page3 failure page4 page5; do
  velmora_shoot "$out/$shot.ready" "$out/$shot.png" "$tour"
done
wait "$tour"
