#!/usr/bin/env bash
# Downloads Debian's zlib source package, which carries contrib/minizip, into DIR
# (the build tree's deps folder). The build compiles minizip from there.
set -euo pipefail
dir=${1:?usage: fetch-minizip.sh DIR}
mkdir -p "$dir"
if ls "$dir"/zlib-*/contrib/minizip/unzip.c >/dev/null 2>&1; then exit 0; fi
cd "$dir"
apt-get source --download-only -qq zlib >/dev/null 2>&1 || {
  echo "fetch-minizip: apt-get source zlib failed (run scripts/setup.sh first: it adds the deb-src entry)" >&2
  exit 1
}
tar xf zlib_*.orig.tar.*
