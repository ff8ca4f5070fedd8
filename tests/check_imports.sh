#!/bin/bash
# Checks that the Installer loads on the first Windows 95 and on Windows NT 4.0: every function its
# import table names must be in common/system_imports.txt, marked static, and present on both, and
# its subsystem version must not be above 4.0.
# Usage: tests/check_imports.sh INSTALLER.exe [LIST]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 INSTALLER.exe [LIST]" >&2
  exit 2
fi
exe="$1"
list="${2:-$ROOT/common/system_imports.txt}"
for f in "$exe" "$list"; do
  if [ ! -r "$f" ]; then
    echo "check_imports: cannot read $f" >&2
    exit 2
  fi
done

objdump=""
for tool in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump objdump; do
  if command -v "$tool" >/dev/null 2>&1; then
    objdump="$tool"
    break
  fi
done
if [ -z "$objdump" ]; then
  echo "check_imports: no objdump found" >&2
  exit 2
fi

headers="$(mktemp)"
trap 'rm -f "$headers"' EXIT
if ! "$objdump" -p "$exe" >"$headers" 2>/dev/null; then
  echo "check_imports: $objdump cannot read $exe" >&2
  exit 2
fi

# The list first (file 1), then objdump's description of the image (file 2).
awk -v exe_name="$(basename "$exe")" -v list_name="$(basename "$list")" '
  BEGIN {
    # Releases in the order they came out; a function is present on a system when its oldest
    # release is not after that system. "none" sorts after everything.
    n = split("3.1 3.5 3.51 4.0 2000 XP XP-SP1 XP-SP2 2003 Vista 7 8 8.1 10 none", order, " ")
    for (i = 1; i <= n; i++) nt_rank[order[i]] = i
    nine_x["95"] = 1; nine_x["stub"] = 1; nine_x["95-OSR2"] = 1
    nine_x["98"] = 1; nine_x["Me"] = 1; nine_x["none"] = 1
    major = ""; minor = ""; in_imports = 0; count = 0; problems = 0; bad_list = 0
  }

  FNR == NR {
    sub(/#.*/, "")
    if (NF == 0) next
    if (NF != 5 || !($3 in nine_x) || !($4 in nt_rank) || ($5 != "static" && $5 != "lookup")) {
      print "check_imports: " list_name " line " FNR " is not \"DLL function 9x NT static|lookup\": " $0
      bad_list = 1
      next
    }
    key = toupper($1) SUBSEP $2
    if (key in how) {
      print "check_imports: " list_name " line " FNR " repeats " $1 " " $2
      bad_list = 1
    }
    oldest_9x[key] = $3; oldest_nt[key] = $4; how[key] = $5
    next
  }

  $1 == "MajorSubsystemVersion" { major = $2 + 0 }
  $1 == "MinorSubsystemVersion" { minor = $2 + 0 }

  /^The Import Tables/ { in_imports = 1; next }
  in_imports && /^[A-Za-z]/ { in_imports = 0 }
  !in_imports { next }

  /^\tDLL Name:/ { dll = $3; next }
  # A member line: vma, hint or ordinal, name ("<none>" when imported by ordinal).
  /^\t[0-9a-fA-F]+\t/ && NF >= 3 && $2 ~ /^[0-9]+$/ {
    count++
    if ($3 == "<none>") {
      print "check_imports: " dll " ordinal " $2 " is imported by ordinal; import it by name"
      problems++
      next
    }
    name = $3
    key = toupper(dll) SUBSEP name
    if (!(key in how)) {
      print "check_imports: " dll " " name " is imported but is not in " list_name
      problems++
      next
    }
    if (how[key] == "lookup") {
      print "check_imports: " dll " " name " must be looked up at run time, not imported"
      problems++
    }
    if (oldest_9x[key] != "95" && oldest_9x[key] != "stub") {
      print "check_imports: " dll " " name " is missing on Windows 95 (oldest: " oldest_9x[key] ")"
      problems++
    }
    if (nt_rank[oldest_nt[key]] > nt_rank["4.0"]) {
      print "check_imports: " dll " " name " is missing on NT 4.0 (oldest: " oldest_nt[key] ")"
      problems++
    }
    if (nt_rank[oldest_nt[key]] > nt_rank["3.51"]) {
      not_351 = not_351 " " dll " " name
      not_351_count++
    }
    next
  }

  END {
    if (bad_list) exit 2
    if (major == "" || minor == "") {
      print "check_imports: " exe_name " shows no subsystem version; is it a PE image?"
      exit 2
    }
    if (count == 0) {
      print "check_imports: no imports found in " exe_name
      exit 2
    }
    if (major > 4 || (major == 4 && minor > 0)) {
      printf "check_imports: %s has subsystem version %d.%d; Windows 95 loads only 3.x and 4.0\n",
             exe_name, major, minor
      problems++
    }
    if (problems > 0) exit 1
    printf "check_imports: %d imports of %s, all on Windows 95 and NT 4.0; %d of them not on NT 3.51%s\n",
           count, exe_name, not_351_count, (not_351_count > 0 ? ":" not_351 : "")
  }
' "$list" "$headers"
