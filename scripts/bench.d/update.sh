#!/usr/bin/env bash
# update.exe under Wine downloading one 50 MiB file from nginx on loopback,
# timed by the end-to-end driver from the first file's start to the
# installing message, beside curl fetching the same file from the same
# server into the same folder; and update.exe's peak memory (resident high
# water mark of its Wine process) for that file and for a 1 MiB one: a
# download must not hold the whole file in memory.
set -uo pipefail
# shellcheck source=lib/wine-build.sh
. "$ROOT/scripts/bench.d/lib/wine-build.sh"
echo "update.exe runs as the $WINE_BITS-bit build ($WINE_WHY)"
wine_build update update_e2e_updater update_e2e update_e2e_mirelka
NGINX=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$NGINX" ] || { echo "update: nginx is missing"; exit 1; }

DIR=$BENCH_TMP/update
rm -rf "$DIR"; mkdir -p "$DIR/in" "$DIR/nginx/tmp"
PORT=$(free_port)
cat > "$DIR/nginx/nginx.conf" <<CONF
daemon off;
master_process off;
pid $DIR/nginx/nginx.pid;
error_log $DIR/nginx/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $DIR/nginx/tmp; proxy_temp_path $DIR/nginx/tmp; fastcgi_temp_path $DIR/nginx/tmp;
  uwsgi_temp_path $DIR/nginx/tmp; scgi_temp_path $DIR/nginx/tmp;
  server { listen 127.0.0.1:$PORT; root $DIR/www; }
}
CONF
"$NGINX" -p "$DIR/nginx" -e "$DIR/nginx/error.log" -c "$DIR/nginx/nginx.conf" &
NGINX_PID=$!
trap 'kill $NGINX_PID 2>/dev/null; wine_env_stop' EXIT
wine_env_start
export MIRELKA_VENDOR_SERVER=127.0.0.1:$PORT

# Peak resident memory (VmHWM, KiB) of the Wine process running update.exe
# with our prefix, sampled until it has come and gone.
peak_of_updater() {
  python3 - "$WINEPREFIX" <<'PY'
import glob, sys, time
prefix = "WINEPREFIX=" + sys.argv[1]
peak, seen, deadline = 0, set(), time.time() + 300
while time.time() < deadline:
    alive = set()
    for comm in glob.glob("/proc/[0-9]*/comm"):
        pid = comm.split("/")[2]
        try:
            if open(comm).read().strip() != "update.exe":
                continue
            if prefix.encode() not in open("/proc/%s/environ" % pid, "rb").read().split(b"\0"):
                continue
            for line in open("/proc/%s/status" % pid):
                if line.startswith("VmHWM:"):
                    peak = max(peak, int(line.split()[1]))
            alive.add(pid)
        except OSError:
            pass
    seen |= alive
    if seen and not alive:
        break
    time.sleep(0.05)
print(peak)
PY
}

# One update of a file of SIZE bytes: prints "SECONDS PEAK-KIB".
run_update() {
  head -c "$1" /dev/urandom > "$DIR/in/data.bin"
  "$ROOT/scripts/publish-update" --key "$WBUILD/update-test-keys/test_private.pem" \
    --public-key "$WBUILD/update-test-keys/test_public.pem" --version 1.1 --root "$DIR/www" "$DIR/in/data.bin" \
    >/dev/null || return 1
  rm -rf "$DIR/app"; mkdir -p "$DIR/app"
  cp "$WBUILD/bin/update_e2e_updater.exe" "$DIR/app/update.exe"  # trusts the build's test key
  cp "$WBUILD/bin/update_e2e_mirelka.exe" "$DIR/app/Mirelka.exe"
  sync
  peak_of_updater > "$DIR/peak" &
  local sampler=$!
  rm -f "$DIR/results.txt"
  timeout 900 wine explorer /desktop=bench,1024x768 "$(winpath "$WBUILD/bin/update_e2e.exe")" \
    "$(winpath "$DIR/app")" "$(winpath "$DIR")" "$(winpath "$DIR/results.txt")" bench > "$DIR/wine.log" 2>&1
  wait $sampler
  local t; t=$(sed -n 's/^BENCH \([0-9.]*\).*/\1/p' "$DIR/results.txt" 2>/dev/null)
  cmp -s "$DIR/in/data.bin" "$DIR/app/data.bin" || t=""
  [ -n "$t" ] || { echo "update: the timed update failed (see $DIR/results.txt)" >&2; return 1; }
  echo "$t $(cat "$DIR/peak")"
}

size=$((50 * 1024 * 1024))
curls=() updates=() peak50=0
for _ in 1 2 3; do
  out=$(run_update $size) || exit 1
  updates+=("${out% *}"); p=${out#* }; [ "$p" -gt "$peak50" ] && peak50=$p
  sync
  c=$(curl -s -o "$DIR/curl.bin" -w '%{time_total}' "http://127.0.0.1:$PORT/mirelka/update/data.bin")
  cmp -s "$DIR/in/data.bin" "$DIR/curl.bin" || { echo "update: curl did not get the file"; exit 1; }
  rm -f "$DIR/curl.bin"
  curls+=("$c")
done
out=$(run_update $((1024 * 1024))) || exit 1
peak1=${out#* }
curl_s=$(best "${curls[@]}")
upd_s=$(best "${updates[@]}")
mib() { python3 -c "print('%.1f' % ($1 / 1024))"; }
printf 'curl, 50 MiB over loopback (best of 3):       %6.3f s (%.0f MiB/s)\n' "$curl_s" \
  "$(python3 -c "print(50 / max($curl_s, 1e-9))")"
printf 'update.exe, the same file (best of 3):        %6.3f s (%.0f MiB/s, %.2f x curl)\n' "$upd_s" \
  "$(python3 -c "print(50 / max($upd_s, 1e-9))")" "$(python3 -c "print($upd_s / max($curl_s, 1e-9))")"
printf 'update.exe peak resident memory: %s MiB for a 50 MiB file, %s MiB for a 1 MiB file\n' \
  "$(mib "$peak50")" "$(mib "$peak1")"
rm -rf "$DIR/www" "$DIR/app" "$DIR/in"
