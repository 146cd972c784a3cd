#!/usr/bin/env bash
# A release signed with a throwaway certificate made here: it verifies, signing again
# gives the same bytes, and without its signature it is the unsigned build again; one
# changed byte makes verification fail. Leaves the signed program in OUT_DIR for the
# wizard's run of it (app_process_test).
# Usage: signing_test.sh SOURCE_DIR VelmoraSetup.exe OUT_DIR
set -euo pipefail
sign=$1/scripts/sign.sh unsigned=$2 out=$3
rm -rf "$out"
mkdir -p "$out"
cd "$out"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velmora test publisher" \
  -keyout key.pem -out cert.pem 2>/dev/null
verify() { osslsigncode verify -CAfile cert.pem -in "$1" >verify.log 2>&1; }
fail() { echo "FAILED: $1" >&2; cat verify.log >&2 2>/dev/null; exit 1; }

echo "== signing and verifying"
"$sign" "$unsigned" VelmoraSetup.exe cert.pem key.pem
verify VelmoraSetup.exe || fail "osslsigncode verify rejects the signed program"
grep -q 'Message digest algorithm  : SHA256' verify.log || fail "not signed with SHA-256"
"$sign" "$unsigned" again.exe cert.pem key.pem
cmp VelmoraSetup.exe again.exe || fail "signing twice gives different bytes"
osslsigncode remove-signature -in VelmoraSetup.exe -out stripped.exe >/dev/null
cmp "$unsigned" stripped.exe || fail "without its signature the program is not the unsigned build"
! "$sign" VelmoraSetup.exe twice.exe cert.pem key.pem 2>/dev/null || fail "a signed program was signed again"
! "$sign" cert.pem not-pe.exe cert.pem key.pem 2>/dev/null || fail "a file that is no program was signed"

echo "== one changed byte fails verification"
size=$(stat -c %s VelmoraSetup.exe)
# In the headers, in the code, in the middle and in the signature itself.
for at in 2 4200 $((size / 2)) $((size - 100)); do
  cp VelmoraSetup.exe tampered.exe
  byte=$(od -An -tu1 -j"$at" -N1 tampered.exe | tr -d ' ')
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of=tampered.exe bs=1 seek="$at" conv=notrunc status=none
  ! verify tampered.exe || fail "a change at byte $at still verifies"
done
rm -f again.exe stripped.exe tampered.exe
echo "signed and checked: $out/VelmoraSetup.exe"
