#!/usr/bin/env bash
# Downloads a Debian source package and unpacks its upstream tarball into DIR (the
# build tree's deps folder); the build compiles what it needs from there (minizip from
# zlib's contrib folder, libdeflate's decompressor). Usage: fetch-source.sh DIR PACKAGE
set -euo pipefail
dir=${1:?usage: fetch-source.sh DIR PACKAGE}
package=${2:?usage: fetch-source.sh DIR PACKAGE}
mkdir -p "$dir"
if compgen -G "$dir/$package-*/" >/dev/null; then exit 0; fi
cd "$dir"
apt-get source --download-only -qq "$package" >/dev/null 2>&1 || {
  echo "fetch-source: apt-get source $package failed (run scripts/setup.sh first: it adds the deb-src entry)" >&2
  exit 1
}
tar xf "$package"_*.orig.tar.*
