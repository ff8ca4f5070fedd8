#!/bin/bash
# Prints what a user downloads: the size of the Installer (the shipped PE32 build) on the two
# full-size payloads of bench/payloads.sh, its streams deflated by zlib at level 9 and by
# libdeflate at level 12 (the build's), beside NSIS 3 packing the same job with zlib, each file
# its own stream, and with solid LZMA (for reference only: one stream for everything, a format
# that is not the Installer's). Builds only; runs nothing under Wine.
#
#   K7_BENCH_DIR  its build folder (default /var/tmp/k7-bench), shared with bench/install_speed.sh
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/steps.sh"
source "$ROOT/bench/payloads.sh"
BENCH="$(realpath -m "${K7_BENCH_DIR:-/var/tmp/k7-bench}")"
mkdir -p "$BENCH"

"$ROOT/scripts/setup.sh"
bench_packages nsis
bench_tools
nsis_version=$(makensis -VERSION | sed 's/^v//; s/-.*//')

declare -A size
for name in synthetic real; do
  bench_payload "$name"
  files=("$PAYLOAD"/*)
  size[$name.bytes]=$(cat "${files[@]}" | wc -c)
  echo "download_size: the Installer on the $name payload, its streams by libdeflate and by zlib"
  bench_build "$BENCH/$name-libdeflate" "$PAYLOAD" win32
  bench_build "$BENCH/$name-zlib9" "$PAYLOAD" win32 -DK7_PACK_WITH_ZLIB9=ON
  size[$name.libdeflate]=$(stat -c %s "$BENCH/$name-libdeflate/win32/K7_Quorvane_Setup.exe")
  size[$name.zlib9]=$(stat -c %s "$BENCH/$name-zlib9/win32/K7_Quorvane_Setup.exe")
  work="$BENCH/size-$name"
  mkdir -p "$work"
  echo "download_size: NSIS on the $name payload, zlib per file and solid LZMA"
  nsis_script "$work/zlib.nsi" "$work/zlib.exe" zlib "${files[@]}"
  nsis_pack "$work/zlib.nsi" "$work/zlib.exe" "$PAYLOAD" >/dev/null
  nsis_script "$work/lzma.nsi" "$work/lzma.exe" "/SOLID lzma" "${files[@]}"
  nsis_pack "$work/lzma.nsi" "$work/lzma.exe" "$PAYLOAD" >/dev/null
  size[$name.nsis_zlib]=$(stat -c %s "$work/zlib.exe")
  size[$name.nsis_lzma]=$(stat -c %s "$work/lzma.exe")
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a / b}'; }
echo
echo "Download size, $(date -u +%Y-%m-%d): each .exe in bytes and its ratio to the Installer"
echo "with zlib level 9"
for name in synthetic real; do
  echo
  printf 'Payload %s: %d files, %d bytes\n' "$name" "${#files[@]}" "${size[$name.bytes]}"
  printf '  %-44s %11s %9s\n' program bytes "/ zlib 9"
  for kind in zlib9 libdeflate nsis_zlib nsis_lzma; do
    case "$kind" in
      zlib9) label="Installer, streams by zlib level 9" ;;
      libdeflate) label="Installer, streams by libdeflate level 12" ;;
      nsis_zlib) label="NSIS $nsis_version, zlib per file" ;;
      nsis_lzma) label="NSIS $nsis_version, solid LZMA (not our format)" ;;
    esac
    printf '  %-44s %11d %9s\n' "$label" "${size[$name.$kind]}" \
      "$(ratio "${size[$name.$kind]}" "${size[$name.zlib9]}")"
  done
done
echo
echo "The Installer with libdeflate on the real payload: $(ratio "${size[real.libdeflate]}" \
  "${size[real.zlib9]}") of its size with zlib level 9 (aim: at most 0.94)"
