#!/bin/sh
# run_wine_test.sh 32|64 DLL_BIN_DIR WIN32_BIN_DIR: registers one TriselShell DLL in a folder
# named with Hangul and a blank, runs the COM driver with the stand-in Trisel.exe, and
# unregisters it twice. The rows themselves are read back by tests/e2e/installer/run.
# Needs WINEPREFIX (win64), DISPLAY, a Korean locale. Exit 77: DLL not built.
set -uf
BITS=$1 BIN=$2 BIN32=$3 DLL=TriselShell.dll DRIVER=shellext_driver.exe REGSVR='C:\windows\syswow64\regsvr32.exe'
[ "$BITS" = 64 ] && DLL=TriselShell64.dll DRIVER=shellext_driver64.exe REGSVR='C:\windows\system32\regsvr32.exe'
[ -f "$BIN/$DLL" ] && [ -f "$BIN/$DRIVER" ] || { echo "skipped: $BIN/$DLL or its driver not built"; exit 77; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/shellext-wine$BITS.XXXXXX") DIR="$WORK/트리셀 설치"
mkdir -p "$DIR" && cp "$BIN/$DLL" "$BIN/$DRIVER" "$DIR/" && cp "$BIN32/trisel_stub.exe" "$DIR/Trisel.exe" || exit 1
WINDIR="Z:$(printf '%s' "$DIR" | sed 's|/|\\|g')"
failures=0
must() {  # must LABEL COMMAND...: a Wine command that has to succeed; its output (CP949) in UTF-8
  label=$1; shift
  if timeout 240 wine "$@" >"$WORK/raw.txt" 2>&1; then echo "ok   $label"
  else echo "FAIL $label"; failures=$((failures + 1)); fi
  iconv -f CP949 -t UTF-8 "$WORK/raw.txt" 2>/dev/null || cat "$WORK/raw.txt"
}
must "regsvr32 $DLL" "$REGSVR" /s "$WINDIR\\$DLL"
must "driver with the stand-in" "$WINDIR\\$DRIVER"
must "regsvr32 /u $DLL" "$REGSVR" /u /s "$WINDIR\\$DLL"
must "unregistering what is already gone is no failure" "$REGSVR" /u /s "$WINDIR\\$DLL"
[ $failures -eq 0 ] || { echo "$failures failed; files kept in $WORK"; exit 1; }
rm -rf "$WORK"; echo "all shell extension checks passed ($BITS-bit)"
