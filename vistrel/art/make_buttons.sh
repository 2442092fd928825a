#!/usr/bin/env bash
# Draws the Screen Adjustment page's step buttons with ImageMagick: each in its normal (U) and
# pressed (D) state. The BMP files are kept in the tree; run this after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/buttons"
size=42x40

# face STATE FILE DRAW...: a button face, raised or sunken, with the symbol drawn on it (the
# pressed symbol one pixel lower and to the right).
face() {
  local state=$1 file=$2
  shift 2
  local light=white dark=gray shift=0
  if [ "$state" = D ]; then light=gray dark=white shift=1; fi
  convert -size $size xc:silver \
    -fill none -stroke "$light" -draw 'line 0,0 41,0' -draw 'line 0,0 0,39' \
    -stroke "$dark" -draw 'line 41,0 41,39' -draw 'line 0,39 41,39' \
    -stroke black -draw 'line 0,39 41,39' -draw 'line 41,0 41,39' \
    -stroke none -fill black -draw "translate $shift,$shift $*" \
    -type TrueColor "BMP3:$file"
}

for state in U D; do
  face $state UP$state.bmp 'polygon 21,9 31,23 24,23 24,31 18,31 18,23 11,23'
  face $state DOWN$state.bmp 'polygon 21,31 31,17 24,17 24,9 18,9 18,17 11,17'
  face $state LEFT$state.bmp 'polygon 10,20 24,10 24,17 32,17 32,23 24,23 24,30'
  face $state RIGHT$state.bmp 'polygon 32,20 18,10 18,17 10,17 10,23 18,23 18,30'
  # Wider and narrower: arrows pointing out of, or into, a bar.
  face $state HEXP$state.bmp 'rectangle 19,10 22,30 polygon 6,20 14,13 14,27 polygon 36,20 28,13 28,27'
  face $state HSHR$state.bmp 'rectangle 19,10 22,30 polygon 17,20 9,13 9,27 polygon 24,20 32,13 32,27'
  face $state VEXP$state.bmp 'rectangle 11,18 31,21 polygon 21,5 14,13 28,13 polygon 21,35 14,27 28,27'
  face $state VSHR$state.bmp 'rectangle 11,18 31,21 polygon 21,16 14,8 28,8 polygon 21,23 14,31 28,31'
done
