# Sourced by the screenshot scripts: start_virtual_screen WIDTHxHEIGHT starts
# a private Xvfb of that size, points DISPLAY at it and leaves its process id
# in $xvfb for the script's clean-up; wait_window TITLE waits until a window
# with that title shows and prints its X window id; start_soft_desktop
# WIDTHxHEIGHT adds a compositing manager (xcompmgr, its id in $compositor)
# and a gradient wallpaper, so that soft edges show, and stop_desktop stops
# what these started.
start_virtual_screen() {
  local fifo
  fifo=$(mktemp)
  Xvfb -displayfd 7 -screen 0 "$1x24" -nolisten tcp 7>"$fifo" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$fifo" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$fifo")"
  rm -f "$fifo"
}

wait_window() {
  for _ in $(seq 1 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window titled '$1'" >&2; return 1
}

start_soft_desktop() {
  start_virtual_screen "$1"
  xcompmgr </dev/null >/dev/null 2>&1 &
  compositor=$!
  sleep 0.5  # time to redirect the root's children before Wine maps any
  hsetroot -add '#2f5f8f' -add '#9fc3e0' -gradient 0 >/dev/null
}

stop_desktop() {
  [ -n "${compositor:-}" ] && kill "$compositor" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  return 0
}
