#!/usr/bin/env bash
# The banner strip under Wine: the set-up time of a 1 MB animated GIF and of
# a 1 MB GIF of tiny frames (only the frame budget is decoded), the GDI
# objects of a process with a banner running, once a second, and the CPU
# use of Trisel.exe and Mirelka.exe while only their banners animate (aim:
# under 1 % of a core; Wine's server counted apart). No server answers, so
# nothing but the shipped pictures is shown.
set -uo pipefail
# shellcheck source=lib/wine-build.sh
. "$ROOT/scripts/bench.d/lib/wine-build.sh"
echo "the programs run as the $WINE_BITS-bit build ($WINE_WHY)"
wine_build banner Trisel Mirelka banner_bench

DIR=$BENCH_TMP/banner
rm -rf "$DIR"
mkdir -p "$DIR/app"
cp "$WBUILD/bin"/{Trisel.exe,Mirelka.exe,banner_bench.exe,banner_ori.gif,banner_ori_en.gif} "$DIR/app/"
echo "a document" > "$DIR/doc.txt"
# A 1 MB animated GIF: 170 x 85 frames of noise, as many as fit in 1 MiB.
convert -size 170x85 $(for i in $(seq 1 72); do printf 'xc: -seed %d +noise Random ' "$i"; done) \
  -colors 256 -loop 0 -delay 10 "$DIR/app/noise_1m.gif"
while [ "$(stat -c %s "$DIR/app/noise_1m.gif")" -gt 1048576 ]; do
  convert "$DIR/app/noise_1m.gif" -delete -1 "$DIR/app/noise_1m.gif"
done
# A 1 MB GIF of 1 x 1 frames, each with its control extension.
python3 - "$DIR/app/tiny_1m.gif" <<'PY'
import sys
head = b"GIF89a\x01\x00\x01\x00\x80\x00\x00" + b"\x00\x00\x00\xff\xff\xff"
frame = b"\x21\xf9\x04\x08\x01\x00\x00\x00" + b"\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00"
n = (1048576 - len(head) - 1) // len(frame)
open(sys.argv[1], "wb").write(head + frame * n + b"\x3b")
PY

wine_bench_start
# Nothing listens there: the banner threads find no server at once.
MIRELKA_VENDOR_SERVER=127.0.0.1:$(free_port)
export MIRELKA_VENDOR_SERVER
timeout 60 wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Mirelka /f >/dev/null 2>&1

for gif in noise_1m.gif tiny_1m.gif; do
  echo "- $gif ($(stat -c %s "$DIR/app/$gif") bytes)"
  (cd "$DIR/app" && timeout 300 wine explorer /desktop=bench,1024x768 banner_bench.exe load "$gif" 10) 2>/dev/null |
    tr -d '\r' | sed -n '/set-up\|CPU\|before\|after  [15] s\|after 10 s\|gone\|second round/p'
done

# CPU of a program: its Wine process and the Wine server, over 10 s, after
# 5 s to settle. Clock ticks from /proc, as a share of one core.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
pid_of() {  # pid_of NAME: the Linux process of the Windows program NAME (or wineserver) in our prefix
  local p first
  for p in /proc/[0-9]*; do
    first=$({ tr '\0' '\n' < "$p/cmdline"; } 2>/dev/null | head -n 1)
    case ${first,,} in *"${1,,}") ;; *) continue ;; esac
    { tr '\0' '\n' < "$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "${p#/proc/}"; return; }
  done
}
cpu() {  # cpu LABEL EXE-NAME
  local prog server a b c d hz
  hz=$(getconf CLK_TCK)
  sleep 5
  prog=$(pid_of "$2")
  server=$(pid_of wineserver64)
  [ -n "$server" ] || server=$(pid_of wineserver)
  [ -n "$prog" ] || { echo "$1: not running"; return; }
  a=$(ticks "$prog"); c=$(ticks "${server:-0}")
  sleep 10
  b=$(ticks "$prog"); d=$(ticks "${server:-0}")
  printf '%s while only the banner animates: %.2f %% of one core (Wine server %.2f %%)\n' "$1" \
    "$(python3 -c "print(100.0 * ($b - $a) / ($hz * 10))")" "$(python3 -c "print(100.0 * ($d - $c) / ($hz * 10))")"
}

(cd "$DIR/app" && timeout 120 wine explorer /desktop=trisel,1024x768 Trisel.exe -e "$(winpath "$DIR/doc.txt")" \
  >/dev/null 2>&1 &)
cpu "Trisel.exe" Trisel.exe
timeout 30 wine taskkill /f /im Trisel.exe >/dev/null 2>&1

(cd "$DIR/app" && timeout 120 wine explorer /desktop=mirelka,1024x768 Mirelka.exe noupdate >/dev/null 2>&1 &)
sleep 2
(cd "$DIR/app" && timeout 60 wine explorer /desktop=mirelka,1024x768 banner_bench.exe open-mirelka >/dev/null 2>&1)
cpu "Mirelka.exe" Mirelka.exe
timeout 30 wine taskkill /f /im Mirelka.exe >/dev/null 2>&1
timeout 60 wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Mirelka /f >/dev/null 2>&1
rm -rf "$DIR"
