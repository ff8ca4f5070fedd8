#!/bin/bash
# Prints what the Installer adds over its compressed payload: the .exe's size, its resource
# section, the packed payload streams, and the code and data around them, against the 58 KB aim.
set -euo pipefail
source "$(dirname "$0")/../scripts/build_dir.sh"
EXE="$BUILD/win32/K7_Quorvane_Setup.exe"
[ -f "$EXE" ] || { echo "build first: bash scripts/build.sh" >&2; exit 1; }
exe=$(stat -c %s "$EXE")
rsrc=$(i686-w64-mingw32-objdump -h "$EXE" | awk '$2 == ".rsrc" {print $3}')
rsrc=$((16#$rsrc))
payload=$(cat "$BUILD"/host/payload/*.z | wc -c)
overhead=$((exe - payload))
echo "installer .exe:            $exe bytes"
echo "resource section:          $rsrc bytes"
echo "packed payload streams:    $payload bytes"
echo "added over the payload:    $overhead bytes ($((overhead / 1024)) KB)"
echo "ratio to the 58 KB aim:    $(awk -v o="$overhead" 'BEGIN {printf "%.2f", o / (58 * 1024)}')"
