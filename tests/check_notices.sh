#!/bin/bash
# The third-party notices: tests/check_notices.sh BUILD_DIR
# The release folder carries THIRD_PARTY_NOTICES.txt as the tree has it, and the file holds, word
# for word, the licence texts of the zlib and libdeflate sources that this build compiled and the
# licence paragraph of the Unifont package whose glyphs it drew: a Debian package with other
# terms shows here.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$1"
notices="$ROOT/THIRD_PARTY_NOTICES.txt"
problems=()
cmp -s "$notices" "$BUILD/release/THIRD_PARTY_NOTICES.txt" ||
  problems+=("$BUILD/release holds no copy of THIRD_PARTY_NOTICES.txt as the tree has it")
missing=$(python3 - "$notices" <<'PY'
import sys
notices = open(sys.argv[1], encoding="utf-8").read()
zlib = open("/var/cache/k7/zlib/LICENSE", encoding="utf-8").read()
libdeflate = open("/var/cache/k7/libdeflate/COPYING", encoding="utf-8").read()
copyright = open("/usr/share/doc/unifont/copyright", encoding="utf-8").read()
# The GPL-2+ licence paragraph of the copyright file: from its heading to the next blank line.
start = copyright.find("License: GPL-2+\n ")
unifont = copyright[start:copyright.find("\n\n", start)] if start >= 0 else "(no GPL-2+ paragraph)"
for name, text in (("zlib's LICENSE", zlib), ("libdeflate's COPYING", libdeflate),
                   ("Unifont's licence paragraph", unifont)):
    if text.strip() not in notices:
        print(name)
PY
)
while IFS= read -r name; do
  [ -n "$name" ] && problems+=("the notices lack the text of $name")
done <<<"$missing"
if [ ${#problems[@]} -gt 0 ]; then
  printf 'notices: %s\n' "${problems[@]}"
  exit 1
fi
echo "notices: the release folder carries the licences of zlib, libdeflate and GNU Unifont"
