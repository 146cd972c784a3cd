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
out=$build/screens
mkdir -p "$out"
rm -f "$out"/*.ready "$out"/page*.png "$out"/browser.png "$out"/emptydir.png "$out"/failure.png

"$VELMORA_WINE" "$build/tools/velmora_page_tour.exe" "Z:${out//\//\\}" &
tour=$!
for shot in page0 page1 page2 browser emptydir page3 failure page4 page5; do
  ready=$out/$shot.ready
  for _ in $(seq 300); do
    [ -s "$ready" ] && break
    kill -0 "$tour" 2>/dev/null || { echo "screenshots: the tour program ended early" >&2; exit 1; }
    sleep 0.1
  done
  read -r x y w h <"$ready"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$shot.png"
  rm -f "$ready"
  echo "$out/$shot.png"
done
wait "$tour"
