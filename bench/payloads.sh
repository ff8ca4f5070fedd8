# The benchmarks' payloads and builds, sourced by bench/install_speed.sh and
# bench/download_size.sh after scripts/steps.sh, with ROOT and BENCH set.
#
# Two full-size payloads of the 105 manifest files at the product's sizes, written by
# make_sample_payload (tools/make_sample_payload.cpp):
#   synthetic  generated content (--full-size): needs no package beyond the build's own
#   real       cut from files that Debian packages install (--real-content): Wine's PE DLLs
#              (libwine) for the programs, glibc's character maps and locale sources (locales),
#              its character-set conversion tables (libc6) and GNU Unifont's hex files (unifont)
#              for the word tables, Unifont's glyph chart (unifont) for the
#              keyboard bitmaps, the Chinese Debian Reference (debian-reference-zh-cn) for the
#              help pages, and gzip files and PNG images of those packages for the files that
#              come compressed.

# The packages the real payload is cut from (libwine comes with the build's Wine).
K7_REAL_PAYLOAD_PACKAGES=(locales unifont debian-reference-zh-cn)

# bench_packages PACKAGE...: installs those missing, as the setup installs its own.
source "$ROOT/scripts/packages.sh"
bench_packages() { install_packages "$@"; }

# The Windows DLLs of Wine: the 32-bit ones where this host has them, else the 64-bit ones.
wine_dll_folder() {
  local d
  for d in /usr/lib/i386-linux-gnu/wine/i386-windows \
           /usr/lib/x86_64-linux-gnu/wine/x86_64-windows; do
    if [ -d "$d" ]; then
      echo "$d"
      return
    fi
  done
  fail "finding Wine's Windows DLLs" "Install Wine (bash scripts/setup.sh)."
}

# real_payload_sources: the source list of the real payload, "KIND PATH" a line, in a fixed
# order (the C locale's sort of each kind's files).
real_payload_sources() {
  local reference
  reference=$(dpkg -L debian-reference-zh-cn debian-reference-common | LC_ALL=C sort)
  {
    find "$(wine_dll_folder)" -maxdepth 1 -name '*.dll' | LC_ALL=C sort | sed 's/^/program /'
    find /usr/share/i18n/charmaps -name '*.gz' | LC_ALL=C sort | sed 's/^/table /'
    find /usr/share/i18n/locales -type f | LC_ALL=C sort | sed 's/^/table /'
    find "/usr/lib/$(uname -m)-linux-gnu/gconv" -name '*.so' | LC_ALL=C sort | sed 's/^/table /'
    printf 'table %s\n' /usr/share/unifont/unifont.hex /usr/share/unifont/unifont_jp.hex
    printf 'bitmap %s\n' /usr/share/unifont/unifont.bmp.gz /usr/share/unifont/unifont_jp.bmp.gz
    grep '\.html$' <<<"$reference" | sed 's/^/page /'
    find /usr/share/i18n/charmaps -name '*.gz' | LC_ALL=C sort | sed 's/^/compressed /'
    grep '\.png$' <<<"$reference" | sed 's/^/compressed /'
  }
}

# The payload makers and the glyph sheets, built once in $BENCH/tools.
bench_tools() {
  step "configuring the payload tools in $BENCH/tools (cmake)" "Run bash scripts/setup.sh." \
    cmake -S "$ROOT" -B "$BENCH/tools" -DCMAKE_BUILD_TYPE=Release
  step "building the payload tools in $BENCH/tools" "Its last lines follow." \
    cmake --build "$BENCH/tools" -j "$(nproc)" --target make_sample_payload make_glyph_sheets
  GLYPHS="$BENCH/glyph_sheets.bin"
  if [ ! -s "$GLYPHS" ] || [ "$BENCH/tools/make_glyph_sheets" -nt "$GLYPHS" ]; then
    step "drawing the glyph sheets $GLYPHS" "Install the package unifont (bash scripts/setup.sh)." \
      "$BENCH/tools/make_glyph_sheets" /usr/share/unifont/unifont.hex "$GLYPHS"
  fi
}

# bench_payload NAME: writes payload NAME (synthetic or real) into $BENCH/payload-NAME when its
# maker, its sources or the glyph sheets changed. Sets PAYLOAD to the folder.
bench_payload() {
  local name="$1" args=()
  PAYLOAD="$BENCH/payload-$name"
  local stamp="$PAYLOAD.stamp" list="$BENCH/payload-$name.sources"
  case "$name" in
    synthetic) args=(--full-size) ; : >"$list.new" ;;
    real)
      bench_packages "${K7_REAL_PAYLOAD_PACKAGES[@]}"
      real_payload_sources >"$list.new"
      args=(--real-content "$list") ;;
  esac
  if ! cmp -s "$list.new" "$list"; then mv "$list.new" "$list"; else rm -f "$list.new"; fi
  if [ ! -f "$stamp" ] || [ "$BENCH/tools/make_sample_payload" -nt "$stamp" ] ||
     [ "$GLYPHS" -nt "$stamp" ] || [ "$list" -nt "$stamp" ]; then
    rm -rf "$PAYLOAD.new"
    step "writing the $name payload (make_sample_payload ${args[0]})" "Its last lines follow." \
      "$BENCH/tools/make_sample_payload" "${args[@]}" "$PAYLOAD.new" "$GLYPHS"
    if diff -rq "$PAYLOAD.new" "$PAYLOAD" >/dev/null 2>&1; then
      rm -rf "$PAYLOAD.new"
    else
      echo "bench: new $name payload in $PAYLOAD"
      rm -rf "$PAYLOAD" && mv "$PAYLOAD.new" "$PAYLOAD"
    fi
    touch "$stamp"
  fi
  local word_base="$PAYLOAD/pycizudic.idx"
  if [ "$(stat -c %s "$word_base")" != 38013217 ] ||
     [ "$(head -c 1 "$word_base" | od -An -tx1 | tr -d ' ')" != 80 ]; then
    fail "checking $word_base" "It must be 38,013,217 bytes starting with 0x80; remove $stamp."
  fi
}

# bench_build FOLDER PAYLOAD_DIR ARCH [HOST_CMAKE_ARG...]: packs the payload in FOLDER/host and
# builds the targets named in BENCH_TARGETS (default: the Installer) from it in FOLDER/ARCH
# (win32: PE32, win64: PE32+), nothing else (no tests).
bench_build() {
  local folder="$1" payload="$2" arch="$3" toolchain=mingw-i686.cmake
  shift 3
  [ "$arch" = win64 ] && toolchain=mingw-x86_64.cmake
  step "configuring the packer in $folder/host (cmake)" "Run bash scripts/setup.sh." \
    cmake -S "$ROOT" -B "$folder/host" -DCMAKE_BUILD_TYPE=Release "-DK7_PAYLOAD_DIR=$payload" "$@"
  step "packing $payload in $folder/host" "Its last lines follow." \
    cmake --build "$folder/host" -j "$(nproc)" --target payload
  step "configuring the Windows build in $folder/$arch (cmake)" "Run bash scripts/setup.sh." \
    cmake -S "$ROOT" -B "$folder/$arch" -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" "-DK7_HOST_BUILD_DIR=$folder/host"
  local targets=("${BENCH_TARGETS[@]:-K7_Quorvane_Setup}")
  step "building ${targets[*]} in $folder/$arch" "Its last lines follow." \
    cmake --build "$folder/$arch" -j "$(nproc)" --target "${targets[@]}"
}

# nsis_script SCRIPT EXE COMPRESSION FILE...: the NSIS 3 script of the same job as the
# Installer's silent run, packed with COMPRESSION ("zlib" or "/SOLID lzma"): the files in that
# order, the edit of velmarui.ini's [Config] section, the Start-menu group with the program's and
# the uninstaller's shortcut, and the program's shortcut on the desktop. Written only when it
# changed, so that an unchanged script keeps its packed installer.
nsis_script() {
  local script="$1" exe="$2" compression="$3" f
  shift 3
  {
    echo "; NSIS 3 script written by bench/payloads.sh: the Installer's job, $compression."
    echo "Unicode true"
    echo "SetCompressor $compression"
    echo "Name \"Quorvane\""
    echo "OutFile \"$exe\""
    echo "InstallDir \"\$PROGRAMFILES\\Quorvane\""
    echo "RequestExecutionLevel user"
    echo "Section"
    echo "  SetOutPath \"\$INSTDIR\""
    for f in "$@"; do echo "  File \"$f\""; done
    echo "  WriteINIStr \"\$INSTDIR\\velmarui.ini\" Config UseBmpFont 1"
    echo "  WriteINIStr \"\$INSTDIR\\velmarui.ini\" Config ForceLanguage 0"
    local group='$SMPROGRAMS\Quorvane-Brix4' program='$INSTDIR\K7.exe'
    echo "  CreateDirectory \"$group\""
    echo "  CreateShortCut \"$group\\TorvuK7.lnk\" \"$program\""
    echo "  CreateShortCut \"$group\\UnInstall.lnk\" \"\$INSTDIR\\K7UnInstall.exe\""
    echo "  CreateShortCut \"\$DESKTOP\\TorvuK7.lnk\" \"$program\""
    echo "SectionEnd"
  } >"$script.new"
  if cmp -s "$script.new" "$script"; then rm -f "$script.new"; else mv "$script.new" "$script"; fi
}

# nsis_pack SCRIPT EXE PAYLOAD_DIR: packs EXE from SCRIPT when the script or the payload is
# newer; prints the size of its data block (makensis's "Install data").
nsis_pack() {
  local script="$1" exe="$2" log="$2.log" stamp="$3.stamp"
  if [ ! "$exe" -nt "$script" ] || [ "$stamp" -nt "$exe" ] || [ ! -s "$log" ]; then
    if ! makensis "$script" >"$log" 2>&1; then
      fail "packing the NSIS installer $exe (makensis)" "Its last lines follow." "$log"
    fi
  fi
  awk '/^Install data:/ {print $3}' "$log"
}
