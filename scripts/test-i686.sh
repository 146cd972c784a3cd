#!/usr/bin/env bash
# The 32-bit stage: builds the i686 program and runs its test programs under 32-bit Wine
# in the emulated i386 root (i386-root.sh makes it the first time, in about 5 minutes).
# Needs root rights for binfmt_misc, debootstrap, chroot and the mounts.
# Usage: test-i686.sh [CTEST ARGS...]   (say, -R app_ to run some of them)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build/i686
i386=$top/build/i386-root
"$top/scripts/setup.sh"
"$top/scripts/i386-root.sh" "$i386"
"$top/scripts/build.sh" i686

# The root sees the sources read-only and the i686 tree writable, at their own paths.
# /dev is a small tmpfs of its own, so nothing under the root reaches the machine's
# devices, and removing build/ while mounted can harm nothing outside it.
mounted=()
mount_in() {  # mount_in TARGET MOUNT-ARGS...
  local target=$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted=("$target" "${mounted[@]}")
}
# shellcheck source=/dev/null
. "$top/scripts/xvfb.sh"
finish() {
  chroot "$i386" /usr/bin/env WINEPREFIX="$build/wine" /usr/lib/wine/wineserver32 -k 2>/dev/null || true
  local m
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  velmora_stop_xvfb "$build"
}
trap finish EXIT
mount_in "$i386/proc" -t proc proc
mount_in "$i386/sys" -t sysfs -o ro sysfs
mount_in "$i386/dev" -t tmpfs -o mode=755,size=1m tmpfs
for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
  IFS=: read -r name major minor <<<"$node"
  mknod -m 666 "$i386/dev/$name" c "$major" "$minor"
done
mkdir -m 1777 "$i386/dev/shm"
mount_in "$i386$top" --bind "$top"
mount -o remount,bind,ro "$i386$top"
mount_in "$i386$build" --bind "$build"

[ -n "${DISPLAY:-}" ] || velmora_start_xvfb "$build"
# One wineserver for the whole run, started with Wine's services by a first program.
"$top/scripts/wine32-run.sh" "$build" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
cd "$build"
ctest --output-on-failure "$@"
