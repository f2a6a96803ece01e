#!/usr/bin/env bash
# Makes docs/balloon-en.png and docs/balloon-ja.png: the alarm's speech balloon
# with its two buttons beside the demo kit's Lunavi, from real runs of
# Tavelin.exe on a virtual screen with a compositing manager, one run per
# locale. Run `make kit` first; then: docs/make-balloon-shots.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
win="$top/build/windows"
[ -x "$win/Tavelin.exe" ] && [ -d "$win/kit" ] || { echo "run 'make kit' first" >&2; exit 1; }
export WINEPREFIX="$win/wineprefix"

work=$(mktemp -d)
xvfb=""
compositor=""
trap 'wineserver -k 2>/dev/null; [ -n "$compositor" ] && kill $compositor 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

. "$top/docs/virtual-screen.sh"
start_virtual_screen 700x560
xcompmgr >/dev/null 2>&1 &
compositor=$!
sleep 0.5
# The compositor paints the root from this pixmap.
hsetroot -add '#2f5f8f' -add '#9fc3e0' -gradient 0 >/dev/null 2>&1

shoot() {  # shoot LOCALE SUFFIX BALLOON-TEXT
  rm -rf "$work/run"; mkdir "$work/run"
  cp "$win/Tavelin.exe" "$win"/kit/* "$work/run/"
  # The alarm set for the coming minute, heard by nobody: the balloon speaks.
  local at hour minute
  at=$(date -d '+1 minute' '+%-H %-M')
  hour=${at% *}; minute=${at#* }
  printf '[GENERAL]\r\nnChara=40012\r\nnSize=42002\r\nxPosWindow=230\r\nyPosWindow=250\r\nfMute=1\r\nfBalloon=1\r\n' \
    >> "$work/run/Tavelin.ini"
  printf '[ALARM]\r\nnAlarmMode=1012\r\nnAlarmHour=%s\r\nnAlarmMinute=%s\r\n' "$hour" "$minute" >> "$work/run/Tavelin.ini"
  TAVELIN_LOCALE="$1" "$win/wine-run.sh" "$work/run/Tavelin.exe" &
  local run=$!
  wait_window Tavelin >/dev/null
  for _ in $(seq 1 75); do xdotool search --name "^$3\$" >/dev/null 2>&1 && break; sleep 1; done
  sleep 2
  import -window root -crop 300x380+190+135 +repage "$top/docs/balloon-$2.png"
  wineserver -k 2>/dev/null || true
  wait $run || true
  echo "Wrote docs/balloon-$2.png"
}

shoot en_US.UTF-8 en "The time you set has come."
shoot ja_JP.UTF-8 ja "指定された時刻になりました."
