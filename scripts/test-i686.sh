#!/usr/bin/env bash
# The 32-bit stage: builds the i686 program and runs its test programs under 32-bit Wine
# in the emulated i386 root (i386-session.sh; the first run makes the root, in about a
# minute). Needs root rights for binfmt_misc, chroot and the mounts.
# Usage: test-i686.sh [CTEST ARGS...]   (say, -R app_ to run some of them)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build/i686
"$top/scripts/setup.sh"
"$top/scripts/build.sh" i686
# shellcheck source=/dev/null
. "$top/scripts/i386-session.sh" "$build"
cd "$build"
# Under the emulator a test program keeps a core busy for most of its run: two per core
# fill the rest.
ctest --output-on-failure -j$(($(nproc) * 2)) "$@"
