#!/usr/bin/env bash
# Draws Trisel's artwork with ImageMagick and writes it to trisel/win32/res/:
#   trisel.ico   program icon (16, 32 and 48 pixels)
#   trisel.cur   button cursor (32 x 32, hot spot at the arrow tip)
#   help30.bmp   picture of the owner-drawn help buttons (30 x 30, 24-bit)
# The outputs are committed; run this again after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=trisel/win32/res
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

# Icon: a sheet of paper with a folded corner and a padlock in front of it.
# Drawn large and scaled down, so the small sizes keep their shapes.
draw_icon() {  # draw_icon SIZE FILE
  convert -size 256x256 xc:none \
    -fill '#FFFFFF' -stroke '#5A6470' -strokewidth 8 \
    -draw 'polygon 40,16 160,16 216,72 216,240 40,240' \
    -fill '#D8DEE6' -draw 'polygon 160,16 160,72 216,72' \
    -stroke '#9AA6B4' -strokewidth 10 \
    -draw 'line 68,70 140,70' -draw 'line 68,104 188,104' -draw 'line 68,138 150,138' \
    -fill none -stroke '#7A4A00' -strokewidth 22 \
    -draw 'arc 110,110 210,210 180,360' \
    -draw 'line 110,160 110,176' -draw 'line 210,160 210,176' \
    -fill '#F2B632' -stroke '#7A4A00' -strokewidth 8 \
    -draw 'roundrectangle 88,168 232,250 14,14' \
    -fill '#7A4A00' -stroke none \
    -draw 'circle 160,200 160,186' -draw 'rectangle 154,200 166,232' \
    -filter Lanczos -resize "$1x$1" "$2"
}
for s in 16 32 48; do draw_icon "$s" "$TMP/icon$s.png"; done
# The smallest size is sharpened a little so the lock stays readable.
convert "$TMP/icon16.png" -unsharp 0x0.6 "$TMP/icon16.png"
convert "$TMP/icon16.png" "$TMP/icon32.png" "$TMP/icon48.png" "$OUT/trisel.ico"

# Cursor: the ordinary arrow, drawn pixel-exact at 32 x 32, with a small
# golden key beside it so the program's buttons are recognisable.
convert -size 32x32 xc:none +antialias \
  -fill white -stroke black -strokewidth 1 \
  -draw 'polygon 0,0 0,16 4,12 7,19 9,18 6,11 11,11' \
  -fill '#F2B632' -stroke '#7A4A00' \
  -draw 'circle 17,20 17,16' \
  -draw 'rectangle 20,19 29,21' -draw 'rectangle 25,21 26,24' -draw 'rectangle 28,21 29,23' \
  -fill '#7A4A00' -stroke none -draw 'point 17,20' \
  -define icon:auto-resize=32 "$TMP/cursor.ico"
# A .cur file is an .ico file with type 2 whose directory entry holds the
# hot spot where an icon keeps its plane and bit counts; the tip is (0, 0).
python3 - "$TMP/cursor.ico" "$OUT/trisel.cur" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
reserved, kind, count = struct.unpack_from('<HHH', data, 0)
assert kind == 1 and count == 1, (kind, count)
struct.pack_into('<H', data, 2, 2)
struct.pack_into('<HH', data, 6 + 4, 0, 0)
open(sys.argv[2], 'wb').write(bytes(data))
PY

# Help picture: a blue disc with a white question mark on the button face
# colour, 30 x 30, copied as it is onto the help buttons.
convert -size 120x120 xc:'#F0F0F0' \
  -fill '#2F6FD0' -stroke '#1B4A94' -strokewidth 6 -draw 'circle 60,60 60,8' \
  -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 84 \
  -gravity center -annotate +0+4 '?' \
  -filter Lanczos -resize 30x30 -type TrueColor "BMP3:$OUT/help30.bmp"
echo "art: wrote $OUT/trisel.ico $OUT/trisel.cur $OUT/help30.bmp"
