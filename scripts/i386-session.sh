# Sourced by the scripts that run programs of the i686 tree on the 32-bit bench:
# . scripts/i386-session.sh BUILD_DIR makes the bench when it is missing (i386-root.sh),
# mounts what the root needs and keeps a display (wine-session.sh, whose exit trap also
# takes the mounts down again). Programs then run with
# scripts/wine32-run.sh BUILD_DIR PROGRAM.exe [ARGS...]. Needs root rights.
velmora_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
velmora_i386_build=$(cd "${1:?build dir}" && pwd)
velmora_i386=$velmora_top/build/i386-root
"$velmora_top/scripts/i386-root.sh" "$velmora_i386"

# The root sees the sources read-only and the i686 tree writable, at their own paths.
# /dev is a small tmpfs of its own, so nothing under the root reaches the machine's
# devices, and removing build/ while mounted can harm nothing outside it.
velmora_i386_mounts=()
velmora_mount_in() {  # velmora_mount_in TARGET MOUNT-ARGS...
  local target=$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  velmora_i386_mounts=("$target" "${velmora_i386_mounts[@]}")
}
velmora_unmount_i386() {
  local m
  for m in "${velmora_i386_mounts[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" || true; done
}
# shellcheck source=/dev/null
. "$velmora_top/scripts/wine-session.sh" "$velmora_i386_build" "$velmora_top/scripts/wine32-run.sh"
# shellcheck disable=SC2034  # run by wine-session.sh's exit trap
velmora_session_ends=(velmora_unmount_i386)
velmora_mount_in "$velmora_i386/proc" -t proc proc
velmora_mount_in "$velmora_i386/sys" -t sysfs -o ro sysfs
velmora_mount_in "$velmora_i386/dev" -t tmpfs -o mode=755,size=1m tmpfs
for velmora_node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
  IFS=: read -r velmora_name velmora_major velmora_minor <<<"$velmora_node"
  mknod -m 666 "$velmora_i386/dev/$velmora_name" c "$velmora_major" "$velmora_minor"
done
mkdir -m 1777 "$velmora_i386/dev/shm"
velmora_mount_in "$velmora_i386$velmora_top" --bind "$velmora_top"
mount -o remount,bind,ro "$velmora_i386$velmora_top"
velmora_mount_in "$velmora_i386$velmora_i386_build" --bind "$velmora_i386_build"
# The tree's prefix, made here as a first program would make it: the test programs copy it
# (wine-test.sh), each to run with a wineserver of its own.
"$velmora_top/scripts/wine32-run.sh" "$velmora_i386_build" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
"$velmora_top/scripts/wine32-run.sh" "$velmora_i386_build" wineserver -k 2>/dev/null || true
