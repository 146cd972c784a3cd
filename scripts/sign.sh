#!/usr/bin/env bash
# Signs an installer with Authenticode (SHA-256):
#   sign.sh IN.exe OUT.exe CERT.pem KEY.pem
#   sign.sh IN.exe OUT.exe BUNDLE.p12          (password in VELMORA_SIGN_PASSWORD, if any)
# The signing time is SOURCE_DATE_EPOCH when set, else the time of the sources' last
# commit, so signing the same bytes with the same key again gives the same file. No time
# stamp server is asked: its answer would differ from run to run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 3 ] || [ $# -gt 4 ]; then
  echo "usage: sign.sh IN.exe OUT.exe CERT.pem KEY.pem | sign.sh IN.exe OUT.exe BUNDLE.p12" >&2
  exit 2
fi
in=$1 out=$2

# le OFFSET COUNT: COUNT bytes of the input at OFFSET as one little-endian number.
le() { od -An -tu"$2" -j"$1" -N"$2" --endian=little "$in" | tr -d ' '; }
fail() { echo "sign.sh: $in: $1" >&2; exit 1; }
[ -f "$in" ] || fail "no such file"
[ "$(head -c2 "$in")" = MZ ] || fail "not a PE file (no MZ header)"
pe=$(le 60 4)
[ "$(od -An -c -j"$pe" -N4 "$in" | tr -d ' ')" = 'PE\0\0' ] || fail "not a PE file (no PE header)"
# The certificate table is data directory 4, past the COFF header and the optional
# header's fixed part (96 bytes in PE32, 112 in PE32+).
case $(le $((pe + 24)) 2) in
  267) directories=$((pe + 24 + 96)) ;;
  523) directories=$((pe + 24 + 112)) ;;
  *) fail "not a PE file (unknown optional header)" ;;
esac
[ "$(le $((directories + 4 * 8 + 4)) 4)" = 0 ] || fail "already signed; sign the unsigned build"

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  time=$SOURCE_DATE_EPOCH
else
  time=$(git -C "$root" log -1 --format=%ct)
fi
if [ $# = 4 ]; then
  key=(-certs "$3" -key "$4")
else
  key=(-pkcs12 "$3" -readpass -)
fi
rm -f "$out"
printf %s "${VELMORA_SIGN_PASSWORD:-}" |
  osslsigncode sign "${key[@]}" -h sha256 -n "Velmora码字 2.0" -time "$time" -in "$in" -out "$out" >/dev/null
echo "sign.sh: signed $out (signing time $time)"
