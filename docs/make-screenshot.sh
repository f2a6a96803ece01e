#!/usr/bin/env bash
# Makes docs/screenshot.png from a real run of Tavelin.exe with the soft demo
# kit on a virtual screen with a compositing manager (xcompmgr) and a gradient
# wallpaper, and docs/edge-closeup.png: the same spot of the figure's edge,
# enlarged, from the soft kit and from the keyed one (build/windows/kit-keyed).
# Run `make kit` first; then: docs/make-screenshot.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
win="$top/build/windows"
[ -x "$win/Tavelin.exe" ] && [ -d "$win/kit" ] && [ -d "$win/kit-keyed" ] || { echo "run 'make kit' first" >&2; exit 1; }

work=$(mktemp -d)
. "$top/docs/virtual-screen.sh"
cleanup() {
  set +e
  WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT
start_soft_desktop 640x420

# One run of the clock from a kit: Lunavi at normal size, a little way into
# the screen, hands pale (no focus); a shot of the whole screen to $2.
shoot() {
  local run="$work/$(basename "$1")"
  mkdir -p "$run"
  cp "$win/Tavelin.exe" "$1"/* "$run/"
  printf '[GENERAL]\r\nnChara=40012\r\nnSize=42002\r\nxPosWindow=300\r\nyPosWindow=70\r\n' >> "$run/Tavelin.ini"
  "$win/wine-run.sh" "$run/Tavelin.exe" &
  local clock=$!
  sleep 8
  import -window root "$2"
  WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null || true
  wait $clock 2>/dev/null || true
}

shoot "$win/kit" "$work/soft.png"
shoot "$win/kit-keyed" "$work/keyed.png"
convert "$work/soft.png" -crop 400x360+200+30 +repage "$top/docs/screenshot.png"
# The same 48 x 48 pixels of the outline from each run, eight times enlarged
# without smoothing: soft on the left, keyed on the right.
edge=${EDGE:-48x48+470+120}
convert \( "$work/soft.png" -crop "$edge" +repage -scale 800% \) \
        \( "$work/keyed.png" -crop "$edge" +repage -scale 800% \) \
        -background white -splice 8x0 +append -chop 8x0 "$top/docs/edge-closeup.png"
echo "Wrote docs/screenshot.png and docs/edge-closeup.png"
