# Sourced by the scripts that run Windows programs: starts Xvfb on a free
# display and a Wine prefix inside the build folder, Korean locale, and ends
# both on exit. Needs $BUILD (the top build folder) set by the caller.

WINE_XVFB_PID=""

wine_env_start() {
  export WINEPREFIX="$BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8
  export WINEARCH=win64
  local d
  for d in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$d" ] && [ ! -e "/tmp/.X$d-lock" ]; then break; fi
  done
  Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_XVFB_PID=$!
  export DISPLAY=":$d"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$d" ] && break
    sleep 0.1
  done
  # A persistent server, and Wine's own services started here with no pipe
  # attached: a service started later by a test would inherit that test's
  # output pipe and keep CTest waiting for it to close.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
  else
    timeout 120 wineboot </dev/null >/dev/null 2>&1 || true
  fi
  timeout 60 wineserver -p </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$WINE_XVFB_PID" ]; then kill "$WINE_XVFB_PID" 2>/dev/null || true; wait "$WINE_XVFB_PID" 2>/dev/null || true; fi
  WINE_XVFB_PID=""
}
