#!/bin/bash
# Builds both halves: the host build (tools, payload, unit tests), then the Windows build (the
# PE32 Installer and its tests). Where the host runs no i386 code, or K7_FORCE_PE32PLUS=1, or
# with --twin, also the PE32+ twin of the Windows build, which runs under 64-bit Wine.
# K7_BUILD_DIR chooses the build folder (default: build/); K7_PAYLOAD_DIR packs a folder of real
# product files instead of the sample payload; K7_SIGN_PKCS12 and K7_SIGN_PASSWORD_FILE sign the
# release copy in BUILD/release (scripts/sign.sh), which the third-party notices go beside.
set -euo pipefail
source "$(dirname "$0")/build_dir.sh"
source "$(dirname "$0")/steps.sh"
JOBS="$(nproc)"
choose_wine_arches
twin=no
if [ "${1:-}" = --twin ] || [ "$K7_WINE_ARCHES" = win64 ]; then twin=yes; fi

host_args=(-DCMAKE_BUILD_TYPE=Release)
if [ -n "${K7_PAYLOAD_DIR:-}" ]; then
  [ -d "$K7_PAYLOAD_DIR" ] || fail "finding the payload folder $K7_PAYLOAD_DIR" "K7_PAYLOAD_DIR must name a folder of product files."
  host_args+=("-DK7_PAYLOAD_DIR=$(cd "$K7_PAYLOAD_DIR" && pwd)")
fi
advice="Run bash scripts/setup.sh first; the errors are above."

step "configuring the host build in $BUILD/host (cmake)" "$advice" \
  cmake -S "$ROOT" -B "$BUILD/host" "${host_args[@]}"
cmake --build "$BUILD/host" -j "$JOBS" || fail "the host build" "$advice"

# The Windows builds: BUILD/win32 for i686 (PE32, shipped), BUILD/win64 for the x86_64 twin.
windows_build() {
  local folder="$1" toolchain="$2"
  shift 2
  step "configuring the Windows build in $folder (cmake)" "$advice" \
    cmake -S "$ROOT" -B "$folder" -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" -DK7_HOST_BUILD_DIR="$BUILD/host" "$@"
  cmake --build "$folder" -j "$JOBS" || fail "the Windows build in $folder" "$advice"
}
windows_build "$BUILD/win32" mingw-i686.cmake
echo "build: Installer at $BUILD/win32/K7_Quorvane_Setup.exe"

# The release copy: the Installer signed with K7_SIGN_PKCS12 and K7_SIGN_PASSWORD_FILE when they
# are given (scripts/sign.sh), unsigned otherwise. Written whole or removed, never half-signed.
release="$BUILD/release/K7_Quorvane_Setup.exe"
mkdir -p "$BUILD/release"
# The licences of the works the Installer carries (zlib, libdeflate, GNU Unifont) go with it.
cp "$ROOT/THIRD_PARTY_NOTICES.txt" "$BUILD/release/"
if [ -n "${K7_SIGN_PKCS12:-}${K7_SIGN_PASSWORD_FILE:-}" ]; then
  bash "$ROOT/scripts/sign.sh" "$BUILD/win32/K7_Quorvane_Setup.exe" "$release" || exit 1
  echo "build: signed Installer at $release"
else
  cp "$BUILD/win32/K7_Quorvane_Setup.exe" "$release.copying" && mv "$release.copying" "$release"
  echo "build: unsigned Installer at $release (no K7_SIGN_PKCS12 given)"
fi
if [ "$twin" = yes ]; then
  windows_build "$BUILD/win64" mingw-x86_64.cmake \
    -DK7_SHIPPED_INSTALLER="$BUILD/win32/K7_Quorvane_Setup.exe"
  echo "build: its PE32+ twin at $BUILD/win64/K7_Quorvane_Setup.exe"
fi
