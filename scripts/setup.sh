#!/bin/bash
# Installs every Debian package and locale that the build and the tests need; quick when all is there.
set -euo pipefail

PACKAGES=(cmake make g++ g++-mingw-w64-i686 libz-mingw-w64-dev zlib1g-dev googletest
          wine wine32:i386 xvfb xauth x11-apps unifont fonts-wine locales file imagemagick)
LOCALES=(zh_CN zh_TW zh_HK zh_SG en_US)

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine maps file names through the host locale: the Chinese locales must exist or every
# non-ASCII file name fails under LC_ALL=zh_*.
have_locales="$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')"
for l in "${LOCALES[@]}"; do
  want="$(echo "$l.utf8" | tr 'A-Z' 'a-z')"
  if ! grep -qx "$want" <<<"$have_locales"; then
    echo "setup: generating locale $l.UTF-8"
    $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
echo "setup: all packages and locales present"
