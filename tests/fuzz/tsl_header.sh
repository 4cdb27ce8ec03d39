#!/usr/bin/env bash
# Builds the .tsl header fuzz target with clang's libFuzzer and runs it for
# $FUZZ_SECONDS. Called by tests/fuzz/run with the output folder as $1.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=$1
mkdir -p "$OUT/tsl_header_corpus"
SRC=(
  tests/fuzz/tsl_header_fuzz.cpp
  filecipher/verify_code.cpp filecipher/scan_hex.cpp filecipher/local_time.cpp
  filecipher/head_write.cpp filecipher/head_read.cpp filecipher/set_property.cpp
  filecipher/file_progress.cpp filecipher/run_coding.cpp filecipher/trisels.cpp
  trisel/job_state.cpp trisel/report_ui.cpp trisel/reporter.cpp
  common/log.cpp common/mystring.cpp common/posix/module_dir.cpp
  common/path.cpp common/wildcard.cpp
  tests/support/memory_fs.cpp
)
cd "$ROOT"
# clang only makes UTF-8 literals; the texts do not matter to the fuzzer.
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$ROOT" -I"$ROOT/tests" "${SRC[@]}" -o "$OUT/tsl_header_fuzz"
# Seeds: a good header with and without payload, a cut one, a foreign file.
python3 - "$OUT/tsl_header_corpus" <<'PY'
import sys, os
d = sys.argv[1]
head = bytes([0x0E, 0x14]) + bytes(40) + b"20200102030405" + b"2181a4" + b"win:win:1:1\0" + b"a.txt\0"
for name, data in {"good": head + b"payload", "empty": head, "cut": head[:60], "foreign": b"PK\3\4"}.items():
    with open(os.path.join(d, name), "wb") as f: f.write(data)
PY
FUZZ_LOG_BASE="$OUT/tsl_header_fuzz" "$OUT/tsl_header_fuzz" -max_total_time="${FUZZ_SECONDS:-30}" \
  -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 "$OUT/tsl_header_corpus" \
  > "$OUT/tsl_header_fuzz.log" 2>&1 || { tail -40 "$OUT/tsl_header_fuzz.log"; exit 1; }
grep -E '^stat::number_of_executed_units|Done ' "$OUT/tsl_header_fuzz.log" | tail -2
