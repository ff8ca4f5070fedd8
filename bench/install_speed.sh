#!/bin/bash
# Times installing a full-size payload under Wine, into a new folder and over the same program's
# earlier installation, and prints a table: the install floor (bench/install_floor.cpp: inflate
# with zlib and write, then, as a second floor, make the three shortcuts), the Installer run
# silent, and NSIS 3 doing the same job (the same files, each its own zlib stream, the same edit of
# velmarui.ini and the same three shortcuts), each whole process run in turn, with medians,
# ratios, peak memory and what each adds over its compressed payload; then where the Installer's
# time goes, from its timed build (common/step_times.h). Wine's desktop process runs throughout,
# as Windows's always does. It never fails on time; it stops only when it cannot build or
# install at all.
#
#   K7_BENCH_DIR      its build and scratch folder (default /var/tmp/k7-bench)
#   K7_BENCH_PAYLOAD  real (default: cut from files of Debian packages, bench/payloads.sh) or
#                     synthetic (generated, needs no package)
#   K7_BENCH_RUNS     timed runs of each program (default 7), after one untimed warm-up run
#   K7_FORCE_PE32PLUS=1, or a host that runs no i386 code: the PE32+ builds of the Installer and
#                     the floor run under 64-bit Wine, and NSIS (a PE32 program) is not run.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/steps.sh"
source "$ROOT/bench/payloads.sh"
source "$ROOT/bench/wine_session.sh"
BENCH="$(realpath -m "${K7_BENCH_DIR:-/var/tmp/k7-bench}")"
RUNS="${K7_BENCH_RUNS:-7}"
PAYLOAD_NAME="${K7_BENCH_PAYLOAD:-real}"
case "$PAYLOAD_NAME" in
  real | synthetic) ;;
  *) fail "choosing the payload" "K7_BENCH_PAYLOAD must be real or synthetic." ;;
esac
WORK="$BENCH/speed-$PAYLOAD_NAME"
TIMEOUT=120  # seconds; a program that takes longer (a wizard waiting for a click) is stopped
mkdir -p "$BENCH" "$WORK"

# Packages: the build's own (scripts/setup.sh), then NSIS and GNU time for the benchmark.
"$ROOT/scripts/setup.sh"
bench_packages nsis time
choose_wine_arches
ARCH="${K7_WINE_ARCHES%% *}"  # win32 where this host runs i386 code, else win64

bench_tools
bench_payload "$PAYLOAD_NAME"
files=("$PAYLOAD"/*)
payload_bytes=$(cat "${files[@]}" | wc -c)
BUILT="$BENCH/$PAYLOAD_NAME-libdeflate"
echo "install_speed: building the Installer, its timed build and the floor in $BUILT"
BENCH_TARGETS=(K7_Quorvane_Setup K7_Quorvane_Setup_timed install_floor)
bench_build "$BUILT" "$PAYLOAD" "$ARCH"
packed_bytes=$(cat "$BUILT"/host/payload/*.z | wc -c)
INSTALLER="$BUILT/$ARCH/K7_Quorvane_Setup.exe"
TIMED="$BUILT/$ARCH/K7_Quorvane_Setup_timed.exe"
FLOOR="$BUILT/$ARCH/install_floor.exe"

# The peer: NSIS 3 with the same job, each file its own zlib stream (no /SOLID), run silent.
NSIS_EXE="$WORK/quorvane_nsis.exe"
nsis_note=""
if [ "$ARCH" = win32 ]; then
  nsis_script "$WORK/quorvane.nsi" "$NSIS_EXE" zlib "${files[@]}"
  nsis_data=$(nsis_pack "$WORK/quorvane.nsi" "$NSIS_EXE" "$PAYLOAD")
else
  nsis_note="not runnable on this host (NSIS installers are PE32; here only 64-bit Wine runs)"
fi
nsis_version=$(makensis -VERSION | sed 's/^v//; s/-.*//')

# Wine: the benchmark's prefix, one wine server for the whole run, a virtual display, and
# Wine's desktop process kept running.
BUILD="$BENCH"  # start_display keeps its log here
bench_wine_session "$ARCH" "$BENCH/wineprefix-$ARCH"

# Target folders, where Wine (run as "nobody" under root) can write.
TARGETS="$WORK/targets"
mkdir -p "$TARGETS"
chmod 1777 "$TARGETS"
wine_path() { echo "Z:$1" | tr / '\\'; }

# run NAME ROUND: runs program NAME once, appending "wall_us peak_kB cpu_us" to $WORK/NAME.times
# unless ROUND is "warm-up"; returns the program's exit code. NAME is a program (floor: files
# only; floorlinks: files and the Installer's three shortcuts; installer; timed; nsis) run into a
# new folder, or a program and "-upgrade": run over its own earlier installation, the folder its
# warm-up filled. Before each of the Installer's upgrades its word base's index is unmarked (as an
# earlier release's would be), so that it replaces every file as the others do instead of
# keeping the word base.
run() {
  local name="$1" round="$2" target="$TARGETS/$1" program="${1%-upgrade}" start end code=0
  if [ "$name" = "$program" ] || [ "$round" = warm-up ]; then rm -rf "$target"; fi
  if [ "$name" = installer-upgrade ] && [ -f "$target/pycizudic.idx" ]; then
    chmod u+w "$target/pycizudic.idx"
    printf '\000' | dd of="$target/pycizudic.idx" bs=1 count=1 conv=notrunc status=none
  fi
  sync
  local command=()
  case "$program" in
    floor) command=("$FLOOR" "$(wine_path "$target")") ;;
    floorlinks) command=("$FLOOR" --links "$(wine_path "$target")") ;;
    installer) command=("$INSTALLER" /S "/D=$(wine_path "$target")") ;;
    timed) command=("$TIMED" /S "/D=$(wine_path "$target")") ;;
    nsis) command=("$NSIS_EXE" /S "/D=$(wine_path "$target")") ;;
  esac
  start=$(date +%s%N)
  /usr/bin/time -v -o "$WORK/$name.rusage" timeout -k 5 "$TIMEOUT" \
    "$ROOT/tests/wine/wine_exec.sh" "${command[@]}" >"$WORK/$name.log" 2>&1 || code=$?
  end=$(date +%s%N)
  if [ "$code" = 0 ] && [ "$round" != warm-up ]; then
    local peak cpu
    peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/$name.rusage")
    cpu=$(awk -F': ' '/(User|System) time/ {s += $2} END {printf "%d", s * 1e6}' "$WORK/$name.rusage")
    echo "$(((end - start) / 1000)) $peak $cpu" >>"$WORK/$name.times"
    if [ "$name" = timed ]; then
      grep '^step times us:' "$WORK/$name.log" >>"$WORK/steps" || true
    fi
  fi
  return "$code"
}

# Every file of the payload, byte for byte, in the program's last target folder; but for the
# floor, velmarui.ini has been edited (the interface language and font) and must say so.
installed_all() {
  local f name
  for f in "${files[@]}"; do
    name="${f##*/}"
    if [ "${1#floor}" = "$1" ] && [ "$name" = velmarui.ini ]; then
      grep -q '^UseBmpFont=1' "$TARGETS/$1/$name" || return 1
    else
      cmp -s "$f" "$TARGETS/$1/$name" || return 1
    fi
  done
}

programs=(floor floorlinks installer timed)
if [ -z "$nsis_note" ]; then programs+=(nsis); fi
programs+=(floor-upgrade floorlinks-upgrade installer-upgrade)
if [ -z "$nsis_note" ]; then programs+=(nsis-upgrade); fi
declare -A status
rm -f "$WORK"/*.run*.log
measured=()
rm -f "$WORK/steps"
for name in "${programs[@]}"; do
  rm -f "$WORK/$name.times"
  code=0
  run "$name" warm-up || code=$?
  if [ "$code" != 0 ]; then
    status[$name]="failed: exit code $code (its output: $WORK/$name.log)"
    [ "$code" = 124 ] && status[$name]="did not end within $TIMEOUT s"
  elif ! installed_all "$name"; then
    status[$name]="failed: the installed files differ from the payload"
  else
    measured+=("$name")
  fi
done
# A run that fails after a good warm-up is counted and its output kept; the median is taken
# over the runs that installed.
echo "install_speed: $RUNS runs of each of ${measured[*]:-nothing}, in turn"
declare -A failed
for ((round = 1; round <= RUNS; round++)); do
  for name in "${measured[@]}"; do
    code=0
    run "$name" "$round" || code=$?
    if [ "$code" != 0 ]; then
      failed[$name]="${failed[$name]:+${failed[$name]}, }run $round exit code $code"
      cp "$WORK/$name.log" "$WORK/$name.run$round.log"
    fi
  done
done
for name in "${measured[@]}"; do
  if [ ! -s "$WORK/$name.times" ]; then
    status[$name]="failed in every run (${failed[$name]}; their output: $WORK/$name.run*.log)"
  elif ! installed_all "$name"; then
    status[$name]="failed: the installed files differ from the payload"
  fi
  rm -rf "${TARGETS:?}/$name"
done

# median FILE COLUMN: the median of one column of a times file.
median() {
  sort -n -k "$2,$2" "$1" | awk -v c="$2" '{v[NR] = $c} END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
declare -A seconds range cpu peak_mb added
for name in "${measured[@]}"; do
  if [ -n "${status[$name]:-}" ]; then continue; fi
  seconds[$name]=$(median "$WORK/$name.times" 1 | awk '{printf "%.3f", $1 / 1e6}')
  range[$name]=$(sort -n "$WORK/$name.times" | awk 'NR == 1 {min = $1} {max = $1} END {
    printf "%.3f-%.3f", min / 1e6, max / 1e6 }')
  peak_mb[$name]=$(median "$WORK/$name.times" 2 | awk '{printf "%.1f", $1 / 1024}')
  cpu[$name]=$(median "$WORK/$name.times" 3 | awk '{printf "%.2f", $1 / 1e6}')
done

# What each adds over its compressed payload: the Installer's figure is bench/installer_size.sh's
# (the shipped PE32 build), the floor's is measured the same way, NSIS's over its own data block.
added[installer]=$(K7_BUILD_DIR="$BUILT" bash "$ROOT/bench/installer_size.sh" 2>/dev/null |
  awk '/^added over the payload:/ {print $5}' || true)
added[floor]=$(($(stat -c %s "$FLOOR") - packed_bytes))
added[floorlinks]=${added[floor]}
if [ -z "$nsis_note" ]; then added[nsis]=$(($(stat -c %s "$NSIS_EXE") - nsis_data)); fi

kb() { awk -v b="$1" 'BEGIN {if (b == "") print "?"; else printf "%.1f KB", b / 1024}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
if [ "$ARCH" = win32 ]; then how="32-bit Wine, PE32"; else how="64-bit Wine, PE32+ builds"; fi
echo
echo "Install speed under $(/usr/lib/wine/wine64 --version) ($how), $(date -u +%Y-%m-%d), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
printf 'Payload: %d files, %d bytes, packed %d bytes by libdeflate level 12 (%s:1)\n' "${#files[@]}" \
  "$payload_bytes" "$packed_bytes" "$(ratio "$payload_bytes" "$packed_bytes")"
echo "Each whole Wine process, median of $RUNS runs taken in turn, into a new folder each time."
echo
printf '%-28s %9s %13s %8s %6s %8s %15s\n' program "median s" "range s" "/ floor" "CPU s" \
  "peak MB" "adds over data"
echo "(/ floor: to the floor with the three shortcuts, of the same kind of run)"
# row NAME LABEL NOTE: the ratio is to the floor with the links of the same kind of run.
row() {
  local name="$1" label="$2" base=floorlinks
  if [ "${name%-upgrade}" != "$name" ]; then base=floorlinks-upgrade; fi
  if [ -n "${status[$name]:-}" ]; then
    printf '%-28s %s\n' "$label" "${status[$name]}"
  elif [ -z "${seconds[$name]:-}" ]; then
    printf '%-28s %s\n' "$label" "$3"
  else
    local r="-"
    if [ -n "${seconds[$base]:-}" ]; then r=$(ratio "${seconds[$name]}" "${seconds[$base]}"); fi
    printf '%-28s %9s %13s %8s %6s %8s %15s\n' "$label" "${seconds[$name]}" "${range[$name]}" "$r" \
      "${cpu[$name]}" "${peak_mb[$name]}" "$(kb "${added[${name%-upgrade}]:-}")"
  fi
}
for kind in "" -upgrade; do
  if [ -z "$kind" ]; then echo "Into a new folder:"; else echo "Over the same program's earlier installation:"; fi
  row "floor$kind" "install floor, files only" ""
  row "floorlinks$kind" "  with the three shortcuts" ""
  row "installer$kind" "K7_Quorvane Installer /S" ""
  if [ -z "$kind" ]; then row timed "  its timed build" ""; fi
  row "nsis$kind" "NSIS ${nsis_version:-3} (zlib, per file)" "$nsis_note"
done
echo "range: the fastest and the slowest run. CPU s: the median user and system time of the Wine"
echo "process (the wine server's not counted), steadier than wall time on a busy machine. peak MB:"
echo "its largest resident set (GNU time). adds over data: the .exe less its compressed payload; the"
echo "Installer's is bench/installer_size.sh's (the PE32 build), NSIS's is over its own data block."
echo
for kind in "" -upgrade; do
  what="new folder"
  if [ -n "$kind" ]; then what="upgrade"; fi
  if [ -n "${seconds[installer$kind]:-}" ] && [ -n "${seconds[floorlinks$kind]:-}" ]; then
    echo "Installer / floor with shortcuts, $what:  $(ratio "${seconds[installer$kind]}" "${seconds[floorlinks$kind]}") (aim: at most 1.0)"
  fi
  if [ -n "${seconds[installer$kind]:-}" ] && [ -n "${seconds[floor$kind]:-}" ]; then
    echo "Installer / floor of files only, $what:  $(ratio "${seconds[installer$kind]}" "${seconds[floor$kind]}")"
  fi
  if [ -n "${seconds[installer$kind]:-}" ] && [ -n "${seconds[nsis$kind]:-}" ]; then
    echo "Installer / NSIS, $what:  $(ratio "${seconds[installer$kind]}" "${seconds[nsis$kind]}") (aim: at most 0.6)"
  fi
done
if [ -n "${peak_mb[installer]:-}" ]; then
  echo "Installer's peak:   ${peak_mb[installer]} MB (aim: at most 56 MB)"
fi
if [ -n "${seconds[nsis]:-}" ] && [ -n "${seconds[floorlinks]:-}" ]; then
  echo "NSIS / floor with shortcuts:  $(ratio "${seconds[nsis]}" "${seconds[floorlinks]}")"
fi
if [ -z "$nsis_note" ]; then
  echo "NSIS's own data block: $nsis_data bytes (the Installer's streams: $packed_bytes bytes)"
fi
for name in "${measured[@]}"; do
  if [ -n "${failed[$name]:-}" ] && [ -z "${status[$name]:-}" ]; then
    echo "$name: failed runs, left out of its figures: ${failed[$name]} (output: $WORK/$name.run*.log)"
  fi
done

# Where the timed build's time went: the median of each step over its runs, in ms, and what is
# left of its whole process (Wine's start and end, the folder, the word-base decision, the
# progress bar).
if [ -s "$WORK/steps" ]; then
  echo
  echo "Where the Installer's time goes (its timed build, median of" \
    "$(wc -l <"$WORK/steps") runs, ms):"
  for step in start file_check room_check inflate write config shortcuts whole; do
    sed -n "s/.* $step=\([0-9]*\).*/\1/p" "$WORK/steps" >"$WORK/step.$step"
    printf '  %-11s %8.1f\n' "$step" "$(median "$WORK/step.$step" 1 | awk '{print $1 / 1000}')"
  done
  echo "start: from the process's creation to the Installer's entry point (Wine loading it);"
  echo "whole: from its creation to its last line; the rest of whole is the folder, the word-base"
  echo "decision and the progress bar. The whole process's wall time adds Wine's start and end."
fi
