#!/usr/bin/env bash
# 32-bit Wine's server in the i386 root, with the caller's environment (as i386-wine.sh).
exec chroot "$(dirname "$0")/../build/i386-root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin /usr/lib/wine/wineserver32 "$@"
