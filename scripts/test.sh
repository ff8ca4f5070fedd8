#!/bin/bash
# Sets up, builds and runs every test: the host unit tests, then the Win32 tests under Wine in a
# virtual X display: as PE32 under 32-bit Wine where the host runs i386 code, and as the PE32+
# twin under 64-bit Wine everywhere.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/steps.sh"
"$HERE/setup.sh"
source "$HERE/build_dir.sh"
choose_wine_arches
"$HERE/build.sh" --twin

status=0
echo "== layers"
"$ROOT/tests/check_layers.sh" "$BUILD/win32" || status=1
echo "== imports and instructions of the shipped Installer"
"$ROOT/tests/check_imports.sh" "$BUILD/win32/K7_Quorvane_Setup.exe" || status=1
"$ROOT/tests/check_instructions.sh" "$BUILD/win32/K7_Quorvane_Setup.exe" \
  "$BUILD/win32/K7_Quorvane_Setup_symbols.exe" || status=1
echo "== the release folder's notices"
"$ROOT/tests/check_notices.sh" "$BUILD" || status=1
echo "== host tests"
ctest --test-dir "$BUILD/host" --output-on-failure || status=1
echo "== the packager's folder followed by the build"
"$ROOT/tests/check_payload_rebuild.sh" "$BUILD" || status=1
start_display

for arch in $K7_WINE_ARCHES; do
  if [ "$arch" = win32 ]; then
    echo "== Win32 tests under Wine, as PE32"
  else
    echo "== Win32 tests under 64-bit Wine, as the PE32+ twin"
  fi
  tree="$BUILD/$arch"
  export K7_WINE_ARCH="$arch" K7_WINE_PREFIX="$tree/wineprefix"
  "$ROOT/tests/wine/make_prefix.sh" "$K7_WINE_PREFIX"
  # A tiny file system that a test fills up, to see a short write reported; only root can mount it.
  FULL_DISK="$tree/full_disk"
  unset K7_FULL_DISK_DIR
  if [ "$(id -u)" = 0 ]; then
    mkdir -p "$FULL_DISK"
    mountpoint -q "$FULL_DISK" || mount -t tmpfs -o size=64k,mode=1777 k7-full-disk "$FULL_DISK" || true
    if mountpoint -q "$FULL_DISK"; then export K7_FULL_DISK_DIR="$FULL_DISK"; fi
  fi
  # Another user's installation: a folder and a file of root's that the Wine user may read but
  # not change; only root can make it.
  NOT_YOURS="$tree/not_yours"
  unset K7_NOT_YOURS_DIR
  if [ "$(id -u)" = 0 ]; then
    rm -rf "$NOT_YOURS" && mkdir -p "$NOT_YOURS" && echo "their K7.exe" > "$NOT_YOURS/K7.exe"
    chmod 755 "$NOT_YOURS" && chmod 644 "$NOT_YOURS/K7.exe" && export K7_NOT_YOURS_DIR="$NOT_YOURS"
  fi
  # One wine server and its services for the whole run, started with their output away from the
  # test processes' pipes (a service holding ctest's pipe open would stall each test).
  step "starting the $arch wine server" "Run bash scripts/setup.sh; remove $K7_WINE_PREFIX to make it anew." \
    "$ROOT/tests/wine/wine_exec.sh" wineserver -p 60
  "$ROOT/tests/wine/wine_exec.sh" wineboot >/dev/null 2>&1 || true
  ctest --test-dir "$tree" --output-on-failure --timeout 600 -E '^fault_campaign_' || status=1
  # The run failed and stopped at its file-system calls: its scenarios two at a time (each a
  # process of its own), once, in the first tree (the PE32's where the host runs it).
  if [ "$arch" = "${K7_WINE_ARCHES%% *}" ]; then
    ctest --test-dir "$tree" --output-on-failure --timeout 900 -j 2 -R '^fault_campaign_' || status=1
  fi
  # The wizard's pages must still look like the pictures that README shows.
  "$ROOT/tests/check_pictures.sh" "$tree/screenshots" || status=1
  # Signed with a throwaway certificate, checked by osslsigncode and by the Installer itself.
  "$ROOT/tests/check_signing.sh" "$tree/K7_Quorvane_Setup.exe" "$tree/signing" || status=1
  "$ROOT/tests/wine/wine_exec.sh" wineserver -k 2>/dev/null || true
  if [ -n "${K7_FULL_DISK_DIR:-}" ]; then umount "$FULL_DISK" 2>/dev/null || true; fi
  # Screenshots the tests saved, as PNG for viewing.
  for shot in "$tree"/screenshots/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && echo "screenshot: ${shot%.bmp}.png"
  done
done
if [ "$status" = 0 ]; then echo "test: all tests passed"; else echo "test: FAILURES"; fi
exit "$status"
