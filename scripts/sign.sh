#!/bin/bash
# Signs an Installer with Authenticode, SHA-256, using osslsigncode:
#   bash scripts/sign.sh IN OUT
# with the code-signing certificate and its key in the PKCS#12 file K7_SIGN_PKCS12 and the
# file's password in the file K7_SIGN_PASSWORD_FILE (its first line). The signing time is
# SOURCE_DATE_EPOCH where set, so that the same inputs give the same signed bytes; otherwise
# now. K7_SIGN_TIMESTAMP_URL names an RFC 3161 time-stamp server to ask (off by default: the
# build needs no network). OUT is written whole or not at all: on any refusal it is removed,
# and one sentence says which file and what is wrong.
set -euo pipefail
source "$(dirname "$0")/steps.sh"
IN="$1" OUT="$2"
P12="${K7_SIGN_PKCS12:-}" PASSWORD_FILE="${K7_SIGN_PASSWORD_FILE:-}"
rm -f "$OUT" "$OUT.signing"
refuse() {
  rm -f "$OUT" "$OUT.signing"
  echo "$K7_SCRIPT: not signed: $1" >&2
  exit 1
}
[ -n "$P12" ] || refuse "K7_SIGN_PKCS12 names no certificate file."
[ -n "$PASSWORD_FILE" ] || refuse "K7_SIGN_PASSWORD_FILE names no password file."
[ -f "$P12" ] && [ -r "$P12" ] || refuse "the certificate file $P12 is missing or unreadable."
[ -f "$PASSWORD_FILE" ] && [ -r "$PASSWORD_FILE" ] ||
  refuse "the password file $PASSWORD_FILE is missing or unreadable."

# The certificate file opened with the password, and its key checked against its certificate,
# before anything is signed (OpenSSL 3 reads older files with the legacy provider).
pkcs12() {
  openssl pkcs12 -in "$P12" -passin "file:$PASSWORD_FILE" "$@" 2>/dev/null ||
    openssl pkcs12 -legacy -in "$P12" -passin "file:$PASSWORD_FILE" "$@" 2>/dev/null
}
pkcs12 -noout ||
  refuse "the password in $PASSWORD_FILE does not open $P12 (or it is no PKCS#12 file)."
cert_key=$(pkcs12 -nokeys -clcerts | openssl x509 -noout -pubkey 2>/dev/null) || cert_key=""
own_key=$(pkcs12 -nocerts -nodes | openssl pkey -pubout 2>/dev/null) || own_key=""
[ -n "$cert_key" ] || refuse "$P12 holds no certificate."
[ -n "$own_key" ] || refuse "$P12 holds no private key."
[ "$cert_key" = "$own_key" ] || refuse "the private key in $P12 does not match its certificate."

args=(sign -pkcs12 "$P12" -readpass "$PASSWORD_FILE" -h sha256 -n "K7_Quorvane Installer")
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then args+=(-time "$SOURCE_DATE_EPOCH"); fi
if [ -n "${K7_SIGN_TIMESTAMP_URL:-}" ]; then args+=(-ts "$K7_SIGN_TIMESTAMP_URL"); fi
log="$(mktemp)"
if ! osslsigncode "${args[@]}" -in "$IN" -out "$OUT.signing" >"$log" 2>&1; then
  echo "$K7_SCRIPT: osslsigncode said:" >&2
  tail -n 5 "$log" | sed 's/^/    /' >&2
  rm -f "$log"
  refuse "osslsigncode could not sign $IN with $P12."
fi
rm -f "$log"
mv "$OUT.signing" "$OUT"
