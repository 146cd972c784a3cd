#!/usr/bin/env bash
# Saves a screenshot of every page of the wizard to build/x86_64/screens/page0.png ...
# page5.png: the tour program shows each page and the script photographs the screen
# (Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
out=$build/screens
mkdir -p "$out"
rm -f "$out"/page*.ready "$out"/page*.png

"$VELMORA_WINE" "$build/tools/velmora_page_tour.exe" "Z:${out//\//\\}" &
tour=$!
for page in 0 1 2 3 4 5; do
  ready=$out/page$page.ready
  for _ in $(seq 300); do
    [ -s "$ready" ] && break
    kill -0 "$tour" 2>/dev/null || { echo "screenshots: the tour program ended early" >&2; exit 1; }
    sleep 0.1
  done
  read -r x y w h <"$ready"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/page$page.png"
  rm -f "$ready"
  echo "$out/page$page.png"
done
wait "$tour"
