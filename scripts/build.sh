#!/usr/bin/env bash
# Configures and builds one target: build.sh x86_64|i686 [extra cmake -D options...]
# The tree goes to build/<target>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-x86_64}
shift || true
build=$root/build/$target
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$target.cmake" "$@" >/dev/null
elif [ $# -gt 0 ]; then
  cmake "$build" "$@" >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)"
