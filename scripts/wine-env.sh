# Sourced by the scripts that run Windows programs. Needs $BUILD (the top
# build folder) set by the caller.
#
# wine_detect finds out once whether this machine can run Wine's 32-bit side
# and sets:
#   WINE_BITS    32 or 64: which builds of the Windows programs run here
#   WINBITS_DIR  the build folder under $BUILD holding them (win32 or x64)
#   WINE_WHY     why, in a few words, for the test summary
# Some kernels refuse 32-bit x86 code altogether ("32-bit emulation
# disabled"); there the same sources built for x86_64 run under the 64-bit
# loader instead. MIRELKA_WINE_BITS=32 or 64 forces either way.
#
# wine_env_start starts Xvfb on a free display and a Wine prefix inside the
# build folder (Korean locale); wine_env_stop ends both and every Wine
# process of that prefix.

WINE_XVFB_PID=""
WINE_ENV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

wine_detect() {
  [ -n "${WINE_BITS:-}" ] && return 0
  local out
  case "${MIRELKA_WINE_BITS:-}" in
    32) WINE_BITS=32 WINE_WHY="forced by MIRELKA_WINE_BITS=32" ;;
    64) WINE_BITS=64 WINE_WHY="forced by MIRELKA_WINE_BITS=64" ;;
    "")
      if [ ! -x /usr/lib/wine/wine ]; then
        WINE_BITS=64 WINE_WHY="Wine's 32-bit side is not installed"
      elif out=$(/usr/lib/wine/wine --version 2>&1); then
        WINE_BITS=32 WINE_WHY="this machine runs 32-bit code"
      else
        WINE_BITS=64
        case $out in
          *"format error"*) WINE_WHY="this kernel cannot run 32-bit code" ;;
          *) WINE_WHY="Wine's 32-bit loader does not start: $(printf '%s' "$out" | head -n 1)" ;;
        esac
      fi ;;
    *) echo "MIRELKA_WINE_BITS must be 32 or 64, not '$MIRELKA_WINE_BITS'" >&2; return 1 ;;
  esac
  if [ "$WINE_BITS" = 32 ]; then WINBITS_DIR=win32; else WINBITS_DIR=x64; fi
  export WINE_BITS WINBITS_DIR WINE_WHY
}

# The CMake toolchain file of the builds that run here.
wine_toolchain() {
  if [ "$WINE_BITS" = 32 ]; then echo "$WINE_ENV_ROOT/cmake/mingw-i686.cmake"
  else echo "$WINE_ENV_ROOT/cmake/mingw-x86_64.cmake"; fi
}

wine_env_start() {
  wine_detect || return 1
  if [ "$WINE_BITS" = 64 ]; then
    case ":$PATH:" in *":$WINE_ENV_ROOT/scripts/wine64-path:"*) ;;
      *) export PATH="$WINE_ENV_ROOT/scripts/wine64-path:$PATH" ;; esac
    export WINEPREFIX="$BUILD/wineprefix64"
  else
    export WINEPREFIX="$BUILD/wineprefix"
  fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8
  export WINEARCH=win64
  # A display that looks free may be taken by a run starting at the same
  # moment: Xvfb then ends at once on the other's lock, and the next one is
  # tried.
  local d up=0
  for d in $(seq 90 140); do
    if [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ]; then continue; fi
    Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    for _ in $(seq 1 50); do
      kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$d" ] && [ "$(cat "/tmp/.X$d-lock" 2>/dev/null | tr -d ' ')" = "$WINE_XVFB_PID" ]; then
        up=1
        break
      fi
      sleep 0.1
    done
    [ $up = 1 ] && break
    kill "$WINE_XVFB_PID" 2>/dev/null
  done
  [ $up = 1 ] || { echo "wine-env: could not start Xvfb" >&2; return 1; }
  export DISPLAY=":$d"
  # A persistent server, and Wine's own services started here with no pipe
  # attached: a service started later by a test would inherit that test's
  # output pipe and keep CTest waiting for it to close.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
  else
    # A Mirelka.exe left in the Run key by an earlier run would start at
    # boot, hidden on a desktop no driver sees, and hold the single-instance
    # name that every Mirelka test needs.
    sed -i '/^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run\]/,/^\[/{/^"Mirelka"=/d}' "$WINEPREFIX/user.reg" 2>/dev/null || true
    timeout 120 wineboot </dev/null >/dev/null 2>&1 || true
  fi
  timeout 60 wineserver -p </dev/null >/dev/null 2>&1 || true
}

# The Wine processes (programs and their server) that run with our prefix.
wine_env_pids() {
  local p
  for p in /proc/[0-9]*; do
    case $(readlink "$p/exe" 2>/dev/null) in */wine*) ;; *) continue ;; esac
    tr '\0' '\n' < "$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}"
  done
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    local left
    for _ in $(seq 1 50); do
      left=$(wine_env_pids)
      [ -z "$left" ] && break
      sleep 0.2
    done
    # shellcheck disable=SC2086
    [ -n "$left" ] && kill -9 $left 2>/dev/null
  fi
  if [ -n "$WINE_XVFB_PID" ]; then kill "$WINE_XVFB_PID" 2>/dev/null || true; wait "$WINE_XVFB_PID" 2>/dev/null || true; fi
  WINE_XVFB_PID=""
  return 0
}
