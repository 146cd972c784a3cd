#!/usr/bin/env bash
# Signs with a throwaway certificate: the result verifies, signing again gives the same
# bytes, removing the signature gives the unsigned build back, and one changed byte (in
# the headers, the code, the middle, the signature) fails verification. Leaves the signed
# program in OUT_DIR for app_process_test. Usage: signing_test.sh SOURCE_DIR IN.exe OUT_DIR
set -euo pipefail
sign=$1/scripts/sign.sh unsigned=$2
rm -rf "$3" && mkdir -p "$3" && cd "$3"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=Velmora -keyout key.pem -out cert.pem 2>/dev/null
verify() { osslsigncode verify -CAfile cert.pem -in "$1" >verify.log 2>&1; }
fail() { echo "FAILED: $1" >&2 && exit 1; }
for out in VelmoraSetup.exe again.exe; do "$sign" "$unsigned" "$out" cert.pem key.pem; done
verify VelmoraSetup.exe && grep -q 'digest algorithm  : SHA256' verify.log || fail "no valid SHA-256 signature"
cmp VelmoraSetup.exe again.exe || fail "signing twice gives different bytes"
osslsigncode remove-signature -in VelmoraSetup.exe -out stripped.exe >/dev/null
cmp "$unsigned" stripped.exe || fail "without its signature the program is not the unsigned build"
for input in VelmoraSetup.exe cert.pem; do ! "$sign" "$input" x.exe cert.pem key.pem || fail "signed $input"; done
for at in 2 4200 $(($(stat -c %s again.exe) / 2)) $(($(stat -c %s again.exe) - 100)); do
  cp again.exe tampered.exe
  printf '\x5a\xa5' | dd of=tampered.exe bs=1 count=1 seek="$at" conv=notrunc status=none
  cmp -s again.exe tampered.exe || printf '\xa5' | dd of=tampered.exe bs=1 seek="$at" conv=notrunc status=none
  ! verify tampered.exe || fail "a change at byte $at still verifies"
done
