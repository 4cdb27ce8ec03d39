#!/usr/bin/env bash
# Draws the mark of TriselShell's two menu items with ImageMagick and writes
# shellext/win32/menu_mark.bmp: 13 x 13 pixels, 4-bit (16-colour) palette,
# a small golden padlock on white. The output is committed; run this again
# after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=shellext/win32/menu_mark.bmp
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# The 16 colours of the classic Windows palette, so the mark looks the same
# on every display depth.
convert -size 1x1 \
  xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' \
  xc:'#000080' xc:'#800080' xc:'#008080' xc:'#C0C0C0' \
  xc:'#808080' xc:'#FF0000' xc:'#00FF00' xc:'#FFFF00' \
  xc:'#0000FF' xc:'#FF00FF' xc:'#00FFFF' xc:'#FFFFFF' \
  +append "$TMP/palette.png"

# Pixel-exact: the shackle (rows 1-5), the body (rows 6-11) and the keyhole.
convert -size 13x13 xc:'#FFFFFF' +antialias \
  -fill none -stroke '#808000' -strokewidth 1 \
  -draw 'line 4,2 4,5' -draw 'line 8,2 8,5' -draw 'line 5,1 7,1' \
  -stroke none -fill '#808000' -draw 'rectangle 2,6 10,11' \
  -fill '#FFFF00' -draw 'rectangle 3,7 9,10' \
  -fill '#000000' -draw 'rectangle 6,8 6,9' -draw 'point 6,8' \
  -dither None -remap "$TMP/palette.png" \
  -type Palette -define bmp:format=bmp3 -compress None "BMP3:$OUT"

# The resource loader wants exactly this shape; check it.
python3 - "$OUT" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
width, height, planes, bits = struct.unpack_from('<iiHH', data, 18)
assert (width, abs(height), bits) == (13, 13, 4), (width, height, bits)
PY
echo "art: wrote $OUT"
