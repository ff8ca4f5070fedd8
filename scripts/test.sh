#!/bin/bash
# Sets up, builds and runs every test: the host unit tests, then the Win32 tests under Wine in a
# virtual X display.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
"$HERE/setup.sh"
source "$HERE/build_dir.sh"
"$HERE/build.sh"
"$ROOT/tests/wine/make_prefix.sh" "$BUILD/win32/wineprefix"

status=0
echo "== host tests"
ctest --test-dir "$BUILD/host" --output-on-failure || status=1
echo "== Win32 tests under Wine"
export K7_WINE_PREFIX="$BUILD/win32/wineprefix"
# A tiny file system that a test fills up, to see a short write reported; only root can mount it.
FULL_DISK="$BUILD/win32/full_disk"
if [ "$(id -u)" = 0 ]; then
  mkdir -p "$FULL_DISK"
  mountpoint -q "$FULL_DISK" || mount -t tmpfs -o size=64k,mode=1777 k7-full-disk "$FULL_DISK" || true
  if mountpoint -q "$FULL_DISK"; then export K7_FULL_DISK_DIR="$FULL_DISK"; fi
fi
# One wine server and its services for the whole run, started with their output away from the
# test processes' pipes (a service holding ctest's pipe open would stall each test).
"$ROOT/tests/wine/wine_exec.sh" wineserver -p 60 || true
"$ROOT/tests/wine/wine_exec.sh" wineboot >/dev/null 2>&1 || true
xvfb-run -a -s "-screen 0 1024x768x24 -ac" \
  ctest --test-dir "$BUILD/win32" --output-on-failure --timeout 600 || status=1
"$ROOT/tests/wine/wine_exec.sh" wineserver -k 2>/dev/null || true
if [ -n "${K7_FULL_DISK_DIR:-}" ]; then umount "$FULL_DISK" 2>/dev/null || true; fi
# Screenshots the tests saved, as PNG for viewing.
for shot in "$BUILD"/win32/screenshots/*.bmp; do
  [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && echo "screenshot: ${shot%.bmp}.png"
done
if [ "$status" = 0 ]; then echo "test: all tests passed"; else echo "test: FAILURES"; fi
exit "$status"
