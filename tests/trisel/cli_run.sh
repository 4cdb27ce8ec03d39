#!/bin/sh
# trisel-cli as a user runs it: exit statuses, the batch answers, the logs,
# the stored settings and Ctrl+C. Usage: cli_run.sh path/to/trisel-cli
CLI=$1
T=$(mktemp -d "${TMPDIR:-/tmp}/trisel-cli-run.XXXXXX")
trap 'rm -rf "$T"' EXIT
export MIRELKA_REGISTRY_FILE="$T/registry"
fails=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then echo "FAIL: $1: expected [$2], got [$3]"; fails=$((fails + 1)); fi
}
has() {  # has WHAT FILE TEXT
  if ! grep -qF -- "$3" "$2"; then echo "FAIL: $1: [$3] not in $2:"; cat "$2"; fails=$((fails + 1)); fi
}
run() {  # run ARGS...: status in $rc, output in $T/out and $T/err
  "$CLI" "$@" <"$T/empty" >"$T/out" 2>"$T/err"
  rc=$?
}
reg() { grep -i "^$1=" "$MIRELKA_REGISTRY_FILE" | cut -d= -f2; }

: >"$T/empty"
printf '비밀 번호\nsecond line\n' >"$T/pw"
mkdir -p "$T/A/B/E" "$T/A/C" "$T/A/D"
printf 'x' >"$T/A/x.txt"; printf 'y' >"$T/A/B/y.txt"
printf 'z' >"$T/A/B/E/z.txt"; printf 'w' >"$T/A/D/w.txt"; printf 'doc' >"$T/A/D/w.doc"

run; check "no arguments" 2 $rc
has "usage text" "$T/err" "Trisel -e \"file1\""
"$CLI" --help >"$T/out" 2>&1; check "help" 0 $?
run -e "$T/A"; check "no password without a terminal" 2 $rc

# A folder without flags and without a terminal: the stored options
# (defaults: this folder only, *.*).
run -e --password-file "$T/pw" "$T/A"
check "encrypt folder" 0 $rc
has "job log on stdout" "$T/out" "1 : (ok) $T/A/x.txt"
has "status line" "$T/err" "작업 완료"
check "only the folder's own file" "" "$(ls "$T/A/B" | grep tsl)"

# With sub-folders and a filter, logs under --log-dir.
mkdir "$T/logs"
run -e --password-file "$T/pw" --subdirs --filter '*.TXT' --log-dir "$T/logs" "$T/A"
check "existing result is never overwritten unasked" 1 $rc
has "skip line" "$T/out" "1 : (skip) $T/A/x.txt"
has "the others coded" "$T/out" "4 : (ok)"
has "error log on stderr" "$T/err" "동일한 파일이 이미 존재합니다."
check "job log file" 1 "$(grep -c 'z.txt' "$T/logs/Trisel.exe.log")"
test -f "$T/logs/Trisel.exe_err.log"; check "error log file" 0 $?
test -e "$T/logs/Trisel.exe_dbg.log"; check "no debug log" 1 $?
check "filter stored" "1:2a2e54585400" "$(reg Filter)"
test -e "$T/A/D/w.doc.tsl"; check "filter keeps w.doc" 1 $?

run -e --password-file "$T/pw" --overwrite all "$T/A/x.txt"
check "overwrite all (counted as a warning)" 1 $rc
has "overwritten" "$T/out" "1 : (ok) $T/A/x.txt"

# Decryption of everything back, with the sources deleted.
rm "$T/A/x.txt" "$T/A/B/y.txt" "$T/A/B/E/z.txt" "$T/A/D/w.txt"
run -d --password-file "$T/pw" --subdirs --delete-source "$T/A"
check "decrypt folder" 0 $rc
check "restored" "x y z w" "$(cat "$T/A/x.txt") $(cat "$T/A/B/y.txt") $(cat "$T/A/B/E/z.txt") $(cat "$T/A/D/w.txt")"
check "sources deleted" "" "$(find "$T/A" -name '*.tsl')"
check "DelSrcFile stored" "4:01000000" "$(reg DelSrcFile)"

# Single-file refusals and nothing to do.
run -e --password-file "$T/pw" "$T/A/x.txt"
run -e --password-file "$T/pw" "$T/A/x.txt.tsl"; check "-e on a .tsl file" 4 $rc
run -e --password-file "$T/pw" --filter '*.none' "$T/A"; check "nothing to do" 4 $rc
has "no-files status" "$T/err" "작업할 파일이 없습니다. → [로그] [에러] 에서 확인"
check "DelSrcFile follows the flag" "4:00000000" "$(reg DelSrcFile)"

# A wrong password skips the file (No to the stop question).
printf 'other\n' >"$T/pw2"
run -d --password-file "$T/pw2" "$T/A/x.txt.tsl"; check "wrong password" 1 $rc
has "wrong password reported" "$T/err" "틀린 <암호>를 입력했습니다."

# Ctrl+C while a big file is coded: the job stops and leaves no part.
truncate -s 2G "$T/big.bin"
"$CLI" -e --password-file "$T/pw" --no-key-file "$T/big.bin" <"$T/empty" >"$T/out" 2>"$T/err" &
pid=$!
i=0
while [ ! -e "$T/big.bin.tsl" ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i + 1)); done
kill -INT $pid
wait $pid; rc=$?
check "Ctrl+C stops" 3 $rc
has "cancel line" "$T/out" "1 : (cancel) $T/big.bin"
has "stopped status" "$T/err" "작업 중지"
test -e "$T/big.bin.tsl"; check "partial result removed" 1 $?

# Two Ctrl+C end the program at once, also where the job cannot notice the
# first: here it waits to open a pipe that nobody writes.
mkfifo "$T/pipe.txt"
"$CLI" -e --password-file "$T/pw" --no-key-file "$T/pipe.txt" <"$T/empty" >"$T/out" 2>"$T/err" &
pid=$!
sleep 0.5
kill -INT $pid
sleep 0.2
kill -INT $pid
wait $pid; rc=$?
check "second Ctrl+C" 130 $rc

if [ $fails -ne 0 ]; then echo "$fails check(s) failed"; exit 1; fi
echo "all trisel-cli checks passed"
