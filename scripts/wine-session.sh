# Sourced by the scripts that run Windows programs themselves (benchmarks, screenshots,
# the 32-bit bench's session): . scripts/wine-session.sh BUILD_DIR [RUNNER]
# Keeps a display (the caller's, or an Xvfb for the tree), and when the script exits stops
# what the session started: the prefix's wineserver (through RUNNER, wine-run.sh by
# default), the steps listed in velmora_session_ends (say, the bench's mounts), the Xvfb.
# With the default runner it also sets up the tree's Wine environment (wine-env.sh).
velmora_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
velmora_session_build=$(cd "${1:?build dir}" && pwd)
velmora_session_run=${2:-$velmora_scripts/wine-run.sh}
velmora_session_ends=()
velmora_session_xvfb=
# shellcheck source=/dev/null
. "$velmora_scripts/xvfb.sh"
velmora_end_session() {
  local step
  "$velmora_session_run" "$velmora_session_build" wineserver -k 2>/dev/null || true
  for step in "${velmora_session_ends[@]}"; do "$step"; done
  [ -z "$velmora_session_xvfb" ] || velmora_stop_xvfb "$velmora_session_build"
}
trap velmora_end_session EXIT
if [ -z "${DISPLAY:-}" ]; then
  velmora_start_xvfb "$velmora_session_build"
  velmora_session_xvfb=1
fi
if [ $# -lt 2 ]; then
  # shellcheck source=/dev/null
  . "$velmora_scripts/wine-env.sh" "$velmora_session_build"
fi
