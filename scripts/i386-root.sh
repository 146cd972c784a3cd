#!/usr/bin/env bash
# Makes the bench that runs the 32-bit program: this machine's kernel cannot start 32-bit
# Linux programs, so a 32-bit Wine runs in an i386 Debian root under qemu's user-mode
# emulator, registered with binfmt_misc. Safe to run again: each step is done once.
# Usage: i386-root.sh [ROOT]   (default build/i386-root; needs root rights)
#
# - qemu-i386 comes from the release's backports suite (the release's own qemu starts a
#   Wine process in minutes and crashes in Wine's services); only its binary is taken,
#   out of the package, into build/qemu.
# - It is registered with the F flag: the kernel opens it once, so it runs inside the
#   root without being copied there.
# - The root is a minimal debootstrap with the packages of the [i386-root] section of
#   packages.txt (Wine, the CJK fonts) and zh_CN.UTF-8.
# - Its Wine is served by the release's 64-bit wineserver of the same version, which runs
#   natively (with the amd64 libc beside it) where an emulated one would handle every
#   request of every program under the emulator. It is the server Debian's own wrapper
#   picks when both are installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
root=${1:-$top/build/i386-root}
qemu_dir=$top/build/qemu
# Bump when the steps below change: an existing root then takes them again.
version=2
ready=$root/.velmora-ready
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
started=$SECONDS

# The archive this machine is configured with; no host name is kept anywhere else.
archive_stanza() { "$here/apt-entry.sh" --type deb "$@" "$codename" | awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1'; }
mirror=$(archive_stanza | sed -n 's/^URIs: *\([^ ]*\).*/\1/p')
keyring=$(archive_stanza | sed -n 's/^Signed-By: *//p')
[ -n "$mirror" ] || { echo "i386-root: no deb entry for $codename is configured" >&2; exit 1; }

# fetch_debs DIR SUITE PACKAGE...: downloads amd64 packages of the archive's SUITE into
# DIR through a private apt configuration, leaving the machine's own apt state alone.
fetch_debs() {
  local dir=$1 suite=$2
  shift 2
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  archive_stanza --suite "$suite" >"$dir/archive.sources"
  local opts=(-o Dir::Etc::SourceList="$dir/archive.sources" -o Dir::Etc::SourceParts=/nonexistent
    -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o APT::Sandbox::User=root
    -o APT::Architecture=amd64)
  apt-get -qq "${opts[@]}" update
  (cd "$dir" && apt-get -qq "${opts[@]}" download "$@")
}

# 1. qemu-i386 from backports.
qemu=$qemu_dir/qemu-i386
if [ ! -x "$qemu" ]; then
  echo "i386-root: fetching qemu-i386 from $codename-backports" >&2
  fetch_debs "$qemu_dir/apt" "$codename-backports" qemu-user
  dpkg-deb --fsys-tarfile "$qemu_dir"/apt/qemu-user_*.deb | tar -x -C "$qemu_dir" ./usr/bin/qemu-i386
  mv "$qemu_dir/usr/bin/qemu-i386" "$qemu"
  rm -rf "$qemu_dir/usr" "$qemu_dir/apt"
fi

# 2. i386 ELF programs go to it.
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
entry=$binfmt/velmora-i386
if ! grep -qx "interpreter $qemu" "$entry" 2>/dev/null; then
  [ -e "$entry" ] && echo -1 >"$entry"
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":velmora-i386:M::$magic:$mask:$qemu:F" >"$binfmt/register"
fi

[ "$(cat "$ready" 2>/dev/null)" = "$version" ] && exit 0

# 3. The root itself.
if [ ! -x "$root/usr/bin/apt-get" ] || [ ! -f "$root/.velmora-bootstrapped" ]; then
  echo "i386-root: bootstrapping an i386 $codename into $root" >&2
  rm -rf --one-file-system "$root"
  debootstrap --arch=i386 --variant=minbase ${keyring:+--keyring="$keyring"} \
    "$codename" "$root" "$mirror" >"$top/build/i386-debootstrap.log" 2>&1 \
    || { tail -20 "$top/build/i386-debootstrap.log" >&2; exit 1; }
  touch "$root/.velmora-bootstrapped"
fi

echo "i386-root: installing Wine, fonts and locales in the root" >&2
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
mapfile -t pkgs < <("$here/packages.sh" i386-root)
chroot "$root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive /bin/sh -ec '
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null
  apt-get clean' sh "${pkgs[@]}"
"$here/zh-locale.sh" "$root"

# 4. The 64-bit wineserver of the root's Wine version, with the amd64 loader and libc.
echo "i386-root: taking the 64-bit wineserver into the root" >&2
installed() { dpkg-query --admindir="$root/var/lib/dpkg" -W -f '${Version}' "$1:i386"; }
debs=$top/build/i386-debs
rm -rf "$debs"
fetch_debs "$debs" "$codename" "wine64=$(installed wine32)" "libc6=$(installed libc6)"
dpkg-deb --fsys-tarfile "$debs"/wine64_*.deb | tar -x -C "$root" ./usr/lib/wine/wineserver64
dpkg-deb --fsys-tarfile "$debs"/libc6_*.deb | tar -x --keep-directory-symlink -C "$root" ./lib64 \
  ./lib/x86_64-linux-gnu/libc.so.6 ./lib/x86_64-linux-gnu/ld-linux-x86-64.so.2
rm -rf "$debs"
chroot "$root" /usr/lib/wine/wineserver64 --version >/dev/null 2>&1
echo "$version" >"$ready"
echo "i386-root: ready in $((SECONDS - started)) s, $(du -sh --one-file-system "$root" | cut -f1)" >&2
