# Sourced: velmora_start_xvfb BUILD_DIR starts (or reuses) an Xvfb for the build tree
# and exports DISPLAY; velmora_stop_xvfb BUILD_DIR stops it.
velmora_start_xvfb() {
  local dir=$1 n pid
  if [ -f "$dir/xvfb.display" ] && pid=$(cat "$dir/xvfb.pid" 2>/dev/null) && kill -0 "$pid" 2>/dev/null; then
    export DISPLAY=:$(cat "$dir/xvfb.display")
    return 0
  fi
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      echo "$n" >"$dir/xvfb.display"
      echo "$pid" >"$dir/xvfb.pid"
      export DISPLAY=:$n
      return 0
    fi
  done
  echo "xvfb: no free display" >&2
  return 1
}

velmora_stop_xvfb() {
  local dir=$1 pid
  pid=$(cat "$dir/xvfb.pid" 2>/dev/null) || return 0
  kill "$pid" 2>/dev/null || true
  rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
}
