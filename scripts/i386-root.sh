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
# - The root is a minimal Debian with the packages of the [i386-root] section of
#   packages.txt (Wine, the CJK fonts) and zh_CN.UTF-8 (zh-locale.sh), unpacked natively.
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
version=4
ready=$root/.velmora-ready
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
started=$SECONDS

# The archive this machine is configured with; no host name is kept anywhere else.
archive_stanza() { "$here/apt-entry.sh" --type deb "$@" "$codename" | awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1'; }
mirror=$(archive_stanza | sed -n 's/^URIs: *\([^ ]*\).*/\1/p')
keyring=$(archive_stanza | sed -n 's/^Signed-By: *//p')
[ -n "$mirror" ] || { echo "i386-root: no deb entry for $codename is configured" >&2; exit 1; }

# A private apt configuration in DIR for ARCH packages of the archive's SUITE, leaving the
# machine's own apt state alone: apt_in DIR SUITE ARCH sets apt_opts and updates its lists.
apt_in() {
  local dir=$1 suite=$2 arch=$3
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  archive_stanza --suite "$suite" >"$dir/archive.sources"
  : >"$dir/status"
  apt_opts=(-o Dir::Etc::SourceList="$dir/archive.sources" -o Dir::Etc::SourceParts=/nonexistent
    -o Dir::State::Lists="$dir/lists" -o Dir::State::status="$dir/status" -o Dir::Cache="$dir/cache"
    -o APT::Sandbox::User=root -o APT::Architecture="$arch" -o APT::Architectures::="$arch"
    -o APT::Install-Recommends=false)
  apt-get -qq "${apt_opts[@]}" update
}
# fetch_debs DIR SUITE PACKAGE...: downloads those amd64 packages alone into DIR.
fetch_debs() {
  local dir=$1
  apt_in "$dir" "$2" amd64
  shift 2
  (cd "$dir" && apt-get -qq "${apt_opts[@]}" download "$@")
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

# 2. i386 ELF programs go to it. An entry made by another checkout stays when its qemu is
# this one: replacing it would fail the programs it starts meanwhile.
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
entry=$binfmt/velmora-i386
registered=$(sed -n 's/^interpreter //p' "$entry" 2>/dev/null || true)
if ! grep -qx enabled "$entry" 2>/dev/null || ! cmp -s "$registered" "$qemu"; then
  [ -e "$entry" ] && echo -1 >"$entry"
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":velmora-i386:M::$magic:$mask:$qemu:F" >"$binfmt/register"
fi

[ "$(cat "$ready" 2>/dev/null)" = "$version" ] && exit 0

# 3. The root itself: the packages of a minimal Debian (those the release marks required
# or essential, as a minimal bootstrap takes them) and those of the [i386-root] section,
# resolved and fetched by this machine's apt for i386 and unpacked natively. Emulated,
# a bootstrap and the root's own apt unpacked and configured them for about 400 CPU
# seconds; here only ldconfig and fc-cache run in the root. The package scripts' other
# effects that the bench needs are made below; the root keeps no package database.
# Nothing must be mounted in a root that is removed: a bind mount of this checkout lies on
# the same file system and would be emptied with it.
if grep -q " $root/" /proc/mounts; then
  echo "i386-root: $root is in use (mounted in it: $(grep -c " $root/" /proc/mounts)); end its sessions first" >&2
  exit 1
fi
echo "i386-root: unpacking an i386 $codename with Wine and fonts into $root" >&2
rm -rf --one-file-system "$root"
debs=$top/build/i386-debs
rm -rf "$debs"
apt_in "$debs" "$codename" i386
mapfile -t required < <(apt-get indextargets "${apt_opts[@]}" --format '$(FILENAME)' 'Created-By: Packages' |
  xargs /usr/lib/apt/apt-helper cat-file |
  awk 'BEGIN { RS = ""; FS = "\n" } /\nPriority: required/ || /\nEssential: yes/ { sub(/^Package: /, "", $1); print $1 }')
mapfile -t pkgs < <("$here/packages.sh" i386-root)
# usr-is-merged, as a bootstrap chooses it: the root's /bin, /sbin and /lib are links.
apt-get -qq -y "${apt_opts[@]}" --download-only install "${required[@]}" usr-is-merged "${pkgs[@]}" >/dev/null
mkdir -p "$root/usr/bin" "$root/usr/sbin" "$root/usr/lib" "$root/proc" "$root/sys" "$root/dev" "$root/tmp"
chmod 1777 "$root/tmp"
for dir in bin sbin lib; do ln -s "usr/$dir" "$root/$dir"; done
for deb in "$debs"/cache/archives/*.deb; do
  dpkg-deb --fsys-tarfile "$deb" | tar -x --keep-directory-symlink -C "$root"
done
version_of() { dpkg-deb -f "$debs"/cache/archives/"$1"_*.deb Version; }
wine_version=$(version_of wine32) libc_version=$(version_of libc6)
rm -rf "$debs"
# What the package scripts would have made: the system's users and groups and name
# service order, UTC as the time zone, fontconfig's default hinting and bitmap choices,
# and Wine's built-in zlib1.dll (the MinGW DLL marked as a Wine built-in).
cp "$root/usr/share/base-passwd/passwd.master" "$root/etc/passwd"
cp "$root/usr/share/base-passwd/group.master" "$root/etc/group"
cp "$root/usr/share/libc-bin/nsswitch.conf" "$root/etc/nsswitch.conf"
ln -sfn /usr/share/zoneinfo/Etc/UTC "$root/etc/localtime"
echo Etc/UTC >"$root/etc/timezone"
for conf in 10-hinting-slight.conf 70-no-bitmaps.conf; do
  ln -sfn "/usr/share/fontconfig/conf.avail/$conf" "$root/etc/fonts/conf.d/$conf"
done
for arch in i686:i386 x86_64:x86_64; do
  dll=$root/usr/${arch%:*}-w64-mingw32/lib/zlib1.dll
  {
    head -c 64 "$dll"
    printf 'Wine builtin DLL\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    tail -c +97 "$dll"
  } >"$root/usr/lib/i386-linux-gnu/wine/${arch#*:}-windows/zlib1.dll"
done
chroot "$root" /sbin/ldconfig
chroot "$root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin fc-cache -s -f
"$here/zh-locale.sh" "$root"

# 4. The 64-bit wineserver of the root's Wine version, with the amd64 loader and libc.
echo "i386-root: taking the 64-bit wineserver into the root" >&2
fetch_debs "$debs" "$codename" "wine64=$wine_version" "libc6=$libc_version"
dpkg-deb --fsys-tarfile "$debs"/wine64_*.deb | tar -x -C "$root" ./usr/lib/wine/wineserver64
dpkg-deb --fsys-tarfile "$debs"/libc6_*.deb | tar -x --keep-directory-symlink -C "$root" ./lib64 \
  ./lib/x86_64-linux-gnu/libc.so.6 ./lib/x86_64-linux-gnu/ld-linux-x86-64.so.2
rm -rf "$debs"
chroot "$root" /usr/lib/wine/wineserver64 --version >/dev/null 2>&1
echo "$version" >"$ready"
echo "i386-root: ready in $((SECONDS - started)) s, $(du -sh --one-file-system "$root" | cut -f1)" >&2
