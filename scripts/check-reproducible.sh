#!/usr/bin/env bash
# Checks that the installer builds bit for bit the same wherever the sources and the
# build tree lie: for each target it brings the normal build (build/<target>, build.sh) up
# to date and makes one clean build of VelmoraSetup.exe from a copy of the sources at
# another path (build/repro/deeper/src) into build/repro/deeper/<target>, and compares the
# two programs byte for byte. No compiler cache takes part in the clean build, so nothing
# can hide a path that leaks into the output. Prints each program's SHA-256, size and the
# clean build's time; on a difference, the first differing offsets with the part of the
# file they lie in, and fails. Usage: check-reproducible.sh [x86_64|i686|all]   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
case $which in
  all) targets=(x86_64 i686) ;;
  x86_64 | i686) targets=("$which") ;;
  *) echo "usage: check-reproducible.sh [x86_64|i686|all]" >&2; exit 2 ;;
esac

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER

began=$(date +%s)
# The other source tree: this checkout as it is, without build trees and git's data.
other_src=$root/build/repro/deeper/src
rm -rf "$other_src"
mkdir -p "$other_src"
tar -C "$root" --exclude='./build*' --exclude=./.git --exclude=__pycache__ -cf - . | tar -xf - -C "$other_src"

# Debian's source packages are fetched once and handed to every build tree.
deps=$root/build/repro-deps
for package in zlib libdeflate; do "$root/scripts/fetch-source.sh" "$deps" "$package"; done

# build SOURCE TREE TARGET: a clean configure and build of the installer alone.
build() {
  rm -rf "$2"
  mkdir -p "$2/deps"
  cp -a "$deps/." "$2/deps/"
  cmake -S "$1" -B "$2" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF \
    -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER= \
    -DCMAKE_TOOLCHAIN_FILE="$1/cmake/toolchain-$3.cmake" >/dev/null
  cmake --build "$2" --target VelmoraSetup -- -j"$(nproc)" >"$2/build.log" 2>&1 || {
    cat "$2/build.log" >&2
    return 1
  }
}

status=0
for target in "${targets[@]}"; do
  a=$root/build/$target
  b=$root/build/repro/deeper/$target
  echo "== $target: the normal build and a clean one from another path"
  "$root/scripts/build.sh" "$target" >"$root/build/repro-$target.log" 2>&1 || {
    cat "$root/build/repro-$target.log" >&2
    exit 1
  }
  start=$(date +%s)
  build "$other_src" "$b" "$target"
  seconds=$(($(date +%s) - start))
  programs=("$a/app/VelmoraSetup.exe" "$b/app/VelmoraSetup.exe")
  for program in "${programs[@]}"; do
    printf '%s  %s bytes  %s\n' "$(sha256sum <"$program" | cut -d' ' -f1)" "$(stat -c %s "$program")" \
      "${program#"$root"/}"
  done
  echo "clean build: ${seconds}s"
  if cmp -s "${programs[0]}" "${programs[1]}"; then
    echo "$target: identical"
    continue
  fi
  status=1
  echo "$target: the two installers DIFFER"
  python3 "$root/scripts/pe-diff.py" "${programs[0]}" "${programs[1]}" || true
  for part in assets/payload.zip tools/payload/velmora_payload_application.exe tools/payload/velmora_payload_uninstaller.exe; do
    cmp -s "$a/$part" "$b/$part" || echo "  also differs: $part"
  done
done
echo "reproducibility check of ${targets[*]}: $(($(date +%s) - began))s"
exit $status
