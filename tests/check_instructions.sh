#!/bin/bash
# Checks that the shipped PE32 Installer runs on the 386 and later, the processors that Windows 95
# and NT 3.51 ran on: its code holds no instruction that came with a newer processor. Such an
# instruction stops the machine's processor with an invalid-opcode fault, the Installer crashes.
# Usage: tests/check_instructions.sh INSTALLER.exe SYMBOLS.exe
# SYMBOLS.exe is the same link with its symbol table kept (K7_Quorvane_Setup_symbols.exe): its
# code must be the shipped file's, byte for byte, and it names the function of each finding.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 INSTALLER.exe SYMBOLS.exe" >&2
  exit 2
fi
exe="$1" symbols="$2"
objdump=i686-w64-mingw32-objdump
for f in "$exe" "$symbols"; do
  [ -r "$f" ] || { echo "check_instructions: cannot read $f" >&2; exit 2; }
done
if ! "$objdump" -f "$exe" | grep -q "pei-i386"; then
  echo "check_instructions: $(basename "$exe") is not a PE32 image; nothing to check"
  exit 0
fi
# The code section of each, as bytes.
code() { "$objdump" -s -j .text "$1" | tail -n +5 | cut -c1-43; }
if [ "$(code "$exe")" != "$(code "$symbols")" ]; then
  echo "check_instructions: the code of $(basename "$symbols") is not $(basename "$exe")'s; build both again"
  exit 1
fi

# Instructions newer than the 386, by the processor that brought them:
#   486: bswap cmpxchg xadd invd wbinvd invlpg
#   Pentium: cpuid rdtsc cmpxchg8b rdmsr wrmsr rsm; Pentium MMX: the mm registers
#   Pentium Pro: cmov fcmov fcomi fucomi rdpmc ud2, and the long nop (0F 1F: nopl, nopw)
#   later: sysenter syscall, SSE and its xmm/ymm registers, prefetch, fences, popcnt, lzcnt...
"$objdump" -d --no-show-raw-insn "$symbols" | awk -v exe="$(basename "$exe")" '
  /^[0-9a-f]+ <.*>:$/ { function_name = $2; gsub(/[<>:]/, "", function_name); next }
  /^ *[0-9a-f]+:\t/ {
    split($0, parts, "\t")
    instruction = parts[2]
    mnemonic = instruction; sub(/ .*/, "", mnemonic)
    newer = mnemonic ~ /^(bswap|cmpxchg|xadd|invd|wbinvd|invlpg|cpuid|rdtsc|rdtscp|rdmsr|wrmsr|rsm|rdpmc|ud2|ud1|sysenter|sysexit|syscall|sysret|emms|femms|sfence|lfence|mfence|clflush|movnti|fxsave|fxrstor|ldmxcsr|stmxcsr|popcnt|lzcnt|tzcnt|crc32|movbe|endbr32)/ ||
            mnemonic ~ /^(cmov|fcmov|fcomi|fucomi|prefetch|maskmov|pshuf|punpck|pmov|cvt)/ ||
            instruction ~ /%(mm|xmm|ymm|zmm)[0-9]/ ||
            (mnemonic ~ /^nop/ && instruction ~ /^nop[lw]? +[^ ]/)
    if (newer) {
      printf "check_instructions: %s: %s, newer than the 386, in %s\n", exe, instruction, function_name
      found++
    }
    count++
  }
  END {
    if (count == 0) { print "check_instructions: no code found in " exe; exit 2 }
    if (found > 0) exit 1
    printf "check_instructions: %d instructions of %s, all of the 386\n", count, exe
  }'
