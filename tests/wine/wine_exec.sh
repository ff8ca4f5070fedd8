#!/bin/bash
# Runs one Windows program under Wine in the build's private prefix (K7_WINE_PREFIX). Started as
# root, Wine runs as the unprivileged user "nobody": root may truncate read-only files, which
# Windows refuses, and the tests depend on that refusal.
set -e
: "${K7_WINE_PREFIX:?K7_WINE_PREFIX must name the Wine prefix}"
export WINEPREFIX="$K7_WINE_PREFIX"
export WINEARCH=win32
export WINEDEBUG="${K7_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export HOME="$K7_WINE_PREFIX.home"
# "wine_exec.sh wineserver ARGS" talks to the prefix's wine server instead of starting a program.
program=wine
if [ "${1:-}" = wineserver ]; then program=wineserver; shift; fi
if [ "$(id -u)" = 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$program" "$@"
fi
exec "$program" "$@"
