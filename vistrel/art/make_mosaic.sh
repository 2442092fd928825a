#!/usr/bin/env bash
# Draws the Fleetmark page's picture with ImageMagick and cuts it into the 3 x 3 mosaic of
# bitmaps 177-185 (row by row from the top left). The BMP files are kept in the tree.
set -euo pipefail
cd "$(dirname "$0")/mosaic"
convert -size 240x150 gradient:'#000040'-'#1060c0' \
  -fill none -stroke '#80c0ff' -strokewidth 2 -draw 'arc 40,30 200,190 180,360' \
  -stroke white -strokewidth 1 \
  -draw 'line 120,110 120,40' -draw 'line 120,110 64,66' -draw 'line 120,110 176,66' \
  -draw 'line 120,110 50,100' -draw 'line 120,110 190,100' \
  -stroke '#ff4040' -strokewidth 4 -draw 'line 120,110 170,58' \
  -stroke none -fill white -draw 'circle 120,110 126,110' \
  -fill '#ffd040' -font DejaVu-Sans-Bold -pointsize 22 -gravity south -annotate +0+8 'FLEETMARK' \
  -type TrueColor picture.bmp
convert picture.bmp -crop 3x3@ +repage -type TrueColor +adjoin BMP3:tile_%d.bmp
for i in 0 1 2 3 4 5 6 7 8; do mv "tile_$i.bmp" "$((177 + i)).bmp"; done
rm picture.bmp
