#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <("$here/packages.sh" machine)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_=""
[ "$(id -u)" = 0 ] || sudo_="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "setup: generating zh_CN.UTF-8"
  $sudo_ "$here/zh-locale.sh" /
fi

# minizip and libdeflate are not packaged for mingw; the build fetches Debian's source
# packages zlib and libdeflate, so apt needs a deb-src entry. It is made from the
# machine's own deb entries for this release (same URIs, components and key), in
# whichever format they are configured.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list \
  && ! grep -qs '^deb-src' /etc/apt/sources.list.d/*.list; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  entry=$("$here/apt-entry.sh" "$codename")
  if [ -z "$entry" ]; then
    echo "setup: no deb entry for $codename found to make a deb-src entry from" >&2
    exit 1
  fi
  echo "setup: adding deb-src entries for $codename"
  printf '%s\n' "$entry" | $sudo_ tee /etc/apt/sources.list.d/velmora-src.sources >/dev/null
  $sudo_ apt-get update -qq
fi
