# Sourced by the end-to-end run scripts: what each of them does around its
# driver under Wine.

# The Windows form of a Unix path (Wine's Z: drive).
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# A port on 127.0.0.1 where nothing listens.
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# Korean faces the programs ask for by name, mapped to a Nanum font that
# Debian provides and that has Hanja too, so the screenshots show what a
# Korean Windows shows.
korean_fonts() {  # korean_fonts SCRATCH-FOLDER
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"굴림"="NanumGothic"\n"바탕"="NanumGothic"\n' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$1/fonts.reg"
  timeout 60 wine regedit /S "$(winpath "$1/fonts.reg")" >/dev/null 2>&1
}

# A stand-in browser for http addresses, for the length of a run;
# restore_browser puts back what was there before.
BROWSER_KEY='HKLM\Software\Classes\http\shell\open\command'
use_browser() {  # use_browser EXE
  OLD_BROWSER=$(timeout 60 wine reg query "$BROWSER_KEY" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_[A-Z_]* *//p')
  timeout 60 wine reg add "$BROWSER_KEY" /ve /d "\"$(winpath "$1")\" \"%1\"" /f >/dev/null 2>&1
}
restore_browser() {
  if [ -n "${OLD_BROWSER:-}" ]; then timeout 60 wine reg add "$BROWSER_KEY" /ve /d "$OLD_BROWSER" /f >/dev/null 2>&1
  else timeout 60 wine reg delete "$BROWSER_KEY" /ve /f >/dev/null 2>&1; fi
}

# Shows the driver's results file; fails unless it says "RESULT OK".
driver_results() {  # driver_results NAME RESULTS-FILE WINE-EXIT-CODE
  if [ -f "$2" ]; then cat "$2"; else echo "$1: the driver left no results (wine exit $3)"; fi
  [ "$3" -ne 124 ] || { echo "$1: the driver timed out"; return 1; }
  grep -qs '^RESULT OK' "$2"
}

# The screenshots of a folder, from BMP to PNG.
bmp_to_png() {  # bmp_to_png FOLDER
  local b
  for b in "$1"/*.bmp; do [ -f "$b" ] && convert "$b" "${b%.bmp}.png" && rm -f "$b"; done
  return 0
}
