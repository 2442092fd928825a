#!/usr/bin/env bash
# Draws the Display Configuration page's pictures with ImageMagick. The BMP files are kept in
# the tree, so the build does not need ImageMagick; run this after changing a picture.
set -euo pipefail
cd "$(dirname "$0")"
teal='#008080'

# 143: the sixteen VGA colours.
colours=(black maroon green olive navy purple teal silver gray red lime yellow blue fuchsia aqua white)
args=()
for i in "${!colours[@]}"; do
  args+=(-fill "${colours[$i]}" -draw "rectangle $((i * 10)),0 $((i * 10 + 9)),11")
done
convert -size 160x12 xc:white "${args[@]}" BMP3:palette16.bmp

# 144: a smooth spectrum, as many colours as the card can show.
convert -size 160x12 gradient:red-yellow gradient:yellow-lime gradient:lime-aqua \
  gradient:aqua-blue gradient:blue-fuchsia -rotate 90 -append -rotate -90 -flop -resize 160x12! \
  -type TrueColor BMP3:palette.bmp

# 145: what the desktop holds, drawn smaller the larger the desktop is.
convert -size 120x90 xc:"$teal" \
  -fill white -draw 'rectangle 6,6 15,15' -draw 'rectangle 6,22 15,31' \
  -fill silver -draw 'rectangle 30,14 96,58' -fill navy -draw 'rectangle 31,15 95,21' \
  -fill white -draw 'rectangle 33,25 93,55' \
  -type TrueColor BMP3:desktop.bmp

# 148: the whole desktop is on the screen.
convert -size 120x90 xc:"$teal" -fill none -stroke '#004040' -draw 'rectangle 0,0 119,89' \
  -type TrueColor BMP3:monitor_equal.bmp

# 152: the virtual desktop beyond the viewport, hatched.
convert -size 120x90 pattern:right30 -fill '#004848' -opaque black -fill '#006060' -opaque white \
  -type TrueColor BMP3:monitor_panned.bmp

# 151: the viewport; its top-left corner is the picture's, so its right and bottom edges show.
convert -size 120x90 xc:"$teal" -fill yellow \
  -draw 'rectangle 117,0 119,89' -draw 'rectangle 0,87 119,89' \
  -type TrueColor BMP3:viewport.bmp

# 155: a line of text in the system font's size.
convert -size 150x18 xc:white -fill black -font DejaVu-Sans -pointsize 12 \
  -gravity center -annotate +0+0 'AaBbCcXxYyZz' -type TrueColor BMP3:font_sample.bmp
