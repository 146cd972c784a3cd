#!/usr/bin/env bash
# Makes the build tree's Wine prefix once: zh_CN locale (ANSI code page 936), the CJK
# font standing in for the Chinese system faces, no crash dialogs, services nothing here
# uses started on demand only, and a scratch folder of the build tree mapped as drive D:.
# Usage: wine-prefix.sh BUILD_DIR (environment from wine-env.sh; WINEARCH and the Wine
# binaries come from there).
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$build/wine
# Bump when the settings below change: existing prefixes then take them again.
version=5
ready=$prefix/.velmora-ready
[ "$(cat "$ready" 2>/dev/null)" = "$version" ] && exit 0

exec 9>"$build/.wine-prefix.lock"
flock 9
[ "$(cat "$ready" 2>/dev/null)" = "$version" ] && exit 0

export WINEPREFIX=$prefix HOME=$build/winehome LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME/Desktop" "$build/drive_d"
wine=${VELMORA_WINE:-/usr/lib/wine/wine64}
wineserver=${VELMORA_WINESERVER:-/usr/lib/wine/wineserver64}
[ -x "$wineserver" ] || wineserver=/usr/bin/wineserver

if [ ! -f "$prefix/system.reg" ]; then
  echo "wine-prefix: creating $prefix" >&2
  "$wine" wineboot -i >/dev/null 2>&1 || true
  "$wineserver" -w
fi

# The Song face's stand-in, with SimSun's line height (Debian's python, which has
# fontTools, whatever python3 comes first on the path).
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
/usr/bin/python3 "$(dirname "$0")/song-face.py" /usr/share/fonts/truetype/arphic/uming.ttc \
  "$fonts/velmora-song.ttf" "Velmora Song"

reg=$build/velmora-prefix.reg
{
  printf 'REGEDIT4\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  # The Song faces get a Ming face with the same half-width Latin and the same line
  # height; the Hei faces a sans face. Wine answers a GB2312 font request without a
  # face name from its default serif or sans face, so those are a Song face too.
  for face in 宋体 新宋体 SimSun NSimSun "Times New Roman" Arial; do
    printf '"%s"="Velmora Song"\r\n' "$face"
  done
  for face in 黑体 SimHei 微软雅黑 "Microsoft YaHei"; do
    printf '"%s"="WenQuanYi Zen Hei"\r\n' "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
  # Every session starts the services marked automatic, and each test program runs in a
  # session of its own: the event log's host and the two network drivers, which nothing
  # here uses, start on demand instead (under the emulator they cost seconds a program).
  for service in Eventlog NDIS nsiproxy; do
    printf '\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\%s]\r\n"Start"=dword:00000003\r\n' "$service"
  done
} | iconv -f UTF-8 -t GBK >"$reg"
"$wine" regedit "$reg" >/dev/null 2>&1
"$wineserver" -w

ln -sfn "$build/drive_d" "$prefix/dosdevices/d:"
echo "$version" >"$ready"
