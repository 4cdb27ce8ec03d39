#!/usr/bin/env bash
# Trisel.exe under Wine: encrypting a 512 MiB file through the dialog, timed
# by the end-to-end driver from the press of the run button to the status
# line, beside `cat` copying the same file. Aim: at most 1.5 times cat.
set -uo pipefail
# shellcheck source=lib/wine-build.sh
. "$ROOT/scripts/bench.d/lib/wine-build.sh"
echo "Trisel.exe runs as the $WINE_BITS-bit build ($WINE_WHY)"
wine_build trisel_gui Trisel trisel_e2e

DIR=$BENCH_TMP/trisel-gui
mkdir -p "$DIR/app" "$DIR/art"
cp "$WBUILD/bin/Trisel.exe" "$DIR/app/"
head -c 512M /dev/urandom > "$DIR/big.bin"

wine_bench_start

# Best of three for each, every run starting with nothing dirty in the page
# cache, so no run pays for the write-back of the one before.
cats=() guis=()
for _ in 1 2 3; do
  sync
  t0=$(date +%s.%N); cat "$DIR/big.bin" > "$DIR/copy.bin"; t1=$(date +%s.%N)
  rm -f "$DIR/copy.bin"; sync
  cats+=("$(python3 -c "print($t1 - $t0)")")
  rm -f "$DIR/driver-results.txt"
  timeout 900 wine explorer /desktop=bench,1024x768 "$(winpath "$WBUILD/bin/trisel_e2e.exe")" \
    "$(winpath "$DIR")" "$(winpath "$DIR/app")" "$(winpath "$DIR/art")" bench "$(winpath "$DIR/big.bin")" \
    > "$DIR/wine.log" 2>&1
  g=$(sed -n 's/^BENCH \([0-9.-]*\).*/\1/p' "$DIR/driver-results.txt" 2>/dev/null)
  if [ -z "$g" ] || [ "${g#-}" != "$g" ]; then
    echo "trisel_gui: the timed run failed (see $DIR/driver-results.txt)"; exit 1
  fi
  guis+=("$g")
done
cat_s=$(best "${cats[@]}")
gui_s=$(best "${guis[@]}")
printf 'cat 512 MiB (best of 3):         %6.2f s\n' "$cat_s"
printf 'Trisel.exe encrypt (best of 3):  %6.2f s (%.2f x cat; aim <= 1.5)\n' "$gui_s" \
  "$(python3 -c "print($gui_s / max($cat_s, 1e-9))")"
rm -f "$DIR/big.bin" "$DIR/big.bin.tsl"
