#!/usr/bin/env bash
# Makes the screenshots of the menu and the alarm settings dialog in English
# and in Japanese (docs/menu-en.png, docs/menu-ja.png, docs/dialog-en.png,
# docs/dialog-ja.png) from real runs of Tavelin.exe with the demo kit on a
# virtual screen, one run per locale. Run `make kit` first; then:
#   docs/make-language-shots.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
win="$top/build/windows"
[ -x "$win/Tavelin.exe" ] && [ -d "$win/kit" ] || { echo "run 'make kit' first" >&2; exit 1; }
export WINEPREFIX="$win/wineprefix"

work=$(mktemp -d)
xvfb=""
trap 'wineserver -k 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

. "$top/docs/virtual-screen.sh"
start_virtual_screen 800x600
convert -size 800x600 gradient:'#2f5f8f'-'#8fb8de' "$work/wallpaper.png"

shoot() {  # shoot LOCALE SUFFIX DIALOG-TITLE LABEL1 LABEL2 CODEPAGE
  rm -rf "$work/run"; mkdir "$work/run"
  cp "$win/Tavelin.exe" "$win"/kit/* "$work/run/"
  # Lunavi at normal size; her clock face is the point to click.
  printf '[GENERAL]\r\nnChara=40012\r\nnSize=42002\r\nxPosWindow=40\r\nyPosWindow=40\r\n' >> "$work/run/Tavelin.ini"
  # A weekday alarm at 7:00 and a Saturday one at 9:30, labelled in the
  # language of the run (stored in its ANSI code page), and a quiet night
  # from 22 to 7, as the dialog shows them.
  printf '[ALARM]\r\nnAlarmMode=1037\r\nnAlarmHour=7\r\nnAlarmMinute=0\r\nszAlarmLabel=%s\r\nnOClockQuietFrom=22\r\nnOClockQuietTo=7\r\n[ALARM2]\r\nnAlarmMode=1100\r\nnAlarmDays=64\r\nnAlarmHour=9\r\nnAlarmMinute=30\r\nszAlarmLabel=%s\r\n' \
    "$4" "$5" | iconv -f UTF-8 -t "$6" >> "$work/run/Tavelin.ini"
  TAVELIN_LOCALE="$1" "$win/wine-run.sh" "$work/run/Tavelin.exe" &
  local run=$!
  wait_window Tavelin >/dev/null
  display -window root "$work/wallpaper.png" 2>/dev/null || true  # once Wine has taken the screen
  sleep 3  # the figure is loaded and drawn

  # The menu: a right press on the clock face opens it at the pointer; the
  # pointer resting on its third item opens the opacity submenu beside it.
  xdotool mousemove 240 170 click 3
  sleep 1.5
  xdotool mousemove 300 215
  sleep 1.5
  import -window root -crop ${MENU_CROP:-650x370+30+45} +repage "$top/docs/menu-$2.png"
  xdotool mousemove 700 500 click 1  # a click beside the menu closes it
  sleep 1

  # The dialog: a double click on the figure.
  xdotool mousemove 240 170 click --repeat 2 --delay 100 1
  local dialog
  dialog=$(wait_window "$3")
  sleep 1
  import -window "$dialog" "$top/docs/dialog-$2.png"
  xdotool windowactivate --sync "$dialog" key Escape 2>/dev/null || xdotool key Escape
  sleep 0.5
  # Closed through the menu's last item.
  xdotool mousemove 240 170 click 3
  sleep 1
  xdotool key x
  wait $run || true
  echo "Wrote docs/menu-$2.png and docs/dialog-$2.png"
}

shoot en_US.UTF-8 en "Alarm Settings" "Work" "Swimming" CP1252
shoot ja_JP.UTF-8 ja "時報設定 ..." "仕事" "水泳" CP932
