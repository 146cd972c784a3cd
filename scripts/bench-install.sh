#!/usr/bin/env bash
# Benchmark of the installation's file steps with the default payload, against native
# Info-ZIP unzip of the same archive into the same folder, against inflating every
# entry in memory alone under Wine (the inflate floor) and against writing files of the
# entries' sizes from memory (the write floor); prints medians, the ratios, the peak
# private memory of the installing process and the installer's size without its
# payload; each timed installation writes into a new folder, as the write floor does.
# Usage: bench-install.sh [RUNS] (default 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-9}
build=$root/build/x86_64
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$build" --target bench_install >/dev/null

# shellcheck source=/dev/null
. "$root/scripts/wine-session.sh" "$build"
drive=$build/drive_d
rm -rf "$drive/bench" && mkdir -p "$drive/bench"
out=$("$VELMORA_WINE" "$build/tools/bench_install.exe" 'D:\bench' "$runs" 'D:\bench\payload.zip')
out=${out//$'\r'/}
wine_ms=$(sed -n 's/^install median ms: //p' <<<"$out")
floor_ms=$(sed -n 's/^in-memory inflate median ms: //p' <<<"$out")
write_ms=$(sed -n 's/^write floor median ms: //p' <<<"$out")
peak=$(sed -n 's/^peak private bytes: //p' <<<"$out")
payload=$(sed -n 's/^payload bytes: //p' <<<"$out")

# The same archive, unpacked natively into the product folder the installer filled.
product=$(find "$drive/bench" -mindepth 1 -maxdepth 1 -type d | head -1)
native=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  unzip -o -q "$drive/bench/payload.zip" -d "$product"
  end=$(date +%s%N)
  native+=($(( (end - start) / 1000 )))
done
native_ms=$(printf '%s\n' "${native[@]}" | sort -n | awk -v n="$runs" 'NR == int(n / 2) + 1 { printf "%.1f", $1 / 1000 }')

exe=$build/app/VelmoraSetup.exe
echo "file steps under Wine (median of $runs): $wine_ms ms"
echo "native unzip -o -q (median of $runs):    $native_ms ms"
echo "in-memory inflate under Wine, one core (median of $runs): $floor_ms ms"
echo "ratio to native unzip: $(awk -v a="$wine_ms" -v b="$native_ms" 'BEGIN { printf "%.2f", a / b }') (target <= 0.4)"
echo "ratio to the in-memory floor: $(awk -v a="$wine_ms" -v b="$floor_ms" 'BEGIN { printf "%.2f", a / b }') (target <= 1.5)"
echo "write floor under Wine, the entries' sizes from memory (median of $runs): $write_ms ms"
echo "install / write floor: $(awk -v a="$wine_ms" -v b="$write_ms" 'BEGIN { printf "%.2f", a / b }') (target <= 1.25)"
echo "peak private memory of the installing process: $(awk -v p="$peak" 'BEGIN { printf "%.1f MB", p / 1048576 }') (target <= 24 MB)"
if [ -f "$exe" ]; then
  size=$(stat -c %s "$exe")
  echo "installer size without the payload: $((size - payload - 8)) bytes ($size - $payload - 8)"
fi
rm -f "$HOME/Desktop/Velmora写作.lnk"
rm -rf "$drive/bench"
