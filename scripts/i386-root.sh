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
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
root=${1:-$top/build/i386-root}
qemu_dir=$top/build/qemu
# Bump when the steps below change: an existing root then takes them again.
version=1
ready=$root/.velmora-ready
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
started=$SECONDS

# The archive this machine is configured with; no host name is kept anywhere else.
archive_stanza() { "$here/apt-entry.sh" --type deb "$@" "$codename" | awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1'; }
mirror=$(archive_stanza | sed -n 's/^URIs: *\([^ ]*\).*/\1/p')
keyring=$(archive_stanza | sed -n 's/^Signed-By: *//p')
[ -n "$mirror" ] || { echo "i386-root: no deb entry for $codename is configured" >&2; exit 1; }

# 1. qemu-i386 from backports, through a private apt configuration.
qemu=$qemu_dir/qemu-i386
if [ ! -x "$qemu" ]; then
  echo "i386-root: fetching qemu-i386 from $codename-backports" >&2
  apt_dir=$qemu_dir/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  archive_stanza --suite "$codename-backports" >"$apt_dir/backports.sources"
  apt_opts=(-o Dir::Etc::SourceList="$apt_dir/backports.sources" -o Dir::Etc::SourceParts=/nonexistent
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User=root)
  apt-get -qq "${apt_opts[@]}" update
  (cd "$apt_dir" && apt-get -qq "${apt_opts[@]}" download qemu-user)
  dpkg-deb --fsys-tarfile "$apt_dir"/qemu-user_*.deb | tar -x -C "$qemu_dir" ./usr/bin/qemu-i386
  mv "$qemu_dir/usr/bin/qemu-i386" "$qemu"
  rm -rf "$qemu_dir/usr" "$apt_dir"
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
echo "$version" >"$ready"
echo "i386-root: ready in $((SECONDS - started)) s, $(du -sh --one-file-system "$root" | cut -f1)" >&2
