#!/bin/sh
# Registers one TriselShell DLL with the regsvr32 of its bitness, reads every
# row back from its registry view, runs the COM driver against it (with the
# recording stand-in for Trisel.exe, then with the real Trisel.exe when it
# has been built) and unregisters it again.
#   run_wine_test.sh 32|64 DLL_BIN_DIR WIN32_BIN_DIR
# Needs WINEPREFIX (a win64 prefix), DISPLAY and a Korean locale set by the
# caller; leaves the prefix's wineserver running. Exit 77: DLL not built.
set -u
BITS=$1
BIN=$2
BIN32=$3
CLSID='{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}'
if [ "$BITS" = 64 ]; then
  DLL=TriselShell64.dll DRIVER=shellext_driver64.exe
  REGSVR='C:\windows\system32\regsvr32.exe' VIEW=/reg:64 OTHER=/reg:32
else
  DLL=TriselShell.dll DRIVER=shellext_driver.exe
  REGSVR='C:\windows\syswow64\regsvr32.exe' VIEW=/reg:32 OTHER=/reg:64
fi
if [ ! -f "$BIN/$DLL" ] || [ ! -f "$BIN/$DRIVER" ]; then
  echo "skipped: $BIN/$DLL or its driver has not been built"
  exit 77
fi
for f in trisel_stub.exe; do
  [ -f "$BIN32/$f" ] || { echo "missing $BIN32/$f"; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/shellext-wine$BITS.XXXXXX")
# The installation folder has Hangul and a blank in its name, like a real one.
DIR="$WORK/트리셀 설치"
mkdir -p "$DIR"
cp "$BIN/$DLL" "$BIN/$DRIVER" "$DIR/"
cp "$BIN32/trisel_stub.exe" "$DIR/Trisel.exe"
WINDIR="Z:$(printf '%s' "$DIR" | sed 's|/|\\|g')"
failures=0

fail() { printf "FAIL %s\n" "$*"; failures=$((failures + 1)); }
ok() { printf "ok   %s\n" "$*"; }

# Wine's console tools write CP949 here; show and compare in UTF-8.
wine_run() {  # wine_run LOG COMMAND... ; returns the command's exit code
  log=$1; shift
  timeout 240 wine "$@" >"$WORK/raw.txt" 2>&1
  rc=$?
  iconv -f CP949 -t UTF-8 "$WORK/raw.txt" >"$log" 2>/dev/null || cp "$WORK/raw.txt" "$log"
  return $rc
}

# row VIEW KEY NAME DATA: the value (NAME empty = default) holds DATA.
row() {
  if [ -z "$3" ]; then set -- "$1" "$2" "" "$4" /ve; else set -- "$1" "$2" "$3" "$4" /v "$3"; fi
  if wine_run "$WORK/q.txt" reg query "$2" "$5" ${3:+"$3"} "$1" &&
     grep -F "REG_SZ" "$WORK/q.txt" | grep -qF -- "$4"; then
    ok "row $1 $2 [$3] = $4"
  else
    fail "row $1 $2 [$3] = $4"; cat "$WORK/q.txt"
  fi
}

# gone VIEW KEY [NAME]: the key (or its value) does not exist.
gone() {
  if wine_run "$WORK/q.txt" reg query "$2" ${3:+/v "${3:-}"} "$1"; then
    fail "still there: $1 $2 ${3:-}"; cat "$WORK/q.txt"
  else
    ok "absent: $1 $2 ${3:-}"
  fi
}

APPROVED='HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
HANDLERS='*\shellex\ContextMenuHandlers\TriselShell Directory\shellex\ContextMenuHandlers\TriselShell'

if wine_run "$WORK/reg.txt" "$REGSVR" /s "$WINDIR\\$DLL"; then ok "regsvr32 $DLL"; else fail "regsvr32 $DLL"; cat "$WORK/reg.txt"; fi
row $VIEW "HKCR\\CLSID\\$CLSID" "" TriselShell
row $VIEW "HKCR\\CLSID\\$CLSID\\InProcServer32" "" "$WINDIR\\$DLL"
row $VIEW "HKCR\\CLSID\\$CLSID\\InProcServer32" ThreadingModel Apartment
for k in $HANDLERS; do row $VIEW "HKCR\\$k" "" "$CLSID"; done
row $VIEW "$APPROVED" "$CLSID" TriselShell
# Each DLL's class lands in its own view: the other one has not got it.
gone $OTHER "HKCR\\CLSID\\$CLSID\\InProcServer32"

if wine_run "$WORK/driver.txt" "$WINDIR\\$DRIVER" stub; then ok "driver with the stand-in"; else fail "driver with the stand-in"; fi
cat "$WORK/driver.txt"

if [ -f "$BIN32/Trisel.exe" ]; then
  cp "$BIN32/Trisel.exe" "$DIR/Trisel.exe"
  if wine_run "$WORK/driver-real.txt" "$WINDIR\\$DRIVER" real; then ok "driver with the real Trisel.exe"; else fail "driver with the real Trisel.exe"; fi
  cat "$WORK/driver-real.txt"
else
  echo "note: $BIN32/Trisel.exe not built; the real program was not tried"
fi

if wine_run "$WORK/unreg.txt" "$REGSVR" /u /s "$WINDIR\\$DLL"; then ok "regsvr32 /u $DLL"; else fail "regsvr32 /u $DLL"; cat "$WORK/unreg.txt"; fi
gone $VIEW "HKCR\\CLSID\\$CLSID"
for k in $HANDLERS; do gone $VIEW "HKCR\\$k"; done
gone $VIEW "$APPROVED" "$CLSID"
# Unregistering what is already gone is no failure.
if wine_run "$WORK/unreg.txt" "$REGSVR" /u /s "$WINDIR\\$DLL"; then ok "second regsvr32 /u"; else fail "second regsvr32 /u"; fi

if [ $failures -eq 0 ]; then
  rm -rf "$WORK"
  echo "all shell extension checks passed ($BITS-bit)"
  exit 0
fi
echo "$failures failed; files kept in $WORK"
exit 1
