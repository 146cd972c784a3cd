#!/usr/bin/env bash
# Prints the size figures of what the installer embeds, and the time to pack the default
# payload. Usage: bench-assets.sh [BUILD_DIR] [INSTALLER.exe]
# Given the installer executable, also prints its size without the payload archive.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x86_64}
installer=${2:-}
product_archive=16326377

size() { stat -c %s "$1"; }

pictures=0
for f in "$root"/assets/*.bmp "$root"/assets/*.jpg "$root"/assets/*.gif "$root"/assets/*.png; do
  pictures=$((pictures + $(size "$f")))
done
archive=$build/assets/payload.zip
app=$build/tools/payload/velmora_payload_application.exe
uninstaller=$build/tools/payload/velmora_payload_uninstaller.exe

printf 'embedded pictures:            %10d bytes (%d files)\n' "$pictures" "$(ls "$root"/assets/*.{bmp,jpg,gif,png} | wc -l)"
printf 'program icon (.ico):          %10d bytes\n' "$(size "$root/assets/velmora.ico")"
printf 'payload archive:              %10d bytes (product archive %d, ratio %s)\n' "$(size "$archive")" \
  "$product_archive" "$(awk -v a="$(size "$archive")" -v b=$product_archive 'BEGIN { printf "%.4f", a / b }')"
printf 'payload application program:  %10d bytes before padding\n' "$(size "$app")"
printf 'payload uninstaller program:  %10d bytes before padding\n' "$(size "$uninstaller")"

times=()
for _ in 1 2 3; do
  start=$(date +%s%N)
  "$build/assets/make_payload" build /tmp/velmora-bench-payload.zip "$app" "$uninstaller"
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
rm -f /tmp/velmora-bench-payload.zip
printf 'packing the payload (median): %10d ms\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)"

if [ -n "$installer" ]; then
  printf 'installer executable:         %10d bytes, %d without the payload\n' "$(size "$installer")" \
    "$(( $(size "$installer") - $(size "$archive") - 8 ))"
fi
