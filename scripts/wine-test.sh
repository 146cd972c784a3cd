#!/usr/bin/env bash
# CTest's command for one test program. It runs in a sandbox of its own, so that test
# programs can run side by side: its own Xvfb display (pointer, focus, real input), and a
# copy of the tree's prefix with its own wineserver, registry, desktop folder and drive D:.
# The sandbox is build/<target>/sandbox/<program>; it stays when the program fails.
# Usage: wine-test.sh RUNNER BUILD_DIR PROGRAM.exe [ARGS...]
# (RUNNER: wine-run.sh, or wine32-run.sh in a session of the 32-bit bench)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run=$1
build=$(cd "$2" && pwd)
program=$3
shift 3
box=$build/sandbox/$(basename "$program" .exe)
# shellcheck source=/dev/null
. "$here/xvfb.sh"

rm -rf "$box"
velmora_start_xvfb "$box"
# The wineserver's socket lies in a folder named after the prefix folder's inode, under
# TMPDIR: a sandbox made where another was just removed can get its inode, and must not
# find that sandbox's server while it is still going away.
export TMPDIR=$box/tmp
mkdir -p "$TMPDIR"
ended=
end() {
  [ -n "$ended" ] && return
  ended=1
  "$run" "$box" wineserver -k 2>/dev/null || true
  velmora_stop_xvfb "$box"
}
trap end EXIT
trap 'exit 143' TERM INT

"$run" "$build"  # the tree's prefix, made once
mkdir -p "$box/winehome/Desktop" "$box/drive_d" "$box/wine"
# The prefix's program files (700 MB) are hard links, as Wine never writes them; the rest,
# which Wine rewrites in place, is copied.
programs=(-name '*.dll' -o -name '*.exe' -o -name '*.sys' -o -name '*.drv' -o -name '*.nls' -o -name '*.ocx'
  -o -name '*.cpl' -o -name '*.acm')
(cd "$build/wine" && find . -type d -print0) | (cd "$box/wine" && xargs -0 mkdir -p)
(cd "$build/wine" && find . -type f \( "${programs[@]}" \) -exec cp -l --parents -t "$box/wine" {} +)
(cd "$build/wine" && find . ! -type d ! \( -type f \( "${programs[@]}" \) \) -exec cp -a --parents -t "$box/wine" {} +)
# The prefix's links into the tree (the desktop folder, drive D:) lead into the sandbox.
while IFS= read -r -d '' link; do
  target=$(readlink "$link")
  ln -sfn "$box${target#"$build"}" "$link"
done < <(find "$box/wine" -type l -lname "$build/*" -print0)

# Wine's services start with a first program, away from the pipes CTest reads to the end.
"$run" "$box" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
status=0
"$run" "$box" "$program" "$@" || status=$?
end
[ "$status" -ne 0 ] || rm -rf "$box"
exit "$status"
