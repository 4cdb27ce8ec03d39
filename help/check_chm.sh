#!/usr/bin/env bash
# Checks Mirelka.chm against the programs: help/check_chm.sh CHM SOURCE-ROOT
# Every help page that Mirelka.exe or Trisel.exe opens ("page.htm" or
# "page.htm#ANCHOR" in their sources) must be in the compiled file, and every
# anchor must be named in its page; every page of the contents and the index
# must be in the file too.
set -uo pipefail
CHM=$1
ROOT=$2
listing=$(chmls "$CHM" 2>&1) || { echo "check_chm: chmls cannot read $CHM"; exit 1; }
status=0
in_chm() { grep -qE "[[:space:]]/$1\$" <<<"$listing"; }
pages=$(grep -rhoE '"[A-Za-z/]+[0-9]*\.htm(#[A-Za-z_]+)?"' "$ROOT"/mirelka/win32 "$ROOT"/trisel/win32 | tr -d '"' | sort -u)
[ -n "$pages" ] || { echo "check_chm: no help page found in the sources"; exit 1; }
for ref in $pages $(grep -hoE 'value="[^"]+\.htm[^"]*"' "$ROOT"/help/toc.hhc "$ROOT"/help/index.hhk | sed 's/^value="//; s/"$//' | sort -u); do
  page=${ref%%#*}
  if ! in_chm "$page"; then echo "check_chm: $page is not in Mirelka.chm"; status=1; continue; fi
  if [ "$ref" != "$page" ]; then
    anchor=${ref#*#}
    grep -q "name=\"$anchor\"" "$ROOT/help/$page" || { echo "check_chm: $page has no anchor $anchor"; status=1; }
  fi
done
[ $status -eq 0 ] && echo "check_chm: $(wc -w <<<"$pages") pages of the programs found in Mirelka.chm"
exit $status
