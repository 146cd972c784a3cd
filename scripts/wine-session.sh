# Sourced by the scripts that run Windows programs themselves (benchmarks, screenshots):
# . scripts/wine-session.sh BUILD_DIR sets up the tree's Wine environment (wine-env.sh)
# and, when the script exits, stops what it started: the prefix's wineserver, and the
# Xvfb when there was no display.
velmora_had_display=${DISPLAY:-}
# shellcheck source=/dev/null
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "${1:?build dir}"
velmora_end_wine_session() {
  "$VELMORA_WINESERVER" -k 2>/dev/null || true
  [ -n "$velmora_had_display" ] || velmora_stop_xvfb "$velmora_build"
}
trap velmora_end_wine_session EXIT
