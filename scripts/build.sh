#!/bin/bash
# Builds both halves: the host build (tools, payload, unit tests), then the win32 build (the Installer).
# K7_BUILD_DIR chooses the build folder (default: build/); K7_PAYLOAD_DIR packs a folder of real
# product files instead of the sample payload.
set -euo pipefail
source "$(dirname "$0")/build_dir.sh"
JOBS="$(nproc)"

host_args=(-DCMAKE_BUILD_TYPE=Release)
if [ -n "${K7_PAYLOAD_DIR:-}" ]; then host_args+=("-DK7_PAYLOAD_DIR=$(cd "$K7_PAYLOAD_DIR" && pwd)"); fi

cmake -S "$ROOT" -B "$BUILD/host" "${host_args[@]}" >/dev/null
cmake --build "$BUILD/host" -j "$JOBS"

cmake -S "$ROOT" -B "$BUILD/win32" -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DK7_HOST_BUILD_DIR="$BUILD/host" >/dev/null
cmake --build "$BUILD/win32" -j "$JOBS"
echo "build: Installer at $BUILD/win32/K7_Quorvane_Setup.exe"
