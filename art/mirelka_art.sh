#!/usr/bin/env bash
# Draws Mirelka.exe's artwork with ImageMagick into mirelka/win32/res/:
#   mirelka.ico   program icon (16, 32 and 48 pixels)
#   tray.ico      notification-area icon (16 and 32 pixels, plainer shapes)
#   mirelka.cur   button cursor (32 x 32, hot spot at the arrow tip)
#   b<ID>.bmp     the 17 button pictures, 24-bit, each the size of its button:
#                 ENCODE 122 normal, 121 pressed, 134 focused (58 x 37)
#                 PASTE  124 normal, 123 pressed, 133 focused (56 x 37)
#                 CLEAR  127 normal, 125 pressed, 135 focused (58 x 37)
#                 always-on-top 160 off, 159 on (100 x 15)
#                 horizontal 100/101, vertical 102/103, word wrap 104/105
#                 (normal/pressed, 22 x 22)
#   b140.bmp      the LOGO button of the about box (79 x 46)
# The outputs are committed; run this again after changing a drawing.
# Needs ImageMagick and the Nanum fonts (fonts-nanum) for the Korean labels.
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=mirelka/win32/res
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"
LATIN=DejaVu-Sans-Bold
HANGUL=/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf
[ -f "$HANGUL" ] || { echo "art: $HANGUL is missing (fonts-nanum)"; exit 1; }

bmp() { convert "$1" -alpha off -type TrueColor "BMP3:$2"; }

# --- the three text buttons: an English word above its Korean name on a
# coloured face. Pressed: darker, the labels one pixel down and right, the
# frame sunk. Focused: the normal face inside an amber frame.
text_button() {  # text_button W WORD KOREAN TOP BOTTOM DARK NORMAL PRESSED FOCUSED
  local w=$1 word=$2 name=$3 top=$4 bottom=$5 dark=$6
  local face="$TMP/face.png" sunk="$TMP/sunk.png"
  # Faces are drawn at four times the size and scaled down, so the
  # lettering is smooth without being blurred by a filter on every edge.
  local W=$((w * 4)) H=$((37 * 4))
  labels() {  # labels IN OUT DX DY
    convert "$1" -gravity north \
      -font "$LATIN" -pointsize 40 -fill "#00000060" -annotate "+$((4 + $3))+$((16 + $4))" "$word" \
      -fill white -annotate "+$3+$((12 + $4))" "$word" \
      -font "$HANGUL" -pointsize 42 -fill "#FFFFFFE8" -annotate "+$3+$((74 + $4))" "$name" \
      "$2"
  }
  convert -size "${W}x${H}" "gradient:$top-$bottom" \
    -fill none -stroke "$dark" -strokewidth 4 -draw "rectangle 2,2 $((W - 3)),$((H - 3))" \
    -stroke "#FFFFFF70" -strokewidth 4 -draw "line 6,6 $((W - 7)),6" -draw "line 6,6 6,$((H - 7))" \
    "$TMP/big.png"
  labels "$TMP/big.png" "$TMP/big-l.png" 0 0
  convert "$TMP/big-l.png" -filter Box -resize "${w}x37!" "$face"
  bmp "$face" "$OUT/b$7.bmp"

  convert -size "${W}x${H}" "gradient:$bottom-$dark" \
    -fill none -stroke "$dark" -strokewidth 4 -draw "rectangle 2,2 $((W - 3)),$((H - 3))" \
    -stroke "#00000050" -strokewidth 4 -draw "line 6,6 $((W - 7)),6" -draw "line 6,6 6,$((H - 7))" \
    "$TMP/big.png"
  labels "$TMP/big.png" "$TMP/big-l.png" 4 4
  convert "$TMP/big-l.png" -filter Box -resize "${w}x37!" "$sunk"
  bmp "$sunk" "$OUT/b$8.bmp"

  convert "$face" -fill none -stroke "#FFB020" -strokewidth 2 \
    -draw "rectangle 1,1 $((w - 2)),35" "$TMP/focus.png"
  bmp "$TMP/focus.png" "$OUT/b$9.bmp"
}
text_button 58 ENCODE 암호 '#6E9CF2' '#2D5BC4' '#1C3F8E' 122 121 134
text_button 56 PASTE 치환 '#4FC08D' '#23875A' '#17603F' 124 123 133
text_button 58 CLEAR 지우기 '#9AA5B8' '#5F6B82' '#414B5E' 127 125 135

# --- the always-on-top switch, 100 x 15: a pin and the label, a lamp at the
# right that is dark when off and green when on.
topmost() {  # topmost ON ID
  local face lamp pin
  if [ "$1" = 1 ]; then face='#FFF4D0-#F2D27A'; lamp='#2EC23A'; pin='#C0392B'
  else face='#F4F6FA-#D6DCE8'; lamp='#8A93A3'; pin='#7A8496'; fi
  convert -size 400x60 "gradient:$face" \
    -fill none -stroke '#7A8AA8' -strokewidth 4 -draw 'rectangle 2,2 397,57' \
    -stroke none -fill "$pin" -draw 'circle 30,22 30,10' \
    -stroke "$pin" -strokewidth 6 -draw 'line 30,28 30,52' \
    -stroke none -font "$HANGUL" -pointsize 40 -fill '#1E2A40' -annotate +62+44 '항상 위' \
    -font "$LATIN" -pointsize 30 -fill '#1E2A40' -annotate +238+42 "$([ "$1" = 1 ] && echo ON || echo OFF)" \
    -fill "$lamp" -stroke '#3A4252' -strokewidth 3 -draw 'circle 362,30 362,14' \
    -filter Box -resize '100x15!' "$TMP/top.png"
  bmp "$TMP/top.png" "$OUT/b$2.bmp"
}
topmost 0 160
topmost 1 159

# --- the three layout buttons, 22 x 22, drawn at 8 times the size.
layout_button() {  # layout_button DRAW NORMAL PRESSED
  local draw=$1
  for state in normal pressed; do
    local face='#F4F6FA-#D2DAE8' shift=0
    [ $state = pressed ] && face='#9FB0D2-#BCC8E0' && shift=8
    convert -size 176x176 "gradient:$face" \
      -fill none -stroke '#5E6E8C' -strokewidth 8 -draw 'rectangle 4,4 171,171' \
      -draw "translate $shift,$shift $draw" \
      -filter Box -resize '22x22!' "$TMP/l.png"
    bmp "$TMP/l.png" "$OUT/b$([ $state = normal ] && echo "$2" || echo "$3").bmp"
  done
}
# Two panes one above the other.
layout_button "fill white stroke '#2D5BC4' stroke-width 10 rectangle 36,30 140,82 rectangle 36,94 140,146" 100 101
# Two panes side by side.
layout_button "fill white stroke '#2D5BC4' stroke-width 10 rectangle 30,36 82,140 rectangle 94,36 146,140" 102 103
# Lines of text with a return arrow at the right.
layout_button "fill none stroke '#1E2A40' stroke-width 10 line 32,44 140,44 line 32,84 108,84 line 32,124 84,124 stroke '#2D5BC4' path 'M 108,84 L 136,84 Q 150,84 150,104 Q 150,124 130,124 L 108,124' fill '#2D5BC4' stroke none polygon 100,124 118,108 118,140" 104 105

# --- the about box's LOGO button, 79 x 46: the program's sheet with 가 at
# the left, the maker's name and the program's at the right, on white.
convert -size 316x184 xc:white \
  -fill '#2D5BC4' -stroke '#1C3F8E' -strokewidth 6 -draw 'roundrectangle 12,32 132,152 22,22' \
  -fill white -stroke none -font "$HANGUL" -pointsize 92 -annotate +24+126 '가' \
  -fill '#1C3F8E' -font "$LATIN" -pointsize 31 -annotate +142+84 'Pelmora' \
  -fill '#5E6E8C' -font "$LATIN" -pointsize 27 -annotate +144+128 'Mirelka' \
  -fill none -stroke '#AAC6F8' -strokewidth 6 -draw 'rectangle 3,3 312,180' \
  -filter Lanczos -resize '79x46!' "$TMP/logo.png"
bmp "$TMP/logo.png" "$OUT/b140.bmp"

# --- icons: a blue sheet with the Hangul syllable 가 and, where there is
# room, a golden key in its lower right corner.
draw_icon() {  # draw_icon SIZE FILE WITH-KEY
  local size=190 dx=0 dy=0
  [ "$3" = 1 ] && size=160 dx=-22 dy=-26
  convert -size 256x256 xc:none \
    -fill '#2D5BC4' -stroke '#1C3F8E' -strokewidth 8 -draw 'roundrectangle 12,12 244,244 40,40' \
    -fill white -stroke none -font "$HANGUL" -pointsize "$size" \
    -gravity center -annotate "+$dx+$dy" '가' "$TMP/icon-big.png"
  if [ "$3" = 1 ]; then
    convert "$TMP/icon-big.png" -fill '#F2B632' -stroke '#7A4A00' -strokewidth 8 \
      -draw 'circle 190,190 190,154' -draw 'rectangle 100,180 160,200' \
      -draw 'rectangle 104,200 118,220' -draw 'rectangle 126,200 138,214' \
      -fill '#7A4A00' -stroke none -draw 'circle 196,184 196,174' "$TMP/icon-big.png"
  fi
  convert "$TMP/icon-big.png" -filter Lanczos -resize "$1x$1" "$2"
}
for s in 16 32 48; do draw_icon "$s" "$TMP/icon$s.png" 1; done
convert "$TMP/icon16.png" -unsharp 0x0.6 "$TMP/icon16.png"
convert "$TMP/icon16.png" "$TMP/icon32.png" "$TMP/icon48.png" "$OUT/mirelka.ico"
# The tray shows 16 pixels: the syllable alone, as large as it fits.
for s in 16 32; do draw_icon "$s" "$TMP/tray$s.png" 0; done
convert "$TMP/tray16.png" -unsharp 0x0.6 "$TMP/tray16.png"
convert "$TMP/tray16.png" "$TMP/tray32.png" "$OUT/tray.ico"

# --- cursor: the ordinary arrow, pixel-exact, with a small blue sheet and a
# white line on it beside the tip, so the buttons are recognisable.
convert -size 32x32 xc:none +antialias \
  -fill white -stroke black -strokewidth 1 \
  -draw 'polygon 0,0 0,16 4,12 7,19 9,18 6,11 11,11' \
  -fill '#2D5BC4' -stroke '#1C3F8E' -draw 'rectangle 14,14 27,27' \
  -stroke white -draw 'line 17,18 24,18' -draw 'line 17,21 24,21' -draw 'line 17,24 21,24' \
  -define icon:auto-resize=32 "$TMP/cursor.ico"
# A .cur file is an .ico file with type 2 whose directory entry holds the
# hot spot where an icon keeps its plane and bit counts; the tip is (0, 0).
python3 - "$TMP/cursor.ico" "$OUT/mirelka.cur" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
reserved, kind, count = struct.unpack_from('<HHH', data, 0)
assert kind == 1 and count == 1, (kind, count)
struct.pack_into('<H', data, 2, 2)
struct.pack_into('<HH', data, 6 + 4, 0, 0)
open(sys.argv[2], 'wb').write(bytes(data))
PY
echo "art: wrote $OUT: mirelka.ico tray.ico mirelka.cur 17 button pictures and the logo"
