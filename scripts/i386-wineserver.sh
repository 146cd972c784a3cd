#!/usr/bin/env bash
# The wineserver of the i386 root's Wine (the release's 64-bit one, i386-root.sh), with the
# caller's environment (as i386-wine.sh).
exec chroot "$(dirname "$0")/../build/i386-root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin /usr/lib/wine/wineserver64 "$@"
