#!/usr/bin/env bash
# Makes docs/icon-sizes.png from the icon the program carries (res/tray.ico):
# every size it holds at its own size, then the 16-pixel one enlarged eight
# times, on a light and on a dark task bar's grey. Needs ImageMagick.
#   docs/make-icon-sheet.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
ico="$top/res/tray.ico"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

row() {  # row GREY NAME: one strip of the sizes over that grey
  local grey=$1 name=$2 parts=()
  for i in 0 1 2 3 4 5 6 7; do
    convert -background "$grey" "$ico[$i]" -flatten -gravity south -extent x256 \
            -bordercolor "$grey" -border 12 "$work/$name-$i.png"
    parts+=("$work/$name-$i.png")
  done
  convert -background "$grey" "$ico[0]" -flatten -filter point -resize 800% -gravity south -extent x256 \
          -bordercolor "$grey" -border 12 "$work/$name-zoom.png"
  convert "${parts[@]}" "$work/$name-zoom.png" -background "$grey" -gravity south +append "$work/$name.png"
}
row '#f3f3f3' light
row '#202020' dark
convert "$work/light.png" "$work/dark.png" -append -strip "$top/docs/icon-sizes.png"
echo "wrote docs/icon-sizes.png"
