#!/bin/bash
# The signing round trip, with a throwaway certificate made here by openssl:
#   tests/check_signing.sh INSTALLER WORK_DIR
# run by scripts/test.sh while a wine server for K7_WINE_PREFIX runs. INSTALLER is signed twice
# with the same fixed time by scripts/sign.sh and must come out the same bytes; osslsigncode
# must accept the signature; the signed Installer must pass its damaged-file check and install
# silently under Wine; a copy with one payload byte changed after signing must fail both the
# signature check and the Installer's own check. The refusals of scripts/sign.sh (a missing
# certificate file, a wrong password, a file without a certificate) must each name the problem
# and leave no signed file. Prints one line; exit code 1 on any failure.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
INSTALLER="$1" WORK="$2"
problems=()
rm -rf "$WORK" && mkdir -p "$WORK" && chmod 1777 "$WORK"
quiet() { "$@" >"$WORK/last.log" 2>&1; }

# A self-signed code-signing certificate, its key and a password, in a PKCS#12 file; and a file
# that holds the key alone.
echo "k7-test-password" >"$WORK/password"
echo "wrong" >"$WORK/wrong_password"
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" \
  -days 2 -subj "/CN=K7_Quorvane test signer" -addext "extendedKeyUsage=codeSigning" ||
  { echo "check_signing: openssl could not make a certificate"; exit 1; }
quiet openssl pkcs12 -export -inkey "$WORK/key.pem" -in "$WORK/cert.pem" -out "$WORK/cert.p12" \
  -passout "file:$WORK/password"
quiet openssl pkcs12 -export -nocerts -inkey "$WORK/key.pem" -out "$WORK/key_only.p12" \
  -passout "file:$WORK/password"

sign() {  # sign P12 PASSWORD_FILE OUT
  K7_SIGN_PKCS12="$1" K7_SIGN_PASSWORD_FILE="$2" SOURCE_DATE_EPOCH=1765000000 \
    bash "$ROOT/scripts/sign.sh" "$INSTALLER" "$3" 2>"$WORK/sign.err"
}
if ! sign "$WORK/cert.p12" "$WORK/password" "$WORK/signed.exe"; then
  problems+=("signing failed: $(cat "$WORK/sign.err")")
else
  sign "$WORK/cert.p12" "$WORK/password" "$WORK/again.exe"
  cmp -s "$WORK/signed.exe" "$WORK/again.exe" || problems+=("two signings at one time differ")
  quiet osslsigncode verify -in "$WORK/signed.exe" -CAfile "$WORK/cert.pem" ||
    problems+=("osslsigncode refuses the signed Installer: $(tail -n 2 "$WORK/last.log")")

  # Installed silently under Wine; the target under WORK, which Wine's user can write.
  wine_dir() { echo "Z:$1" | tr / '\\'; }
  quiet "$ROOT/tests/wine/wine_exec.sh" "$WORK/signed.exe" /S "/D=$(wine_dir "$WORK/installed")"
  status=$?
  [ "$status" = 0 ] && [ -s "$WORK/installed/K7.exe" ] ||
    problems+=("the signed Installer did not install (exit code $status)")

  # One byte of the largest payload stream changed after signing.
  cp "$WORK/signed.exe" "$WORK/tampered.exe"
  perl -e 'open(my $f, "+<", $ARGV[0]) or die; binmode $f; local $/; my $d = <$f>;
    my $at = index($d, "\x78\xDA", int(length($d) / 2)); die "no stream" if $at < 0;
    seek($f, $at + 64, 0); print $f chr(ord(substr($d, $at + 64, 1)) ^ 0x55); close $f' \
    "$WORK/tampered.exe" || problems+=("no payload stream to change")
  quiet osslsigncode verify -in "$WORK/tampered.exe" -CAfile "$WORK/cert.pem" &&
    problems+=("osslsigncode accepts the changed copy")
  quiet "$ROOT/tests/wine/wine_exec.sh" "$WORK/tampered.exe" /S "/D=$(wine_dir "$WORK/tampered")"
  status=$?
  grep -q "The Installer file is damaged" "$WORK/K7_Quorvane_Setup.log" 2>/dev/null &&
    [ "$status" = 1 ] && [ ! -e "$WORK/tampered" ] ||
    problems+=("the changed copy was not refused as damaged (exit code $status)")
fi

# Refusals: one sentence naming the problem, no signed file left.
refused() {  # refused P12 PASSWORD_FILE WORDS
  echo "stale" >"$WORK/refused.exe"
  if sign "$1" "$2" "$WORK/refused.exe"; then
    problems+=("signing with $1 and $2 was not refused")
  elif ! grep -q "$3" "$WORK/sign.err"; then
    problems+=("the refusal does not say \"$3\": $(cat "$WORK/sign.err")")
  fi
  [ ! -e "$WORK/refused.exe" ] || problems+=("a refused signing left $WORK/refused.exe")
}
refused "$WORK/missing.p12" "$WORK/password" "missing or unreadable"
refused "$WORK/cert.p12" "$WORK/wrong_password" "does not open"
refused "$WORK/key_only.p12" "$WORK/password" "holds no certificate"

if [ ${#problems[@]} -gt 0 ]; then
  printf 'check_signing: %s\n' "${problems[@]}"
  exit 1
fi
echo "check_signing: signed twice alike, verified by osslsigncode, installed under Wine; a" \
  "changed copy refused by both; bad certificates refused"
