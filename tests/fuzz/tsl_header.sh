#!/usr/bin/env bash
# Builds the .tsl header fuzz target with clang's libFuzzer and runs it for
# $FUZZ_SECONDS. Called by tests/fuzz/run with the output folder as $1.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=$1
CORPUS=$OUT/tsl_header_corpus
mkdir -p "$CORPUS"
cd "$ROOT"
# clang only makes UTF-8 literals; the texts do not matter to the fuzzer.
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$ROOT" -I"$ROOT/tests" tests/fuzz/tsl_header_fuzz.cpp tests/support/memory_fs.cpp \
  filecipher/{verify_code,scan_hex,local_time,head_write,head_read,set_property}.cpp \
  filecipher/{file_progress,run_coding,trisels}.cpp trisel/{job_state,report_ui,reporter}.cpp \
  common/{log,mystring,posix/module_dir,path,wildcard}.cpp -o "$OUT/tsl_header_fuzz"
# Seeds: a good header with and without payload, a cut one, a foreign file.
head=$(printf '\016\024%040d20200102030405' 0)2181a4win:win:1:1
printf '%s\0a.txt\0payload' "$head" > "$CORPUS/good"
printf '%s\0a.txt\0' "$head" > "$CORPUS/empty"
printf '%s' "${head:0:60}" > "$CORPUS/cut"
printf 'PK\003\004' > "$CORPUS/foreign"
FUZZ_LOG_BASE="$OUT/tsl_header_fuzz" "$OUT/tsl_header_fuzz" -max_total_time="${FUZZ_SECONDS:-30}" \
  -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 "$CORPUS" \
  > "$OUT/tsl_header_fuzz.log" 2>&1 || { tail -40 "$OUT/tsl_header_fuzz.log"; exit 1; }
grep -E '^stat::number_of_executed_units|Done ' "$OUT/tsl_header_fuzz.log" | tail -2
