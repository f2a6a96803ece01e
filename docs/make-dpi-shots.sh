#!/usr/bin/env bash
# Makes docs/dpi-100.png and docs/dpi-200.png: the demo kit's fox with its
# menu open, from real runs of Tavelin.exe on a virtual screen whose Wine
# prefix runs at 96 DPI (100 %) and at 192 DPI (200 %, LogPixels); and
# docs/dpi-closeup.png: the same spot of the fox at 200 %, from the keyed
# kit drawn at 100 (enlarged) and from the kit drawn at 200. Run `make kit`
# first; then: docs/make-dpi-shots.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
win="$top/build/windows"
[ -x "$win/Tavelin.exe" ] && [ -d "$win/kit" ] || { echo "run 'make kit' first" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
prefix=""
trap '[ -n "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"; true' EXIT

. "$top/docs/virtual-screen.sh"
start_virtual_screen 1000x1000
convert -size 1000x1000 gradient:'#2f5f8f'-'#8fb8de' "$work/wallpaper.png"

shoot() {  # shoot DPI PERCENT [KIT]: the fox at (40, 100), its menu opened on the face
  local dpi=$1 percent=$2 kit=${3:-kit} times=$(( $1 / 96 ))
  prefix="$win/wineprefix-dpi$dpi"
  [ "$dpi" = 96 ] && prefix="$win/wineprefix"
  rm -rf "$work/run"; mkdir "$work/run"
  cp "$win/Tavelin.exe" "$win/$kit"/* "$work/run/"
  printf '[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\nxPosWindow=40\r\nyPosWindow=100\r\n' >> "$work/run/Tavelin.ini"
  # A prefix made here gets the DPI from the launcher; one made before, from reg.
  TAVELIN_WINEPREFIX="$prefix" TAVELIN_LOGPIXELS="$dpi" "$win/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" "$(command -v wine64 || command -v wine)" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  TAVELIN_WINEPREFIX="$prefix" "$win/wine-run.sh" "$work/run/Tavelin.exe" &
  wait_window Tavelin >/dev/null
  display -window root "$work/wallpaper.png" 2>/dev/null || true
  sleep 4
  # The face's centre: (75, 147) of the window at 100 %.
  import -window root "$work/$kit-$percent.png"
  xdotool mousemove $(( 40 + 75 * times )) $(( 100 + 147 * times )) click 3
  sleep 1.5
  # Below the notification area's stand-in that Wine shows without a task bar.
  [ "$kit" = kit ] && import -window root -crop $(( 480 * times ))x$(( 440 * times ))+0+$(( 45 * times )) +repage \
    "$top/docs/dpi-$percent.png"
  xdotool key Escape
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  sleep 1
}

shoot 96 100
shoot 192 200
shoot 192 200 kit-keyed
# An ear and an eye of the fox, 160 x 160 pixels at 200 %, three times enlarged.
convert \( "$work/kit-keyed-200.png" -crop 160x160+340+160 +repage -scale 300% \) \
        \( "$work/kit-200.png" -crop 160x160+340+160 +repage -scale 300% \) \
        -background white -splice 8x0 +append -chop 8x0 "$top/docs/dpi-closeup.png"
echo "Wrote docs/dpi-100.png, docs/dpi-200.png and docs/dpi-closeup.png"
