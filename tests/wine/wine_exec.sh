#!/bin/bash
# Runs one Windows program under Wine in the build's private prefix (K7_WINE_PREFIX): 32-bit Wine
# for the PE32 build, 64-bit Wine when K7_WINE_ARCH=win64 (the PE32+ build). Started as root,
# Wine runs as the unprivileged user "nobody": root may truncate read-only files, which Windows
# refuses, and the tests depend on that refusal.
set -e
: "${K7_WINE_PREFIX:?K7_WINE_PREFIX must name the Wine prefix}"
export WINEPREFIX="$K7_WINE_PREFIX"
export WINEARCH="${K7_WINE_ARCH:-win32}"
export WINEDEBUG="${K7_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d${K7_WINEDLLOVERRIDES:+;$K7_WINEDLLOVERRIDES}"
export HOME="$K7_WINE_PREFIX.home"
# Debian's /usr/bin/wine picks the 32-bit loader whenever wine32 is installed, whatever the
# prefix: the 64-bit loader and server are called by their paths.
if [ "$WINEARCH" = win64 ]; then
  loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64
else
  loader=wine server=wineserver
fi
# "wine_exec.sh wineserver ARGS" talks to the prefix's wine server instead of starting a program.
program="$loader"
if [ "${1:-}" = wineserver ]; then program="$server"; shift; fi
if [ "$(id -u)" = 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$program" "$@"
fi
exec "$program" "$@"
