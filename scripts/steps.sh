# Sourced by the scripts: named steps that fail with a sentence, the choice between the PE32
# build and its PE32+ twin, and the virtual display.
#
#   step NAME ADVICE COMMAND...   runs COMMAND with its output kept in a log; when it fails,
#                                 prints "<script>: NAME failed", ADVICE and the log's last
#                                 lines, and exits 1.
#   fail NAME ADVICE [LOG]        the same for a failure found some other way.
#   choose_wine_arches            sets K7_WINE_ARCHES once: "win32 win64" where this host runs
#                                 i386 code, "win64" where it does not or K7_FORCE_PE32PLUS=1.
#   start_display                 starts Xvfb on a free display and exports DISPLAY.
K7_SCRIPT="$(basename "$0" .sh)"

fail() {
  echo "$K7_SCRIPT: $1 failed. $2" >&2
  if [ -n "${3:-}" ] && [ -s "$3" ]; then
    echo "$K7_SCRIPT: its last lines:" >&2
    tail -n 20 "$3" | sed 's/^/    /' >&2
  fi
  exit 1
}

step() {
  local name="$1" advice="$2" log
  shift 2
  log="$(mktemp)"
  if ! "$@" >"$log" 2>&1; then fail "$name" "$advice" "$log"; fi
  rm -f "$log"
}

# 32-bit Wine needs a kernel that runs i386 code; some x86-64 hosts run none ("IA-32 emulation
# off"). There the Win32 programs are built as PE32+ and run under 64-bit Wine instead.
choose_wine_arches() {
  if [ -n "${K7_WINE_ARCHES:-}" ]; then return; fi
  if [ "${K7_FORCE_PE32PLUS:-}" = 1 ]; then
    echo "$K7_SCRIPT: K7_FORCE_PE32PLUS=1: the Win32 programs run as their PE32+ build under 64-bit Wine"
    K7_WINE_ARCHES="win64"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    K7_WINE_ARCHES="win32 win64"
  else
    echo "$K7_SCRIPT: this host runs no 32-bit x86 code: the Win32 programs run as their PE32+ build under 64-bit Wine"
    K7_WINE_ARCHES="win64"
  fi
  export K7_WINE_ARCHES
}

start_display() {
  local log="$BUILD/xvfb.log" fd_file="$BUILD/xvfb.display"
  rm -f "$fd_file"
  Xvfb -displayfd 1 -screen 0 1024x768x24 -ac -nolisten tcp >"$fd_file" 2>"$log" &
  K7_XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$fd_file" ]; then break; fi
    if ! kill -0 "$K7_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if [ ! -s "$fd_file" ]; then
    kill "$K7_XVFB_PID" 2>/dev/null || true
    fail "starting the virtual display (Xvfb)" \
      "Check that the package xvfb is installed (bash scripts/setup.sh) and that /tmp is writable." "$log"
  fi
  export DISPLAY=":$(head -n 1 "$fd_file")"
  trap 'kill "$K7_XVFB_PID" 2>/dev/null || true' EXIT
}
