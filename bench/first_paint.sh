#!/bin/bash
# Times the Installer's first wizard page under Wine against the bare dialog
# (bench/bare_dialog.cpp: the same dialog template 101 shown, nothing else) and prints a table:
# the time from starting each program to its first wait for input, its first page painted by
# then (bench/first_paint.cpp), medians and the ratio against the aim. It never fails on time; it
# stops only when it cannot build or cannot time a program at all.
#
#   K7_BUILD_DIR     the build folder (scripts/build_dir.sh), built with scripts/build.sh
#   K7_BENCH_RUNS    timed rounds (default 15), after one untimed warm-up round
#   K7_FORCE_PE32PLUS=1, or a host that runs no i386 code: the PE32+ builds run under 64-bit Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/build_dir.sh"
source "$ROOT/scripts/steps.sh"
source "$ROOT/bench/wine_session.sh"
RUNS="${K7_BENCH_RUNS:-15}"
AIM=1.50  # the Installer's median at most 1.5 times the bare dialog's
"$ROOT/scripts/setup.sh"
choose_wine_arches
ARCH="${K7_WINE_ARCHES%% *}"  # win32 where this host runs i386 code, else win64

echo "first_paint: building into $BUILD (scripts/build.sh; the first build takes minutes)"
step "building into $BUILD (scripts/build.sh)" \
  "Its last lines follow; the build's own message names the cause." bash "$ROOT/scripts/build.sh"
step "building the bare dialog and the driver in $BUILD/$ARCH" "Its last lines follow." \
  cmake --build "$BUILD/$ARCH" --target bare_dialog first_paint
INSTALLER="$BUILD/$ARCH/K7_Quorvane_Setup.exe"
BARE="$BUILD/$ARCH/bare_dialog.exe"
DRIVER="$BUILD/$ARCH/first_paint.exe"

# Wine: the build's prefix, one wine server for the whole run, a virtual display, and Wine's
# desktop process kept running.
bench_wine_session "$ARCH" "$BUILD/$ARCH/wineprefix"

# The screens saved when the first timed round's programs came to rest, where Wine (run as
# "nobody" under root) can write.
SHOTS="$BUILD/$ARCH/first_paint"
mkdir -p "$SHOTS"
chmod 1777 "$SHOTS"
rm -f "$SHOTS"/*.bmp "$SHOTS"/*.png
wine_path() { echo "Z:$1" | tr / '\\'; }
load="$(cut -d ' ' -f 1-3 /proc/loadavg)"
echo "first_paint: $RUNS rounds of the bare dialog and the Installer, in turn"
code=0
"$ROOT/tests/wine/wine_exec.sh" "$DRIVER" --capture "$(wine_path "$SHOTS")" "$RUNS" \
  "$(wine_path "$BARE")" "$(wine_path "$INSTALLER")" >"$SHOTS/table.txt" 2>"$SHOTS/driver.log" ||
  code=$?
shots=()
for bmp in "$SHOTS"/*.bmp; do
  [ -e "$bmp" ] || continue
  png="${bmp%.exe.bmp}.png"
  if convert "$bmp" "$png" 2>/dev/null; then
    rm -f "$bmp"
    shots+=("$png")
  else
    shots+=("$bmp")
  fi
done

commit="$(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo unknown)"
if [ -n "$(git -C "$ROOT" status --porcelain 2>/dev/null)" ]; then
  commit="$commit with local changes"
fi
if [ "$ARCH" = win32 ]; then how="32-bit Wine, PE32"; else how="64-bit Wine, PE32+ builds"; fi
echo
cpu="$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
echo "First paint under $(/usr/lib/wine/wine64 --version) ($how), $(date -u +%Y-%m-%d),"
echo "commit $commit, $(nproc) cores, $cpu, load average $load at the start."
echo "From just before CreateProcess to the program's first wait for input (WaitForInputIdle),"
echo "by then its first page painted; $RUNS rounds taken in turn after one warm-up, Wine's desktop"
echo "kept running. The bare dialog shows the same template 101 with an empty dialog procedure."
echo
cat "$SHOTS/table.txt"
if [ -s "$SHOTS/driver.log" ]; then sed 's/^/  /' "$SHOTS/driver.log"; fi
echo
ratio="$(awk '$1 == "K7_Quorvane_Setup.exe" && NF == 6 {print $6}' "$SHOTS/table.txt")"
if [ -n "$ratio" ] && [ "$ratio" != "-" ]; then
  echo "Installer / bare dialog: $ratio (aim: at most $AIM)"
fi
if [ ${#shots[@]} -gt 0 ]; then
  echo "The screens at that moment in the first timed round:"
  printf '  %s\n' "${shots[@]}"
fi
if [ "$code" != 0 ]; then
  fail "timing the first pages (first_paint.exe exit code $code)" \
    "A program showed no first page in any round; the driver's lines above say why."
fi
