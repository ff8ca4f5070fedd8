#!/bin/bash
# Installs every Debian package and locale that the build and the tests need; quick when all is there.
set -euo pipefail
source "$(dirname "$0")/steps.sh"

# Both cross compilers and both Wine loaders: the Installer ships as PE32, and hosts that run
# no i386 code run the tests as a PE32+ build under 64-bit Wine.
PACKAGES=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          zlib1g-dev googletest wine wine32:i386 wine64 xvfb xauth x11-apps unifont fonts-wine
          locales file imagemagick)
LOCALES=(zh_CN zh_TW zh_HK zh_SG en_US)

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null; then
    fail "finding a way to install packages" "Run this script as root, or install sudo."
  fi
  SUDO="sudo"
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture (dpkg --add-architecture i386)" \
      "The 32-bit Wine packages need it; run the script as root." \
      $SUDO dpkg --add-architecture i386
  fi
  step "reading the package lists (apt-get update)" \
    "Check that Debian's package mirror is reachable and /etc/apt/sources.list is valid." \
    $SUDO apt-get update -qq
  step "installing the packages ${missing[*]}" \
    "Check the package names and the mirror, or install them by hand with apt-get install." \
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

# Wine maps file names through the host locale: the Chinese locales must exist or every
# non-ASCII file name fails under LC_ALL=zh_*.
have_locales="$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')"
for l in "${LOCALES[@]}"; do
  want="$(echo "$l.utf8" | tr 'A-Z' 'a-z')"
  if ! grep -qx "$want" <<<"$have_locales"; then
    echo "setup: generating locale $l.UTF-8"
    step "generating the locale $l.UTF-8 (localedef)" \
      "Install the package locales, or add $l.UTF-8 to /etc/locale.gen and run locale-gen." \
      $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
echo "setup: all packages and locales present"
