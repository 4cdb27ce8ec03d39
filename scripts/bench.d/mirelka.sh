#!/usr/bin/env bash
# Mirelka.exe under Wine, worked by its end-to-end driver with notepad as the
# other application: the time from the hot key's release to the window with
# the captured text (the key-release poll and the first clipboard read are
# 100 ms timers each, so about 200 ms is the floor), ENCODE of 100 KB of
# Korean text, a whole capture-encode-paste cycle (two 300 ms paste ticks
# included), and CPU time and working set while idle in the tray for 10 s.
# Medians and minima of five runs; printed, not judged.
set -uo pipefail
: "${BIN:?}"
# shellcheck source=lib/wine-build.sh
. "$ROOT/scripts/bench.d/lib/wine-build.sh"
echo "Mirelka.exe runs as the $WINE_BITS-bit build ($WINE_WHY)"
wine_build mirelka Mirelka mirelka_e2e mirelka_e2e_standin

# The run script reads the programs from TOP/$WINBITS_DIR/bin.
TOP=$BENCH_TMP/mirelka-top
mkdir -p "$TOP"
ln -sfn "$WBUILD" "$TOP/$WINBITS_DIR"
wine_bench_start
out=$(MIRELKA_E2E_BENCH=1 MIRELKA_CLI=$BIN/mirelka-cli "$ROOT/tests/e2e/mirelka/run" "$TOP" 2>&1)
if ! grep -q '^BENCH' <<<"$out"; then
  echo "mirelka: the timed runs failed:"; echo "$out" | tail -n 20; exit 1
fi
sed -n 's/^BENCH //p' <<<"$out" | while read -r name rest; do
  case $name in
    hotkey-to-window) printf 'hot key release to window with text:  %s\n' "$rest" ;;
    encode-100k)      printf 'ENCODE of 100 KB Korean text:         %s\n' "$rest" ;;
    cycle)            printf 'capture, encode and paste cycle:      %s\n' "$rest" ;;
    idle-cpu)         printf 'CPU while idle in the tray:           %s\n' "$rest" ;;
    working-set)      printf 'working set while idle:               %s\n' "$rest" ;;
  esac
done
rm -rf "$TOP"
