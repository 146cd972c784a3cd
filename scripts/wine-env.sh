# Sourced by the scripts that run Windows programs: sets up the environment of the
# build tree's own Wine prefix. Usage: . scripts/wine-env.sh BUILD_DIR
# With VELMORA_WINE32=1 (set by wine32-run.sh) the prefix is a 32-bit one run by the
# i386 root's Wine.
velmora_build=$(cd "${1:?build dir}" && pwd)
velmora_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=$velmora_build/wine
export WINEDEBUG=${WINEDEBUG:--all}
# VELMORA_DLLOVERRIDES: more entries for one run (the DLL planting test sets "n,b" ones).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${VELMORA_DLLOVERRIDES:+;$VELMORA_DLLOVERRIDES}"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
# Wine links the user's desktop folder to $HOME/Desktop: give the prefix its own.
export HOME=$velmora_build/winehome
if [ "${VELMORA_WINE32:-}" = 1 ]; then
  # Only Wine's own programs go into the root: a shell under the emulator would cost it
  # about a second of start-up, several times for each program run.
  export WINEARCH=win32
  # The loader starts this server itself, natively, without the shell of Debian's wrapper.
  export WINESERVER=/usr/lib/wine/wineserver64
  VELMORA_WINE=$velmora_scripts/i386-wine.sh
  VELMORA_WINESERVER=$velmora_scripts/i386-wineserver.sh
else
  VELMORA_WINE=/usr/lib/wine/wine64
  VELMORA_WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$VELMORA_WINESERVER" ] || VELMORA_WINESERVER=/usr/bin/wineserver
fi
export VELMORA_WINE VELMORA_WINESERVER

# A display: the caller's, or an Xvfb kept for this build tree.
if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=/dev/null
  . "$velmora_scripts/xvfb.sh"
  velmora_start_xvfb "$velmora_build"
fi

"$velmora_scripts/wine-prefix.sh" "$velmora_build"

