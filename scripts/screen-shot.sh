# Sourced by the screenshot scripts: velmora_shoot READY PNG PID waits until the program
# PID writes "x y w h" into the file READY, saves that part of the screen as PNG and
# removes READY. It fails when the program ends first.
velmora_shoot() {
  local ready=$1 png=$2 pid=$3 x y w h
  for _ in $(seq 600); do  # a minute: the 32-bit bench is slow
    [ -s "$ready" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "screenshot: the program ended before $(basename "$png")" >&2; return 1; }
    sleep 0.1
  done
  read -r x y w h <"$ready"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$png"
  rm -f "$ready"
  echo "$png"
}
