#!/usr/bin/env bash
# Figures of the skinned wizard under Wine: a full repaint, a page switch, idle CPU with
# both animations playing, GDI and USER objects after repeated repaints and page switches;
# then the installer's size without its payload and pictures.
# Usage: bench-wizard.sh [REPAINTS] [SWITCHES] (default 10000 and 1000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
"$VELMORA_WINE" "$build/tools/bench_wizard.exe" "${1:-10000}" "${2:-1000}" | tr -d '\r'

# Code size: the installer without the embedded payload archive and pictures (each is
# embedded as its file's bytes behind an 8-byte count).
exe=$build/app/VelmoraSetup.exe
size=$(stat -c %s "$exe")
payload=$(stat -c %s "$build/assets/payload.zip")
pictures=0
for f in "$root"/assets/*.{png,jpg,gif,bmp}; do pictures=$((pictures + $(stat -c %s "$f") + 8)); done
echo "installer: $size bytes; without the payload ($payload) and the pictures ($pictures): $((size - payload - 8 - pictures)) bytes"
