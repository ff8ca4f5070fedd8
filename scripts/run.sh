#!/bin/bash
# Sets up, builds the Installer from the payload (the sample unless K7_PAYLOAD_DIR names a
# folder of real product files) and runs it under Wine: in your display when DISPLAY is set,
# otherwise headless in Xvfb, saving a screenshot of the first page as build/installer.png.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
"$HERE/setup.sh"
source "$HERE/build_dir.sh"
"$HERE/build.sh"
"$ROOT/tests/wine/make_prefix.sh" "$BUILD/win32/wineprefix"
export K7_WINE_PREFIX="$BUILD/win32/wineprefix"
EXE="$BUILD/win32/K7_Quorvane_Setup.exe"

if [ -n "${DISPLAY:-}" ]; then
  if [ "$(id -u)" = 0 ] && [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
    # Wine runs as "nobody": hand it a copy of the display's cookie.
    cp "$XAUTHORITY" "$K7_WINE_PREFIX.home/.Xauthority"
    chown nobody:nogroup "$K7_WINE_PREFIX.home/.Xauthority"
    export XAUTHORITY="$K7_WINE_PREFIX.home/.Xauthority"
  fi
  exec "$ROOT/tests/wine/wine_exec.sh" "$EXE"
fi

SHOT="$BUILD/installer.png"
xvfb-run -a -s "-screen 0 1024x768x24 -ac" bash -c '
  "$1" "$2" & pid=$!
  sleep 8
  import -window root "$3" && echo "run: screenshot saved as $3"
  kill $pid 2>/dev/null; "$4" wineserver -k 2>/dev/null; wait $pid 2>/dev/null; true
' run "$ROOT/tests/wine/wine_exec.sh" "$EXE" "$SHOT" "$ROOT/tests/wine/wine_exec.sh"
