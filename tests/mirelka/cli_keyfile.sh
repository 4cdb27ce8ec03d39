#!/bin/sh
# mirelka-cli without --key-file uses the common key file stored in
# Mirelka's settings. Usage: cli_keyfile.sh path/to/mirelka-cli
CLI=$1
T=$(mktemp -d "${TMPDIR:-/tmp}/mirelka-cli-key.XXXXXX")
trap 'rm -rf "$T"' EXIT
export MIRELKA_REGISTRY_FILE="$T/registry"
printf 'secret\n' >"$T/pw"
head -c 2048 /dev/urandom >"$T/key.bin"
fails=0
fail() { echo "FAIL: $1"; fails=$((fails + 1)); }

printf 'meet at noon' | "$CLI" --password-file "$T/pw" >"$T/plain.out" || fail "password alone"
hex=$(printf '%s' "$T/key.bin" | od -An -tx1 | tr -d ' \n')
printf '[HKCU\\Software\\Pelmora\\Mirelka\\Conf\\Keycomm]\nCommKeyFile=1:%s00\n' "$hex" >"$MIRELKA_REGISTRY_FILE"
printf 'meet at noon' | "$CLI" --password-file "$T/pw" >"$T/stored.out" || fail "stored key file"
printf 'meet at noon' | "$CLI" --password-file "$T/pw" --key-file "$T/key.bin" >"$T/given.out" || fail "--key-file"
cmp -s "$T/stored.out" "$T/given.out" || fail "the stored key file is not the one used"
cmp -s "$T/stored.out" "$T/plain.out" && fail "the stored key file was ignored"
# Trisel's own key file is not Mirelka's.
printf '[HKCU\\Software\\Pelmora\\Mirelka\\Trisel\\Keycomm]\nCommKeyFile=1:%s00\n' "$hex" >"$MIRELKA_REGISTRY_FILE"
printf 'meet at noon' | "$CLI" --password-file "$T/pw" >"$T/trisel.out" || fail "Trisel's key file"
cmp -s "$T/trisel.out" "$T/plain.out" || fail "Trisel's key file was used by mirelka-cli"
# A stored file that is gone fails the run.
printf '[HKCU\\Software\\Pelmora\\Mirelka\\Conf\\Keycomm]\nCommKeyFile=1:2f6e6f6e6500\n' >"$MIRELKA_REGISTRY_FILE"
printf 'abc' | "$CLI" --password-file "$T/pw" >/dev/null 2>&1 && fail "a missing stored key file passed"

if [ $fails -ne 0 ]; then exit 1; fi
echo "mirelka-cli key file fallback: ok"
