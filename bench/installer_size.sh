#!/bin/bash
# Prints what the Installer adds over its compressed payload: the .exe's size, its resource
# section, the packed payload streams, and the code and data around them, against the 58 KB aim;
# then where those added bytes come from, from the link map and the resource section.
set -euo pipefail
source "$(dirname "$0")/../scripts/build_dir.sh"
WIN32="$BUILD/win32"
EXE="$WIN32/K7_Quorvane_Setup.exe"
MAP="$WIN32/K7_Quorvane_Setup.map"
for f in "$EXE" "$MAP"; do
  [ -f "$f" ] || { echo "build first: bash scripts/build.sh ($f is missing)" >&2; exit 1; }
done
exe=$(stat -c %s "$EXE")
section_size() {  # the named section's size in the .exe (0 when there is none)
  local size
  size=$(i686-w64-mingw32-objdump -h "$EXE" | awk -v s="$1" '$2 == s {print $3}')
  echo $((16#${size:-0}))
}
rsrc=$(section_size .rsrc)
reloc=$(section_size .reloc)
payload=$(cat "$BUILD"/host/payload/*.z | wc -c)
overhead=$((exe - payload))
echo "installer .exe:            $exe bytes"
echo "resource section:          $rsrc bytes"
echo "packed payload streams:    $payload bytes"
echo "added over the payload:    $overhead bytes ($((overhead / 1024)) KB)"
echo "ratio to the 58 KB aim:    $(awk -v o="$overhead" 'BEGIN {printf "%.2f", o / (58 * 1024)}')"

# The link map: every input section the link kept, by who brought it in. Input sections are
# listed as " NAME ADDRESS SIZE FILE", or NAME alone with the rest on the next line. The jump
# stubs and tables of DLL imports come from import library members named like
# libkernel32s00276.o or libmsvcrt_defs00938.o.
linked=$(awk '
  function hex(s,   i, v) {
    s = tolower(substr(s, 3)); v = 0
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  function add(section, size, file,   who, kind) {
    if (file ~ /libk7_zlib\.a\(|libz\.a\(/) who = "zlib"
    else if (file ~ /libk7_libdeflate\.a\(/) who = "libdeflate"
    else if (section ~ /^\.idata/ || file ~ /(s|_defs)[0-9][0-9][0-9][0-9][0-9]\.o\)$/)
      who = "imports"
    else if (file ~ /objects\.a\(|libk7_win32\.a\(|libk7_portable_w32\.a\(|ltrans/) who = "ours"
    else who = "runtime"
    if (section ~ /^\.text/) kind = "code"
    else if (section ~ /^\.(eh_frame|pdata|xdata)/) kind = "unwind"
    else kind = "data"
    bytes[who, kind] += size; bytes[who, "total"] += size
  }
  /^Linker script and memory map/ { in_map = 1; next }
  !in_map { next }
  /^[^ ]/ { out = $1; pending = ""; next }
  out ~ /^(\.bss|\.rsrc|\.reloc|\/DISCARD\/|\.debug|\.zdebug|\.stab)/ { next }
  /^ [^ *]/ && NF == 1 { pending = $1; next }
  /^ [^ *]/ && NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/ { add($1, hex($3), $4); pending = ""; next }
  pending != "" && NF >= 3 && $1 ~ /^0x/ && $2 ~ /^0x/ { add(pending, hex($2), $3) }
  { pending = "" }
  END {
    split("ours libdeflate zlib runtime imports", who, " ")
    for (w = 1; w <= 5; w++)
      printf "%s %d %d %d %d\n", who[w], bytes[who[w], "code"], bytes[who[w], "data"],
             bytes[who[w], "unwind"], bytes[who[w], "total"]
  }' "$MAP")

# The resource section: a tree of directories (16 bytes, then 8-byte entries of a name or id
# and an offset, a subdirectory when its top bit is set) whose leaves give each resource's size;
# the first level is the type: 3 icon, 14 icon group, 5 dialog, 24 manifest, "TEXT" named.
read -r _ rsrc_offset < <(i686-w64-mingw32-objdump -h "$EXE" | awk '$2 == ".rsrc" {print $3, $6}')
resources=$(od -An -v -tu1 -j $((16#$rsrc_offset)) -N "$rsrc" "$EXE" | awk '
  { for (i = 1; i <= NF; i++) b[n++] = $i }
  function u16(p) { return b[p] + 256 * b[p + 1] }
  function u32(p) { return u16(p) + 65536 * u16(p + 2) }
  function tree_size(p,   count, e, offset, total) {
    count = u16(p + 12) + u16(p + 14)
    for (e = 0; e < count; e++) {
      offset = u32(p + 16 + 8 * e + 4)
      if (offset >= 2147483648) total += tree_size(offset - 2147483648)
      else total += u32(offset + 4)
    }
    return total
  }
  END {
    count = u16(12) + u16(14)
    for (e = 0; e < count; e++) {
      type = u32(16 + 8 * e); size = tree_size(u32(16 + 8 * e + 4) - 2147483648)
      if (type == 3 || type == 14) icons += size
      else if (type == 5) dialogs += size
      else if (type == 24) manifest += size
      else if (type < 2147483648) other += size
      all += size
    }
    printf "%d %d %d %d %d\n", icons, dialogs, manifest, other, all
  }')
read -r icons dialogs manifest other_resources all_resource_data <<<"$resources"
directory=$((rsrc - all_resource_data))

echo
echo "where the added bytes come from:           code    data  unwind   total"
row() { printf "  %-36s %7s %7s %7s %7d\n" "$@"; }
while read -r who code data unwind total; do
  case "$who" in
    # The link-time optimisation makes one program of our code, libdeflate and zlib's CRC-32.
    ours) row "our code, libdeflate, zlib's CRC-32" "$code" "$data" "$unwind" "$total" ;;
    libdeflate | zlib) if [ "$total" != 0 ]; then row "$who" "$code" "$data" "$unwind" "$total"; fi ;;
    runtime) row "C runtime and libgcc" "$code" "$data" "$unwind" "$total" ;;
    imports) row "DLL imports (tables and stubs)" "" "" "" "$total" ;;
  esac
  counted=$((${counted:-0} + total))
done <<<"$linked"
resources_added=$((rsrc - payload))
row "resources other than the payload" "" "" "" "$resources_added"
row "  icons" "" "" "" "$icons"
row "  dialog templates" "" "" "" "$dialogs"
row "  manifest" "" "" "" "$manifest"
if [ "$other_resources" != 0 ]; then row "  other resources" "" "" "" "$other_resources"; fi
row "  resource directory and padding" "" "" "" "$directory"
row "relocations (.reloc, for ASLR)" "" "" "" "$reloc"
row "headers and section alignment" "" "" "" "$((overhead - counted - resources_added - reloc))"
