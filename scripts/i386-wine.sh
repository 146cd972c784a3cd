#!/usr/bin/env bash
# 32-bit Wine's loader in the i386 root, with the caller's environment (wine-env.sh sets it
# up; i386-session.sh mounts what the root needs).
exec chroot "$(dirname "$0")/../build/i386-root" /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin /usr/lib/wine/wine "$@"
