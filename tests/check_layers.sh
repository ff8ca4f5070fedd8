#!/bin/bash
# Checks that every include and every call points down the layers: app/ on top, then install/,
# then shell/, then bitmap_text/, then common/ at the bottom. resources/resource_ids.h may be
# included by any. tests/check_layers.sh [WIN32_BUILD_DIR]
# Includes are read from the sources. Calls are read from the Windows build's object files when
# its folder is given: a symbol that an object of a lower layer needs and only a higher layer
# defines is a call (or a use of a value) up the layers, however it was declared. The C routines
# that the Installer supplies and libdeflate (through its glue, common/libdeflate_decompress.c)
# are read with common/, the bottom layer.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
layers=(app install shell bitmap_text common)
shopt -s nullglob
status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  for ((j = 0; j < i; j++)); do
    higher="${layers[j]}"
    files=("$ROOT/${layers[i]}"/*.h "$ROOT/${layers[i]}"/*.cpp)
    if hits="$(grep -Hn "#include \"$higher/" "${files[@]}")"; then
      echo "layers: ${layers[i]}/ may not include $higher/:"
      echo "$hits" | sed "s#^$ROOT/##; s/^/    /"
      status=1
    fi
  done
done
if [ "$status" = 0 ]; then echo "layers: every include points down"; fi
[ $# -ge 1 ] || exit "$status"

# "<layer> <D|U> <symbol>" for every object of the Installer's own code in the build.
objects=("$1"/CMakeFiles/{k7_portable_w32,k7_win32,K7_Quorvane_Setup,k7_libdeflate}.dir/{app,install,shell,bitmap_text,common}/*.obj)
if [ ${#objects[@]} -eq 0 ]; then
  echo "layers: no object files under $1/CMakeFiles; build first"
  exit 1
fi
calls="$(for object in "${objects[@]}"; do
  layer="${object%/*}"
  layer="${layer##*/}"
  i686-w64-mingw32-nm --defined-only --extern-only "$object" | awk -v l="$layer" '{print l, "D", $3}'
  i686-w64-mingw32-nm --undefined-only "$object" | awk -v l="$layer" '{print l, "U", $2}'
done | awk '
  BEGIN { rank["app"] = 0; rank["install"] = 1; rank["shell"] = 2; rank["bitmap_text"] = 3
          rank["common"] = 4 }
  $2 == "D" { if (!($3 in lowest) || rank[$1] > lowest[$3]) { lowest[$3] = rank[$1]; home[$3] = $1 } }
  $2 == "U" { needed[++n] = $1 " " $3 }
  END {
    for (k = 1; k <= n; k++) {
      split(needed[k], f, " ")
      if ((f[2] in lowest) && lowest[f[2]] < rank[f[1]]) print f[1] "/ calls " home[f[2]] "/: " f[2]
    }
  }' | sort -u | i686-w64-mingw32-c++filt)"
if [ -n "$calls" ]; then
  echo "layers: a lower layer calls up:"
  echo "$calls" | sed 's/^/    /'
  exit 1
fi
echo "layers: every call points down"
exit "$status"
