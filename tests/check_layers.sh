#!/bin/bash
# Checks that every include points down the layers: app/ on top, then install/, then shell/,
# then bitmap_text/, then common/ at the bottom. resources/resource_ids.h may be included by any.
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
exit "$status"
