#!/usr/bin/env bash
# Makes the zh_CN.UTF-8 locale in a root folder: / for this machine, or the 32-bit bench's
# i386 root. Wine's ANSI code page follows the locale: zh_CN.UTF-8 gives 936 (GBK).
# Usage: zh-locale.sh ROOT   (needs root rights)
set -euo pipefail
root=${1:?root folder}
gen=$root/etc/locale.gen
sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' "$gen"
grep -q '^zh_CN.UTF-8 UTF-8' "$gen" || echo 'zh_CN.UTF-8 UTF-8' >>"$gen"
if [ "$(cd "$root" && pwd -P)" = / ]; then
  locale-gen >/dev/null
else
  chroot "$root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin locale-gen >/dev/null
fi
