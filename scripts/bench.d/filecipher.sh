#!/usr/bin/env bash
# File coder speed: a 512 MiB file copied by cat, XOR-copied by a plain
# getc/putc loop, and encrypted and decrypted through the coder, with the
# wall time of each and the coder's peak memory. Prints figures only.
set -uo pipefail
B=$BIN/filecipher_bench
D=$BENCH_TMP/filecipher
mkdir -p "$D"
SRC=$D/sample.bin
MIB=${FILECIPHER_BENCH_MIB:-512}
head -c $((MIB * 1024 * 1024)) /dev/urandom > "$SRC" || exit 1
sync

# seconds, with the peak RSS in KiB in $rss
# Each run starts with nothing dirty in the page cache, so that no run pays
# for the write-back of the one before.
measure() {
  local log=$D/time.log
  sync
  sleep 1
  /usr/bin/time -v -o "$log" "$@" || { echo "failed: $*"; return 1; }
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
  cpu=$(awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {printf "%.2f", u + s}' "$log")
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log" |
         awk -F: '{ if (NF == 3) print $1*3600 + $2*60 + $3; else print $1*60 + $2 }')
}

measure sh -c "cat '$SRC' > '$D/cat.out'"; t_cat=$secs; c_cat=$cpu
rm -f "$D/cat.out"
# cat copies inside the kernel where it can (copy_file_range); dd with 1 MiB
# blocks is the plain read-and-write copy that any user-space coder pays.
measure dd if="$SRC" of="$D/dd.out" bs=1M status=none; t_dd=$secs; c_dd=$cpu
rm -f "$D/dd.out"
measure "$B" getc "$SRC" "$D/getc.out"; t_getc=$secs; c_getc=$cpu
rm -f "$D/cat.out" "$D/getc.out"
sum=$(md5sum < "$SRC")
measure "$B" encrypt "$SRC"; t_enc=$secs; c_enc=$cpu; rss_enc=$rss
# Removed rather than renamed: a third large file in the page cache makes
# the kernel's page allocation the thing measured.
rm -f "$SRC"
measure "$B" decrypt "$SRC.tsl"; t_dec=$secs; c_dec=$cpu; rss_dec=$rss
if [ "$(md5sum < "$SRC")" = "$sum" ]; then same=yes; else same=NO; fi

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
# Wall time is what the user waits; CPU time (user + system) is steadier on
# a busy machine.
echo "file size:          $MIB MiB (wall s / cpu s)"
echo "cat:                ${t_cat} / ${c_cat}"
echo "dd bs=1M:           ${t_dd} / ${c_dd}"
echo "getc/putc loop:     ${t_getc} / ${c_getc}"
echo "encrypt:            ${t_enc} / ${c_enc}  (wall $(ratio "$t_enc" "$t_cat") x cat, $(ratio "$t_enc" "$t_getc") x getc loop, $(ratio "$t_enc" "$t_dd") x dd; cpu $(ratio "$c_enc" "$c_cat") x cat)"
echo "decrypt:            ${t_dec} / ${c_dec}  (wall $(ratio "$t_dec" "$t_cat") x cat, $(ratio "$t_dec" "$t_getc") x getc loop, $(ratio "$t_dec" "$t_dd") x dd; cpu $(ratio "$c_dec" "$c_cat") x cat)"
echo "peak RSS encrypt:   ${rss_enc} KiB"
echo "peak RSS decrypt:   ${rss_dec} KiB"
echo "round trip equal:   $same"
rm -rf "$D"
