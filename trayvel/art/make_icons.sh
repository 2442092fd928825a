#!/usr/bin/env bash
# Draws Trayvel's icons with ImageMagick: the padlock closing in four frames (101 open to 104
# shut) and the taskbar icon 107, a monitor. Each ICO holds 32 x 32 and 16 x 16 pictures.
set -euo pipefail
cd "$(dirname "$0")"

padlock() {
  local lift=$1 out=$2
  # The shackle rises out of the body and, while it is open, swings clear on the left.
  local top=$((11 - lift)) legs=$((18 - lift))
  convert -size 32x32 xc:none \
    -fill none -stroke '#404040' -strokewidth 3 \
    -draw "path 'M 10,$legs L 10,$top A 5.5,5.5 0 0 1 21,$top L 21,18'" \
    -fill '#e0b030' -stroke '#6a4a00' -strokewidth 1 -draw "roundrectangle 6,16 25,30 2,2" \
    -fill '#f4d870' -stroke none -draw "rectangle 8,18 23,19" \
    -fill '#302000' -draw "circle 15.5,22.5 15.5,20.8" -draw "rectangle 15,22 16,27" \
    "big-$out.png"
  convert "big-$out.png" -resize 16x16 "small-$out.png"
  convert "big-$out.png" "small-$out.png" "$out"
  rm -f "big-$out.png" "small-$out.png"
}

padlock 5 panlock101.ico
padlock 3 panlock102.ico
padlock 1 panlock103.ico
padlock 0 panlock104.ico

convert -size 32x32 xc:none \
  -fill '#c0c0c0' -stroke '#404040' -strokewidth 1 -draw "roundrectangle 2,3 29,23 2,2" \
  -fill '#0050a0' -stroke '#202020' -draw "rectangle 5,6 26,20" \
  -fill '#60c0ff' -stroke none -draw "polygon 7,18 13,10 17,15 20,12 24,18" \
  -fill '#909090' -stroke '#404040' -draw "rectangle 12,24 19,26" -draw "rectangle 8,27 23,29" \
  big-monitor.png
convert big-monitor.png -resize 16x16 small-monitor.png
convert big-monitor.png small-monitor.png taskbar107.ico
rm -f big-monitor.png small-monitor.png
