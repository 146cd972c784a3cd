#!/usr/bin/env bash
# Prints deb822 stanzas made from the machine's configured deb entries for one release:
# from .sources files (deb822) and from one-line .list files alike, keeping their URIs,
# components and signing key. By default they are deb-src stanzas of that release; --type
# and --suite make others from the same archive (say, deb stanzas of CODENAME-backports).
# Usage: apt-entry.sh [--type deb|deb-src] [--suite SUITE] CODENAME [FILES...]
set -euo pipefail
usage="usage: apt-entry.sh [--type deb|deb-src] [--suite SUITE] CODENAME [FILES...]"
type=deb-src suite=
while [ $# -gt 0 ]; do
  case $1 in
    --type) type=${2:?$usage}; shift 2 ;;
    --suite) suite=${2:?$usage}; shift 2 ;;
    *) break ;;
  esac
done
codename=${1:?$usage}
shift
suite=${suite:-$codename}
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  shopt -s nullglob
  files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
fi

for f in "${files[@]}"; do
  [ -r "$f" ] || continue
  case $f in
    *.sources)
      # Stanzas are separated by blank lines; "Enabled: no" ones are skipped.
      awk -v want="$codename" -v type="$type" -v suite="$suite" '
        function flush() {
          if (types ~ /(^| )deb( |$)/ && enabled != "no" && (" " suites " ") ~ (" " want " ") && uris != "") {
            printf "Types: %s\nURIs: %s\nSuites: %s\nComponents: %s\n", type, uris, suite, comps
            if (key != "") printf "Signed-By: %s\n", key
            printf "\n"
          }
          types = uris = suites = comps = key = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ { next }  # continuation lines (an inline key block)
        {
          field = tolower($1); sub(/:$/, "", field)
          value = $0; sub(/^[^:]*:[ \t]*/, "", value)
          if (field == "types") types = value
          else if (field == "uris") uris = value
          else if (field == "suites") suites = value
          else if (field == "components") comps = value
          else if (field == "signed-by") key = value
          else if (field == "enabled") enabled = tolower(value)
        }
        END { flush() }' "$f"
      ;;
    *)
      # deb [options] URI SUITE COMPONENTS...
      awk -v want="$codename" -v type="$type" -v suite="$suite" '
        $1 != "deb" { next }
        {
          i = 2; key = ""
          if ($2 ~ /^\[/) {
            opts = ""
            for (; i <= NF; i++) { opts = opts " " $i; if ($i ~ /\]$/) { i++; break } }
            if (match(opts, /signed-by=[^] ]+/)) key = substr(opts, RSTART + 10, RLENGTH - 10)
          }
          if ($(i + 1) != want) next
          comps = ""
          for (j = i + 2; j <= NF; j++) comps = comps (comps == "" ? "" : " ") $j
          printf "Types: %s\nURIs: %s\nSuites: %s\nComponents: %s\n", type, $i, suite, comps
          if (key != "") printf "Signed-By: %s\n", key
          printf "\n"
        }' "$f"
      ;;
  esac
done
