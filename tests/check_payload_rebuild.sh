#!/bin/bash
# The packager's folder followed by the build: tests/check_payload_rebuild.sh BUILD_DIR
# Packs a copy of the sample payload as a real product folder (K7_PAYLOAD_DIR) into a build of
# its own under BUILD_DIR/rebuild (the packer and the Installer, nothing else), then changes the
# folder and builds again after each change, reading the changed stream back out of the
# Installer's file: nothing changed relinks nothing; a file's bytes changed with its size and
# time kept; an unlisted resource's file added, then removed; a packer stopped part-way; a
# manifest file removed stops the build naming it. Prints one line; exit code 1 on any failure.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$1"
R="$BUILD/rebuild"
problems=()
rm -rf "$R/payload" && mkdir -p "$R" && cp -a "$BUILD/host/sample_payload" "$R/payload"
rm -f "$R/payload/.stamp"
EXE="$R/win32/K7_Quorvane_Setup.exe"
build() {
  cmake -S "$ROOT" -B "$R/host" -DCMAKE_BUILD_TYPE=Release "-DK7_PAYLOAD_DIR=$R/payload" &&
    cmake --build "$R/host" -j "$(nproc)" --target payload &&
    cmake -S "$ROOT" -B "$R/win32" -DCMAKE_BUILD_TYPE=MinSizeRel \
      "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-i686.cmake" "-DK7_HOST_BUILD_DIR=$R/host" &&
    cmake --build "$R/win32" -j "$(nproc)" --target K7_Quorvane_Setup
} >"$R/build.log" 2>&1
# carries ID FILE: the Installer holds stream ID of the packed folder, which inflates to FILE
# (to nothing when FILE is missing).
carries() {
  perl -MCompress::Zlib -e '
    sub slurp { open(my $f, "<", $_[0]) or die "cannot read $_[0]\n"; binmode $f; local $/; <$f> }
    my ($exe, $z, $file) = @ARGV;
    my $stream = slurp($z);
    index(slurp($exe), $stream) >= 0 or die "the Installer does not carry $z\n";
    my $inflated = uncompress($stream);
    defined $inflated && $inflated eq (-e $file ? slurp($file) : "")
      or die "$z does not inflate to $file\n";' "$EXE" "$R/host/payload/$1.z" "$2" 2>&1
}
check() {  # check WHAT ID FILE
  local why
  why=$(carries "$2" "$3") || problems+=("$1: $why")
}

build || { echo "check_payload_rebuild: the first build failed; see $R/build.log"; exit 1; }
linked=$(stat -c %Y.%y "$EXE")
sleep 1
build || problems+=("a build without a change failed")
[ "$(stat -c %Y.%y "$EXE")" = "$linked" ] || problems+=("a build without a change relinked")

tips="$R/payload/tips.txt"
touch -r "$tips" "$R/tips.time"
printf 'X' | dd of="$tips" bs=1 seek=0 count=1 conv=notrunc status=none
touch -r "$R/tips.time" "$tips"
build && check "bytes changed, size and time kept" 203 "$tips" ||
  problems+=("the build after changed bytes failed")

printf 'unlisted' >"$R/payload/unlisted_163.bin"
build && check "unlisted file added" 163 "$R/payload/unlisted_163.bin" ||
  problems+=("the build after an added file failed")
rm -f "$R/payload/unlisted_163.bin"
build && check "unlisted file removed" 163 "$R/payload/unlisted_163.bin" ||
  problems+=("the build after a removed file failed")

# A packer stopped part-way (here by a file-size limit of 4 KB, which the resource script outgrows
# after the new tips stream and the record are written) leaves the new streams; the next build
# must still carry them.
printf 'tips after a stopped packer\n' >"$tips"
{ (ulimit -f 4 && exec "$R/host/pack_payload" "$R/payload" "$R/host/payload" \
  "$R/host/payload/payload.rc") >/dev/null 2>&1; } 2>/dev/null &&
  problems+=("the packer was not stopped")
build && check "after a stopped packer" 203 "$tips" ||
  problems+=("the build after a stopped packer failed")

rm -f "$R/payload/Keydrill.exe"
if build; then
  problems+=("a build without Keydrill.exe succeeded")
elif ! grep -q "payload file missing: .*Keydrill.exe" "$R/build.log"; then
  problems+=("the failed build does not name Keydrill.exe")
fi

if [ ${#problems[@]} -gt 0 ]; then
  printf 'check_payload_rebuild: %s\n' "${problems[@]}"
  exit 1
fi
echo "check_payload_rebuild: rebuilds after no change, changed bytes, an added and a removed" \
  "file, a stopped packer carry exactly the folder; a missing file stops the build"
