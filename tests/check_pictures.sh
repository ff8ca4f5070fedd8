#!/bin/bash
# Compares the pictures of docs/ (shown in README) with the screenshots the Win32 tests took in
# SCREENSHOT_FOLDER: each must have the same size and differ in at most 0.5% of its pixels (a
# blinking caret, a changed anti-aliased pixel), so that a change of look is a deliberate commit
# of new pictures. `--update` copies the screenshots over the pictures instead.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SHOTS="$1"
status=0 checked=0
for picture in "$ROOT"/docs/*.png; do
  name="$(basename "$picture" .png)"
  shot="$SHOTS/$name.bmp"
  if [ ! -f "$shot" ]; then
    echo "pictures: no screenshot $name.bmp for docs/$name.png"
    status=1
    continue
  fi
  if [ "${2:-}" = --update ]; then convert "$shot" "$picture"; continue; fi
  checked=$((checked + 1))
  read -r w1 h1 < <(identify -format '%w %h\n' "$picture")
  read -r w2 h2 < <(identify -format '%w %h\n' "$shot")
  if [ "$w1" != "$w2" ] || [ "$h1" != "$h2" ]; then
    echo "pictures: $name is ${w2}x${h2}, docs/$name.png ${w1}x${h1}"
    status=1
    continue
  fi
  differing="$(compare -metric AE -fuzz 8% "$picture" "$shot" null: 2>&1 || true)"
  differing="${differing%% *}"
  allowed=$((w1 * h1 / 200))
  if ! [[ "$differing" =~ ^[0-9]+$ ]] || [ "$differing" -gt "$allowed" ]; then
    echo "pictures: $name differs from docs/$name.png in $differing pixels (at most $allowed allowed)"
    status=1
  fi
done
if [ "$status" = 0 ]; then echo "pictures: $checked of $checked look as in docs/"; fi
exit "$status"
