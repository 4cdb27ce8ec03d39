#!/bin/sh
# trisel-cli as a user runs it. Usage: cli_run.sh path/to/trisel-cli
CLI=$1
T=$(mktemp -d "${TMPDIR:-/tmp}/trisel-cli-run.XXXXXX")
trap 'rm -rf "$T"' EXIT
export MIRELKA_REGISTRY_FILE="$T/registry"
fails=0
check() { [ "$2" = "$3" ] || { echo "FAIL: $1: expected [$2], got [$3]"; fails=$((fails + 1)); }; }
has() { grep -qF -- "$2" "$1" || { echo "FAIL: [$2] not in $1:"; cat "$1"; fails=$((fails + 1)); }; }
run() {  # run EXPECTED-STATUS ARGS...: output in $T/out and $T/err
  want=$1; shift
  "$CLI" "$@" <"$T/empty" >"$T/out" 2>"$T/err"
  check "$*" "$want" $?
}

: >"$T/empty"; printf '비밀 번호\nsecond line\n' >"$T/pw"
mkdir -p "$T/A/B/E" "$T/A/C" "$T/A/D"
printf x >"$T/A/x.txt"; printf y >"$T/A/B/y.txt"; printf z >"$T/A/B/E/z.txt"
printf w >"$T/A/D/w.txt"; printf doc >"$T/A/D/w.doc"

run 2 -e "$T/A"  # no password without a terminal
printf 'pass\0word\n' >"$T/pw0"  # the cipher would take only "pass"
run 2 -e --password-file "$T/pw0" "$T/A"; has "$T/err" "holds a zero byte"
for bad in -d --overwrite=some --key-file= --frobnicate --filter; do run 2 -e "$T/A" $bad; done

# No flags, no terminal: the stored options (defaults: this folder, *.*).
run 0 -e --password-file "$T/pw" "$T/A"
check "only the folder's own file" "" "$(ls "$T/A/B" | grep tsl)"

# Sub-folders, a filter, --log-dir; results already there are never overwritten unasked.
mkdir "$T/logs"
run 1 -e --password-file "$T/pw" --subdirs --filter '*.TXT' --log-dir "$T/logs" "$T/A"
has "$T/err" "동일한 파일이 이미 존재합니다."

# Decryption of everything back, with the sources deleted. What is shown of
# the error log is this run's, not the warning the last run left there.
rm "$T/A/x.txt" "$T/A/B/y.txt" "$T/A/B/E/z.txt" "$T/A/D/w.txt"
run 0 -d --password-file "$T/pw" --subdirs --delete-source --log-dir "$T/logs" "$T/A"
check "error log shown" "에러 / 경고가 없습니다.|작업 완료" "$(paste -s -d '|' "$T/err")"
check "restored, sources deleted" "xyzw" "$(cd "$T/A" && cat x.txt B/y.txt B/E/z.txt D/w.txt; find . -name '*.tsl')"

# Nothing to do; a wrong password (No to stopping).
run 4 -e --password-file "$T/pw" --filter '*.none' "$T/A"
run 0 -e --password-file "$T/pw" "$T/A/x.txt"
printf 'other\n' >"$T/pw2"; run 1 -d --password-file "$T/pw2" "$T/A/x.txt.tsl"

# A key file given for one run is not stored (tests/e2e/run compares what it makes).
yes key | head -c 4096 >"$T/key"; printf k >"$T/k.txt"
run 0 -e --password-file "$T/pw" --key-file "$T/key" "$T/k.txt"
check "key file not stored" "" "$(grep -i CommKeyFile "$MIRELKA_REGISTRY_FILE")"

# Ctrl+C while a big file is coded: the job stops and leaves no part.
truncate -s 2G "$T/big.bin"
"$CLI" -e --password-file "$T/pw" --no-key-file "$T/big.bin" <"$T/empty" >"$T/out" 2>"$T/err" &
pid=$! i=0
while [ ! -e "$T/big.bin.tsl" ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i + 1)); done
kill -INT $pid
wait $pid; check "Ctrl+C stops" 3 $?
check "partial result removed" "" "$(ls "$T" | grep big.bin.tsl)"

# Two Ctrl+C end it at once, even while the job waits to open a pipe nobody writes.
mkfifo "$T/pipe.txt"
"$CLI" -e --password-file "$T/pw" --no-key-file "$T/pipe.txt" <"$T/empty" >"$T/out" 2>"$T/err" &
pid=$!
sleep 0.5; kill -INT $pid; sleep 0.2; kill -INT $pid
wait $pid; check "second Ctrl+C" 130 $?

[ $fails -eq 0 ] || { echo "$fails check(s) failed"; exit 1; }
