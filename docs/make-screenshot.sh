#!/usr/bin/env bash
# Makes docs/screenshot.png from a real run of Tavelin.exe with the demo kit on
# a virtual screen. Run `make kit` first; then: docs/make-screenshot.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
win="$top/build/windows"
[ -x "$win/Tavelin.exe" ] && [ -d "$win/kit" ] || { echo "run 'make kit' first" >&2; exit 1; }

work=$(mktemp -d)
trap 'WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null; [ -n "${xvfb:-}" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
cp "$win/Tavelin.exe" "$win"/kit/* "$work/"
# Lunavi at normal size, a little way into the screen, hands pale (no focus).
cat >> "$work/Tavelin.ini" <<'INI'
[GENERAL]
nChara=40012
nSize=42002
xPosWindow=300
yPosWindow=70
INI

. "$top/docs/virtual-screen.sh"
start_virtual_screen 640x420

convert -size 640x420 gradient:'#2f5f8f'-'#8fb8de' "$work/wallpaper.png"
display -window root "$work/wallpaper.png" &
sleep 1

"$win/wine-run.sh" "$work/Tavelin.exe" &
sleep 8
import -window root -crop 400x360+200+30 +repage "$top/docs/screenshot.png"
echo "Wrote docs/screenshot.png"
