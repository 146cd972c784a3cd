#!/usr/bin/env bash
# Makes the zh_CN.UTF-8 locale in a root folder: / for this machine, or the 32-bit bench's
# i386 root. Wine's ANSI code page follows the locale: zh_CN.UTF-8 gives 936 (GBK).
# Usage: zh-locale.sh ROOT   (needs root rights)
set -euo pipefail
root=${1:?root folder}
if [ "$(cd "$root" && pwd -P)" = / ]; then
  gen=/etc/locale.gen
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' "$gen"
  grep -q '^zh_CN.UTF-8 UTF-8' "$gen" || echo 'zh_CN.UTF-8 UTF-8' >>"$gen"
  locale-gen >/dev/null
else
  # This machine's localedef writes the root's locale archive natively: the archive is
  # the same byte for byte on both architectures, and the emulated one takes a minute.
  mkdir -p "$root/usr/lib/locale"
  localedef --prefix="$root" -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
