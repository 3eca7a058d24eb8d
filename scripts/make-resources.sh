#!/usr/bin/env bash
# Regenerates the program's images in resources/ with ImageMagick 6: the
# three tileable textures the window paints with pattern brushes and the
# application icon. Fixed seeds make every run give the same files.
#   background.bmp  90x92, 8-bit palette: the main window, under white text
#   panel.bmp       90x92, 24-bit: page frame, About box and list rows
#   title.bmp       128x128, 24-bit: behind the title at the top
#   trellimux.ico   16x16, 32x32 and 48x48, 32-bit with alpha
# The textures are blurred noise; blurring with a tiled virtual canvas wraps
# at the edges, so a tile meets its neighbours without a seam.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/resources"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# noise SIZE SEED SIGMA FILE: grey seamless noise, stretched to full range.
noise() {
  convert -size "$1" xc:gray50 -seed "$2" +noise Random -colorspace Gray \
    -virtual-pixel tile -blur "0x$3" -auto-level "$4"
}

# texture SIZE SEED DARK LIGHT FILE: a coarse cloud and a fine grain, mixed
# and mapped onto the range DARK..LIGHT.
texture() {
  noise "$1" "$2" 7 "$work/coarse.miff"
  noise "$1" "$(($2 + 1))" 0.6 "$work/fine.miff"
  convert "$work/coarse.miff" "$work/fine.miff" -compose blend \
    -define compose:args=55,45 -composite -auto-level \
    -set colorspace Gray -colorspace sRGB +level-colors "$3,$4" "$5"
}

texture 90x92 101 '#263140' '#3a4757' "$work/background.miff"
convert "$work/background.miff" +dither -type Palette -colors 256 -compress none \
  "BMP3:$out/background.bmp"

texture 90x92 201 '#d8d8d5' '#ecece9' "$work/panel.miff"
convert "$work/panel.miff" -type TrueColor -compress none "BMP3:$out/panel.bmp"

texture 128x128 301 '#c3d1df' '#dce6ef' "$work/title.miff"
convert "$work/title.miff" -type TrueColor -compress none "BMP3:$out/title.bmp"

# The icon: a blue rounded square with three white bars, the streams that the
# program joins, cuts and converts. Drawn eight times larger on a 16-unit grid
# and reduced with a box filter, so bar edges stay sharp at every size.
for size in 16 32 48; do
  u=$((size * 8 / 16))  # pixels per grid unit at eight times the size
  big=$((size * 8))
  convert -size "${big}x${big}" xc:none \
    -fill '#1b5e9e' -draw "roundrectangle $((u / 2)),$((u / 2)) $((big - u / 2 - 1)),$((big - u / 2 - 1)) $((u * 3)),$((u * 3))" \
    -fill white \
    -draw "rectangle $((u * 3)),$((u * 4)) $((u * 13 - 1)),$((u * 6 - 1))" \
    -draw "rectangle $((u * 3)),$((u * 7)) $((u * 11 - 1)),$((u * 9 - 1))" \
    -draw "rectangle $((u * 3)),$((u * 10)) $((u * 13 - 1)),$((u * 12 - 1))" \
    -filter Box -resize "${size}x${size}" -depth 8 "PNG32:$work/icon$size.png"
done
convert "$work/icon16.png" "$work/icon32.png" "$work/icon48.png" "$out/trellimux.ico"
