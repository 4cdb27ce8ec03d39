#!/bin/sh
# run_wine_test.sh 32|64 DLL_BIN_DIR WIN32_BIN_DIR: registers one TriselShell DLL, runs the
# COM driver with the stand-in and then the real Trisel.exe (if built), unregisters it twice.
# The rows regsvr32 writes and removes in each registry view are read back by the installer's
# end-to-end run (tests/e2e/installer/run). Needs WINEPREFIX (win64), DISPLAY, a Korean
# locale. Exit 77: DLL not built.
set -uf
BITS=$1 BIN=$2 BIN32=$3
if [ "$BITS" = 64 ]; then
  DLL=TriselShell64.dll DRIVER=shellext_driver64.exe REGSVR='C:\windows\system32\regsvr32.exe'
else
  DLL=TriselShell.dll DRIVER=shellext_driver.exe REGSVR='C:\windows\syswow64\regsvr32.exe'
fi
[ -f "$BIN/$DLL" ] && [ -f "$BIN/$DRIVER" ] || { echo "skipped: $BIN/$DLL or its driver not built"; exit 77; }
[ -f "$BIN32/trisel_stub.exe" ] || { echo "missing $BIN32/trisel_stub.exe"; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/shellext-wine$BITS.XXXXXX")
DIR="$WORK/트리셀 설치"  # Hangul and a blank, like a real installation folder
mkdir -p "$DIR"
cp "$BIN/$DLL" "$BIN/$DRIVER" "$DIR/"
cp "$BIN32/trisel_stub.exe" "$DIR/Trisel.exe"
WINDIR="Z:$(printf '%s' "$DIR" | sed 's|/|\\|g')"
failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# wine_run LOG COMMAND...: its exit code; the output (CP949 from Wine's tools) in UTF-8.
wine_run() {
  log=$1; shift
  timeout 240 wine "$@" >"$WORK/raw.txt" 2>&1
  rc=$?
  iconv -f CP949 -t UTF-8 "$WORK/raw.txt" >"$log" 2>/dev/null || cp "$WORK/raw.txt" "$log"
  return $rc
}
# must LABEL COMMAND...: a Wine command that has to succeed; shows its output.
must() {
  label=$1; shift
  if wine_run "$WORK/out.txt" "$@"; then pass "$label"; else fail "$label"; fi
  cat "$WORK/out.txt"
}

must "regsvr32 $DLL" "$REGSVR" /s "$WINDIR\\$DLL"

must "driver with the stand-in" "$WINDIR\\$DRIVER" stub
if [ -f "$BIN32/Trisel.exe" ]; then
  cp "$BIN32/Trisel.exe" "$DIR/Trisel.exe"
  must "driver with the real Trisel.exe" "$WINDIR\\$DRIVER" real
else
  echo "note: $BIN32/Trisel.exe not built; the real program was not tried"
fi

must "regsvr32 /u $DLL" "$REGSVR" /u /s "$WINDIR\\$DLL"
must "unregistering what is already gone is no failure" "$REGSVR" /u /s "$WINDIR\\$DLL"

[ $failures -eq 0 ] || { echo "$failures failed; files kept in $WORK"; exit 1; }
rm -rf "$WORK"
echo "all shell extension checks passed ($BITS-bit)"
