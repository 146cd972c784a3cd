#!/usr/bin/env bash
# Prints deb822 deb-src stanzas copied from the machine's configured deb entries for one
# release: from .sources files (deb822) and from one-line .list files alike, keeping
# their URIs, components and signing key. Usage: deb-src-entry.sh CODENAME [FILES...]
set -euo pipefail
codename=${1:?usage: deb-src-entry.sh CODENAME [FILES...]}
shift
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
      awk -v want="$codename" '
        function flush() {
          if (types ~ /(^| )deb( |$)/ && enabled != "no" && (" " suites " ") ~ (" " want " ") && uris != "") {
            printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", uris, want, comps
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
      awk -v want="$codename" '
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
          printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", $i, want, comps
          if (key != "") printf "Signed-By: %s\n", key
          printf "\n"
        }' "$f"
      ;;
  esac
done
