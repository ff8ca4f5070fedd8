#!/bin/bash
# Sets up, builds the Installer from the payload (the sample unless K7_PAYLOAD_DIR names a
# folder of real product files) and runs it under Wine: in your display when DISPLAY is set,
# otherwise headless in Xvfb, saving a screenshot of the first page as build/installer.png.
# Where the host runs no i386 code (or K7_FORCE_PE32PLUS=1) its PE32+ twin runs instead.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/steps.sh"
"$HERE/setup.sh"
source "$HERE/build_dir.sh"
choose_wine_arches
"$HERE/build.sh"
arch="${K7_WINE_ARCHES%% *}"
export K7_WINE_ARCH="$arch" K7_WINE_PREFIX="$BUILD/$arch/wineprefix"
"$ROOT/tests/wine/make_prefix.sh" "$K7_WINE_PREFIX"
EXE="$BUILD/$arch/K7_Quorvane_Setup.exe"

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
start_display
LOG="$BUILD/run.log"
"$ROOT/tests/wine/wine_exec.sh" "$EXE" >"$LOG" 2>&1 &
pid=$!
sleep 8
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" && code=0 || code=$?
  fail "running the Installer under Wine" "It ended at once with exit code $code; rerun with K7_WINEDEBUG=err+all for Wine's errors." "$LOG"
fi
step "saving the screenshot $SHOT (import)" "Install the package imagemagick (bash scripts/setup.sh)." \
  import -window root "$SHOT"
echo "run: screenshot saved as $SHOT"
kill "$pid" 2>/dev/null || true
"$ROOT/tests/wine/wine_exec.sh" wineserver -k 2>/dev/null || true
wait "$pid" 2>/dev/null || true
