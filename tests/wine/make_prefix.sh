#!/bin/bash
# Makes the private Wine prefix PREFIX once: initialised, with the fonts of Debian's fonts-wine
# package so that text metrics and pixels do not depend on the host's fonts. Owned by "nobody"
# when run as root, since tests/wine/wine_exec.sh then runs Wine as that user.
set -euo pipefail
PREFIX="$(realpath -m "$1")"
if [ -f "$PREFIX/.k7_ready" ]; then exit 0; fi
HERE="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$PREFIX" "$PREFIX.home"
mkdir -p "$PREFIX" "$PREFIX.home"
if [ "$(id -u)" = 0 ]; then chown nobody:nogroup "$PREFIX" "$PREFIX.home"; fi
echo "make_prefix: initialising $PREFIX"
K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" wineboot -i >/dev/null 2>&1
K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" wineserver -w 2>/dev/null || true
# Every program runs inside one virtual desktop: windows get their title bars and frames
# without a window manager, and closing a window takes no two-second wait.
K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
K7_WINE_PREFIX="$PREFIX" "$HERE/wine_exec.sh" wineserver -w 2>/dev/null || true
fonts="$PREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
if [ "$(id -u)" = 0 ]; then chown -R nobody:nogroup "$fonts"; fi
touch "$PREFIX/.k7_ready"
