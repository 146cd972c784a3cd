#!/usr/bin/env bash
# Builds the 64-bit tree, runs each scene of the skin demo under Wine and saves a
# screenshot of its window to build/x86_64/screens/skin-SCENE[-modeN].png (the frame
# scene once per background mode). Usage: skin-screens.sh [SCENE...]
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

# Scenes and the background modes each is shown in.
if [ $# -gt 0 ]; then shots=("$@"); else shots=(frame:0 frame:1 frame:2 frame:3 frame:4 controls-range controls containers messagebox panels); fi

for shot in "${shots[@]}"; do
  scene=${shot%%:*}
  mode=3
  name=skin-$scene
  if [ "$shot" != "$scene" ]; then mode=${shot#*:}; name=$name-mode$mode; fi
  ready=$out/$name.ready
  rm -f "$ready"
  "$VELMORA_WINE" "$build/tools/skin_demo.exe" "$scene" "$mode" "Z:${ready//\//\\}" &
  demo=$!
  velmora_shoot "$ready" "$out/$name.png" "$demo"
  wait "$demo"
done
