#!/usr/bin/env bash
# Text-block cipher: a 100 KB Korean text through the cipher, and the
# sampling of a 1 GB common key file (sparse, so it costs no disk space),
# both in-process and through mirelka-cli.
set -uo pipefail
key=$BENCH_TMP/textcipher-key.bin
rm -f "$key"
truncate -s 1G "$key"
"$BIN/textcipher-bench" "$key"

printf 'benchmark\n' > "$BENCH_TMP/textcipher-pw"
text=$BENCH_TMP/textcipher-text
: > "$text"
while [ "$(stat -c %s "$text")" -lt 102000 ]; do
  printf '동해 물과 백두산이 마르고 닳도록, 하느님이 보우하사 우리나라 만세! (1234)\n' >> "$text"
done
iconv -f UTF-8 -t CP949 "$text" | head -c 102400 > "$text.949"
ms() { echo "$(( ($2 - $1) / 1000000 ))"; }
t0=$(date +%s%N)
"$BIN/mirelka-cli" --password-file "$BENCH_TMP/textcipher-pw" < "$text.949" > /dev/null
t1=$(date +%s%N)
"$BIN/mirelka-cli" --password-file "$BENCH_TMP/textcipher-pw" --key-file "$key" < "$text.949" > /dev/null
t2=$(date +%s%N)
echo "mirelka-cli, 100 KB Korean text, whole process: $(ms "$t0" "$t1") ms"
echo "mirelka-cli, same text with the 1 GB common key file: $(ms "$t1" "$t2") ms"
rm -f "$key" "$BENCH_TMP/textcipher-pw" "$text" "$text.949"
