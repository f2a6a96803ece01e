#!/usr/bin/env bash
# Makes docs/life-soft.gif and docs/life-keyed.gif: the demo fox alive, from
# real runs of Tavelin.exe on a virtual screen with a compositing manager,
# one from each kit (soft PNGs drawn at 200, keyed BMPs at 100): a blink, a
# click's hop, and the alarm ringing (talking and shaking). Every frame is a
# screenshot of the running program. Run `make kit` first; then:
# docs/make-life-gifs.sh
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
start_soft_desktop 1000x420

# The figure's part of the screen: the fox (290 x 260) stands at (30, 80); the
# alarm's message comes up in the middle of the screen, beside it.
grab() { import -window root -crop 330x320+10+50 +repage "$1"; }

# frames SECONDS PREFIX: screenshots for that long, as fast as they come.
frames() {
  local end=$(( $(date +%s%N) + $1 * 1000000000 )) n=0
  while [ "$(date +%s%N)" -lt "$end" ]; do grab "$work/$2-$(printf %04d $n).png"; n=$((n + 1)); done
}

# Keeps the frames of PREFIX from the first that differs from its first frame
# (the eyes closing), a second's worth before it to two after.
around_change() {
  local files=("$work/$1"-*.png) first="" i=0
  for f in "${files[@]}"; do
    if [ "$(compare -metric AE "${files[0]}" "$f" null: 2>&1 || true)" != 0 ]; then first=$i; break; fi
    i=$((i + 1))
  done
  [ -n "$first" ] || { echo "no change in $1" >&2; return 1; }
  local from=$(( first > 4 ? first - 4 : 0 ))
  printf '%s\n' "${files[@]:$from:14}"
}

run() {  # run KIT GIF
  local run="$work/run-$1"
  mkdir -p "$run"
  cp "$win/Tavelin.exe" "$win/$1"/* "$run/"
  # The alarm rings at a full minute at least 25 s away, so the blink and the hop come first.
  local next=$(( $(date +%s) / 60 * 60 + 60 ))
  [ $(( next - $(date +%s) )) -ge 25 ] || next=$(( next + 60 ))
  local hour=$(date -d "@$next" +%-H) minute=$(date -d "@$next" +%-M)
  printf '[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\nxPosWindow=30\r\nyPosWindow=80\r\nfAsideFullScreen=0\r\n' \
    >> "$run/Tavelin.ini"
  printf '[ALARM]\r\nnAlarmMode=1012\r\nnAlarmHour=%d\r\nnAlarmMinute=%d\r\nnOClockMode=1017\r\n' "$hour" "$minute" \
    >> "$run/Tavelin.ini"
  TZ= "$win/wine-run.sh" "$run/Tavelin.exe" &
  local clock=$!
  wait_window Tavelin >/dev/null
  # Someone is there: without input since the screen started, the fox would sleep.
  xdotool mousemove 250 250 sleep 0.3 mousemove 255 255 sleep 0.3 mousemove 990 410
  sleep 3
  rm -f "$work"/blink-*.png "$work"/hop-*.png "$work"/ring-*.png
  frames 9 blink
  # A click on the fox's body, the pointer then out of the way.
  xdotool mousemove 250 270 click 1 sleep 0.05 mousemove 990 410
  frames 2 hop
  while [ "$(date +%s)" -lt "$next" ]; do sleep 0.2; done
  sleep 0.5
  frames 4 ring
  xdotool key Return
  WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null || true
  wait "$clock" 2>/dev/null || true
  mapfile -t blink < <(around_change blink)
  convert -delay 8 "${blink[@]}" -delay 8 "$work"/hop-*.png -delay 10 "$work"/ring-*.png \
    -layers Optimize "$2"
}

run kit "$top/docs/life-soft.gif"
run kit-keyed "$top/docs/life-keyed.gif"
echo "Wrote docs/life-soft.gif and docs/life-keyed.gif"
