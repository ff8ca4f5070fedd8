#!/bin/bash
# Makes the private Wine prefix PREFIX once (K7_WINE_ARCH: win32, the default, or win64):
# initialised, with the fonts of Debian's fonts-wine package so that text metrics and pixels do
# not depend on the host's fonts. Owned by "nobody" when run as root, since
# tests/wine/wine_exec.sh then runs Wine as that user.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../scripts/steps.sh"
PREFIX="$(realpath -m "$1")"
if [ -f "$PREFIX/.k7_ready" ]; then exit 0; fi
rm -rf "$PREFIX" "$PREFIX.home"
mkdir -p "$PREFIX" "$PREFIX.home"
if [ "$(id -u)" = 0 ]; then chown nobody:nogroup "$PREFIX" "$PREFIX.home"; fi
arch="${K7_WINE_ARCH:-win32}"
echo "make_prefix: initialising $PREFIX ($arch)"
wine_in_prefix() { K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" "$@"; }
advice="Run bash scripts/setup.sh; if Wine is installed, rerun with K7_WINEDEBUG=err+all for Wine's own errors."
if [ "$arch" = win32 ]; then
  advice="$advice On a host that runs no 32-bit x86 code, use K7_FORCE_PE32PLUS=1."
fi
step "initialising the $arch Wine prefix $PREFIX (wineboot -i)" "$advice" wine_in_prefix wineboot -i
wine_in_prefix wineserver -w 2>/dev/null || true
if [ ! -f "$PREFIX/system.reg" ]; then
  fail "initialising the $arch Wine prefix $PREFIX" "wineboot ended without writing the registry. $advice"
fi
# Every program runs inside one virtual desktop: windows get their title bars and frames
# without a window manager, and closing a window takes no two-second wait.
step "setting the virtual desktop in $PREFIX (reg add)" "$advice" \
  wine_in_prefix reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
step "setting the virtual desktop size in $PREFIX (reg add)" "$advice" \
  wine_in_prefix reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
wine_in_prefix wineserver -w 2>/dev/null || true
fonts="$PREFIX/drive_c/windows/Fonts"
step "copying the fonts of fonts-wine into $fonts" "Install the package fonts-wine (bash scripts/setup.sh)." \
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
if [ "$(id -u)" = 0 ]; then chown -R nobody:nogroup "$fonts"; fi
touch "$PREFIX/.k7_ready"
