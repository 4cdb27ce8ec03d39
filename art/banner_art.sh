#!/usr/bin/env bash
# Draws the banner pictures shipped beside the programs with ImageMagick and
# writes them to common/win32/res/:
#   banner_ori.gif      Mirelka (text blocks)
#   banner_ori_en.gif   Trisel in encrypt mode
#   banner_ori_de.gif   Trisel in decrypt mode
# Each is an animated GIF of 170 x 85 pixels: a full scene that stays
# (disposal 1), a light that sweeps over the title in small frames that give
# back what was under them (disposal 3), a strip at the bottom whose steps
# clear their own rectangle before the next step covers it (disposal 2), and
# a padlock that closes or opens. The outputs are committed; run this again
# after changing a drawing.
set -euo pipefail
export LC_ALL=C.UTF-8  # the texts below are cut by characters, not bytes
cd "$(dirname "$0")/.."
OUT=common/win32/res
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

LATIN=DejaVu-Sans-Bold
HANGUL=/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf
[ -f "$HANGUL" ] || { echo "art: $HANGUL is missing (fonts-nanum)"; exit 1; }

# padlock FILE open|closed: 22 x 28 on transparency, drawn four times as
# large and scaled down so its curves stay smooth.
padlock() {
  local lift=0 right=54
  [ "$2" = open ] && lift=16 right=36
  convert -size 88x112 xc:none \
    -fill none -stroke '#6B6B6B' -strokewidth 11 \
    -draw "ellipse 44,$((34 - lift)) 20,20 180,360" \
    -draw "line 24,$((34 - lift)) 24,54" -draw "line 64,$((34 - lift)) 64,$right" \
    -fill '#F2B632' -stroke '#7A4A00' -strokewidth 5 -draw 'roundrectangle 8,50 80,108 12,12' \
    -fill '#7A4A00' -stroke none -draw 'circle 44,72 44,64' -draw 'polygon 40,74 48,74 51,96 37,96' \
    -filter Lanczos -resize 22x28 "$1"
}

# The light that sweeps over the title: two slanted white bands, 16 x 30.
convert -size 16x30 xc:none +antialias -fill '#FFFFFF' \
  -draw 'polygon 8,0 14,0 6,29 0,29' -draw 'polygon 14,0 16,0 8,29 7,29' \
  "$TMP/shine.png"

# banner NAME LIGHT DEEP DARK TITLE TAGLINE LOCK-FROM LOCK-TO STRIP...
#   LIGHT, DEEP, DARK   the theme: gradient top, gradient bottom, lines and text
#   STRIP...            the bottom strip's steps, in order: a text, or
#                       "TEXT|N" for a text with a progress bar of N sixths
banner() {
  local name=$1 light=$2 deep=$3 dark=$4 title=$5 tagline=$6 from=$7 to=$8
  shift 8
  # The scene: gradient panel, frame, title, tagline, the padlock as it starts.
  padlock "$TMP/lock_from.png" "$from"
  padlock "$TMP/lock_to.png" "$to"
  convert -size 170x85 "gradient:$light-$deep" \
    -fill none -stroke "$dark" -strokewidth 2 -draw 'roundrectangle 1,1 168,83 8,8' \
    -stroke '#FFFFFF' -strokewidth 1 -draw 'line 6,4 163,4' \
    -stroke none -font "$LATIN" -pointsize 22 -fill '#FFFFFF' -annotate +13+29 "$title" \
    -fill "$dark" -annotate +12+28 "$title" \
    -font "$HANGUL" -pointsize 11 -fill "$dark" -annotate +13+46 "$tagline" \
    "$TMP/base.png"
  convert "$TMP/base.png" "$TMP/lock_from.png" -geometry +138+8 -composite "$TMP/scene.png"
  # The padlock's last frame is opaque: the scene under it, then the lock.
  convert "$TMP/base.png" "$TMP/lock_to.png" -geometry +138+8 -composite \
    -crop 22x28+138+8 +repage "$TMP/lock_end.png"
  # The strip steps, each a whole 150 x 22 rectangle.
  local i=0 steps=()
  for step in "$@"; do
    local text=${step%|*} bar=()
    if [ "$text" != "$step" ]; then
      bar=(-fill none -stroke "$dark" -draw 'rectangle 100,6 143,15')
      [ "${step##*|}" -gt 0 ] && bar+=(-fill "$dark" -draw "rectangle 102,8 $((101 + ${step##*|} * 7)),13")
    fi
    convert -size 150x22 xc:'#FFFFFF' -fill none -stroke "$dark" -strokewidth 1 \
      -draw 'roundrectangle 0,0 149,21 5,5' "${bar[@]}" -stroke none \
      -font "$HANGUL" -pointsize 12 -fill "$dark" -gravity west -annotate +7+0 "$text" \
      "$TMP/strip$i.png"
    steps+=("$TMP/strip$i.png")
    i=$((i + 1))
  done
  local args=(-loop 0 -dispose None -delay 120 -page 170x85+0+0 "$TMP/scene.png")
  # Sweep: each light frame gives back the title before the next one.
  local x
  for x in 4 18 32 46 60 74 88 102; do
    args+=(-dispose Previous -delay 6 -page "170x85+$x+6" "$TMP/shine.png")
  done
  # Strip: every step but the last clears itself; the next covers the hole.
  local last=$((${#steps[@]} - 1))
  for i in "${!steps[@]}"; do
    if [ "$i" -lt "$last" ]; then args+=(-dispose Background -delay 35)
    else args+=(-dispose None -delay 40); fi
    args+=(-page 170x85+10+56 "${steps[$i]}")
  done
  args+=(-dispose None -delay 250 -page 170x85+138+8 "$TMP/lock_end.png")
  convert "${args[@]}" "$OUT/$name"
}

# Mirelka: the selected text turns into cipher text of the same classes,
# one character after another.
plain='안녕하세요 Hi 2024'
cipher='퀭뷁쐉땳흙 Qz 7081'
strip=()
for k in 0 2 4 6 9 12 14; do strip+=("${cipher:0:k}${plain:k}"); done
banner banner_ori.gif '#EEF3FF' '#B9CDF7' '#1C3F8E' Mirelka '선택한 글을 그 자리에서 암호로' open closed "${strip[@]}"

# Trisel: a file is coded into its .tsl twin, or back.
strip=()
for k in 0 1 2 3 4 5 6; do strip+=("보고서.doc|$k"); done
strip+=("보고서.doc.tsl  암호화 완료")
banner banner_ori_en.gif '#FFF2F2' '#FFB4B4' '#A32020' Trisel '파일과 폴더를 한 번에 암호화' open closed "${strip[@]}"

strip=()
for k in 0 1 2 3 4 5 6; do strip+=("보고서.doc.tsl|$k"); done
strip+=("보고서.doc  해독 완료")
banner banner_ori_de.gif '#F0F5FF' '#AAC6F8' '#2D4C9E' Trisel '암호 파일을 원래대로 해독' closed open "${strip[@]}"

ls -l "$OUT"/banner_ori*.gif
