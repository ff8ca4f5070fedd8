# Sourced by the benchmarks that run programs under Wine, after scripts/steps.sh, with ROOT and
# BUILD set (start_display keeps its log in BUILD).
#
#   bench_wine_session ARCH PREFIX   exports K7_WINE_ARCH and K7_WINE_PREFIX, makes the prefix,
#                                    starts a virtual display and one wine server for the whole
#                                    run (both ended when the script exits), and keeps Wine's
#                                    desktop process running.
bench_wine_session() {
  export K7_WINE_ARCH="$1" K7_WINE_PREFIX="$2"
  "$ROOT/tests/wine/make_prefix.sh" "$K7_WINE_PREFIX"
  start_display
  trap '"$ROOT/tests/wine/wine_exec.sh" wineserver -k 2>/dev/null || true
        kill "$K7_XVFB_PID" 2>/dev/null || true' EXIT
  "$ROOT/tests/wine/wine_exec.sh" wineserver -k 2>/dev/null || true  # one left by an earlier run
  step "starting the wine server" "Remove $K7_WINE_PREFIX to make it anew." \
    "$ROOT/tests/wine/wine_exec.sh" wineserver -p 60
  "$ROOT/tests/wine/wine_exec.sh" wineboot >/dev/null 2>&1 || true
  # Windows always has its desktop running; Wine starts its desktop process (explorer.exe) for
  # the first window and ends it soon after the last program with a window, about 0.4 s each
  # time. A minimized Notepad, out of the measured programs' way, keeps it running.
  "$ROOT/tests/wine/wine_exec.sh" start /min notepad.exe >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    if pgrep -f 'explorer.exe /desktop' >/dev/null; then return; fi
    sleep 0.1
  done
  echo "$K7_SCRIPT: Wine's desktop process did not start; each program starts it"
}
