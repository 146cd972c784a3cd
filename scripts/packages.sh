#!/usr/bin/env bash
# Prints the packages of one section of scripts/packages.txt, one a line.
# Usage: packages.sh machine|i386-root
set -euo pipefail
awk -v want="${1:?section}" '
  /^\[.*\]$/ { section = substr($0, 2, length($0) - 2); next }
  /^[ \t]*(#|$)/ { next }
  section == want { print $1 }' "$(dirname "$0")/packages.txt"
