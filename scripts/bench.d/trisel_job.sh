#!/usr/bin/env bash
# Trisel job speed through trisel-cli: 10,000 small files in nested folders
# (count pass and process pass together) against cp -r of the same tree,
# and one 512 MiB file against cat. Prints figures only. With small files
# the per-file set-up of the coder dominates (see perf record of the job).
set -uo pipefail
CLI=$BIN/trisel-cli
D=$BENCH_TMP/trisel_job
rm -rf "$D"
mkdir -p "$D"
export MIRELKA_REGISTRY_FILE=$D/registry
printf 'bench password\n' >"$D/pw"
: >"$D/empty"

# 10 x 10 folders of 100 files, 1 to 4 KiB each, made twice: cp -r copies
# one and the job codes the other, so that both create their 10,000 files on
# a disk in the same state (nothing freshly deleted in between).
python3 - "$D/tree" "$D/tree2" <<'PY' || exit 1
import os, sys, random
random.seed(7)
for a in range(10):
    for b in range(10):
        for f in range(100):
            data = os.urandom(random.randint(1024, 4096))
            for root in sys.argv[1:]:
                d = os.path.join(root, "d%02d" % a, "s%02d" % b)
                os.makedirs(d, exist_ok=True)
                with open(os.path.join(d, "f%03d.txt" % f), "wb") as fp:
                    fp.write(data)
PY
sync

seconds() {  # wall seconds of the command
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || echo "failed: $*" >&2
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

sync; t_cp=$(seconds cp -r "$D/tree2" "$D/copy")
sync; t_job=$(seconds "$CLI" -e --password-file "$D/pw" --no-key-file --subdirs --filter '*.*' "$D/tree" <"$D/empty")
n=$(find "$D/tree" -name '*.tsl' | wc -l)
echo "tree of 10,000 files: cp -r ${t_cp} s, trisel-cli -e ${t_job} s ($n results), ratio $(ratio "$t_job" "$t_cp") (goal <= 3)"
rm -rf "$D/tree" "$D/tree2" "$D/copy"

MIB=${TRISEL_BENCH_MIB:-512}
mkdir -p "$D/big"
head -c $((MIB * 1024 * 1024)) /dev/urandom >"$D/big/sample.bin" || exit 1
sync; t_cat=$(seconds sh -c "cat '$D/big/sample.bin' > '$D/cat.out'")
rm -f "$D/cat.out"
sync; t_big=$(seconds "$CLI" -e --password-file "$D/pw" --no-key-file "$D/big/sample.bin" <"$D/empty")
echo "one $MIB MiB file:   cat ${t_cat} s, trisel-cli -e ${t_big} s, ratio $(ratio "$t_big" "$t_cat") (goal <= 1.3)"
rm -rf "$D"
