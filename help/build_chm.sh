#!/usr/bin/env bash
# Builds Mirelka.chm: help/build_chm.sh OUTPUT-FILE
# The sources are UTF-8; the help viewer of Korean Windows reads the pages
# and the contents file in the ANSI code page, so a copy in CP949 (with the
# pages' charset declared as such) is compiled with chmcmd.
set -euo pipefail
SRC=$(cd "$(dirname "$0")" && pwd)
OUT=$1
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
cd "$SRC"
while IFS= read -r -d '' f; do
  mkdir -p "$STAGE/$(dirname "$f")"
  case "$f" in
    *.htm|*.hhc|*.hhk|*.hhp|*.css)
      iconv -f UTF-8 -t CP949 "$f" | sed 's/charset=utf-8/charset=euc-kr/' > "$STAGE/$f" ;;
    *) cp "$f" "$STAGE/$f" ;;
  esac
done < <(find . -type f \( -name '*.htm' -o -name '*.hhc' -o -name '*.hhk' -o -name '*.hhp' -o -name '*.css' -o -name '*.gif' -o -name '*.png' \) -print0)
(cd "$STAGE" && chmcmd --no-html-scan Mirelka.hhp > chmcmd.log 2>&1) || { cat "$STAGE/chmcmd.log" >&2; exit 1; }
[ -s "$STAGE/Mirelka.chm" ] || { echo "build_chm: no Mirelka.chm" >&2; cat "$STAGE/chmcmd.log" >&2; exit 1; }
mkdir -p "$(dirname "$OUT")"
cp "$STAGE/Mirelka.chm" "$OUT"
