#!/usr/bin/env bash
# The installer: its size as scripts/release builds it (stripped programs,
# LZMA), and the silent install and uninstall times under Wine in a fresh
# prefix (best of three each). Figures only; nothing is asserted.
set -uo pipefail
# shellcheck source=lib/wine-build.sh
. "$ROOT/scripts/bench.d/lib/wine-build.sh"
wine_build installer Mirelka Trisel update TriselShell mirelka_help
if [ "$WINE_BITS" = 32 ]; then
  release_build "$BUILD/release-x86_64" "$ROOT/cmake/mingw-x86_64.cmake" -DMIRELKA_SHELLEXT_ONLY=ON -- TriselShell ||
    { echo "installer: cross build failed"; exit 1; }
  DLL64=$BUILD/release-x86_64/bin/TriselShell64.dll AMD64=() STRIP=i686-w64-mingw32-strip
  echo "the 32-bit installer, run by Wine's 32-bit side ($WINE_WHY)"
else
  DLL64=$WBUILD/bin/TriselShell64.dll AMD64=(--amd64) STRIP=x86_64-w64-mingw32-strip
  echo "the installer built for amd64-unicode with the x86_64 programs ($WINE_WHY)"
fi

DIR=$BENCH_TMP/installer
rm -rf "$DIR"
mkdir -p "$DIR/stage"
for f in Mirelka.exe Trisel.exe update.exe TriselShell.dll; do
  [ -f "$WBUILD/bin/$f" ] && "$STRIP" -o "$DIR/stage/$f" "$WBUILD/bin/$f"
done
# The x86_64 tree has no 32-bit DLL; a stand-in keeps the file list whole.
[ -f "$DIR/stage/TriselShell.dll" ] || cp "$DIR/stage/Trisel.exe" "$DIR/stage/TriselShell.dll"
x86_64-w64-mingw32-strip -o "$DIR/stage/TriselShell64.dll" "$DLL64"
cp "$WBUILD/bin/Mirelka.chm" "$WBUILD"/bin/banner_ori*.gif "$DIR/stage/"
"$ROOT/installer/build" --version 1.0 --files "$DIR/stage" --out "$DIR/setup.exe" "${AMD64[@]}" >/dev/null ||
  { echo "installer: makensis failed"; exit 1; }
stage_kib=$(du -k -c "$DIR"/stage/* | tail -n 1 | cut -f1)
printf 'installer size:                  %6.2f MiB (%d KiB of files, LZMA solid)\n' \
  "$(python3 -c "print($(stat -c %s "$DIR/setup.exe") / 1048576)")" "$stage_kib"

# A fresh prefix of its own: the first install meets no earlier one.
wine_bench_start "$DIR"
if [ "$WINE_BITS" = 32 ]; then inst='C:\Program Files (x86)\Pelmora\Mirelka' unix='Program Files (x86)'
else inst='C:\Program Files\Pelmora\Mirelka' unix='Program Files'; fi
secs() { python3 -c "print($2 - $1)"; }
ins=() uns=()
for _ in 1 2 3; do
  t0=$(date +%s.%N)
  timeout 300 wine "Z:${DIR//\//\\}\\setup.exe" /S >/dev/null 2>&1 || { echo "installer: the silent install failed"; exit 1; }
  t1=$(date +%s.%N)
  ins+=("$(secs "$t0" "$t1")")
  t0=$(date +%s.%N)
  # The usual start hands over to a copy of itself and returns: timed until
  # the folder is gone.
  timeout 300 wine "$inst\\uninstall.exe" /S >/dev/null 2>&1 || { echo "installer: the silent uninstall failed"; exit 1; }
  for _ in $(seq 1 1200); do [ -e "$WINEPREFIX/drive_c/$unix/Pelmora/Mirelka" ] || break; sleep 0.05; done
  t1=$(date +%s.%N)
  uns+=("$(secs "$t0" "$t1")")
done
printf 'silent install (best of 3):      %6.2f s\n' "$(best "${ins[@]}")"
printf 'silent uninstall (best of 3):    %6.2f s (until the folder is gone)\n' "$(best "${uns[@]}")"
wine_env_stop
rm -rf "$DIR"
