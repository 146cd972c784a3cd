# Sourced: velmora_start_xvfb DIR starts (or reuses) an Xvfb kept for DIR (a build tree, or
# one test program's sandbox) and exports DISPLAY; velmora_stop_xvfb DIR stops it.
# Xvfb picks a free display number itself (-displayfd), so that test programs starting
# side by side never race for one.
velmora_start_xvfb() {
  local dir=$1 pid n
  if [ -f "$dir/xvfb.display" ] && pid=$(cat "$dir/xvfb.pid" 2>/dev/null) && kill -0 "$pid" 2>/dev/null; then
    export DISPLAY=:$(cat "$dir/xvfb.display")
    return 0
  fi
  mkdir -p "$dir"
  rm -f "$dir/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/xvfb.display" >/dev/null 2>&1 &
  pid=$!
  echo "$pid" >"$dir/xvfb.pid"
  for _ in $(seq 300); do
    # A whole line: Xvfb writes the number once it accepts connections.
    if read -r n <"$dir/xvfb.display" 2>/dev/null && [ -n "$n" ]; then
      export DISPLAY=:$n
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "xvfb: Xvfb did not start" >&2
  velmora_stop_xvfb "$dir"
  return 1
}

velmora_stop_xvfb() {
  local dir=$1 pid
  pid=$(cat "$dir/xvfb.pid" 2>/dev/null) || return 0
  kill "$pid" 2>/dev/null || true
  rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
}
