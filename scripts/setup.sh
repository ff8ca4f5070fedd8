#!/bin/bash
# Installs every Debian package and locale that the build and the tests need; quick when all is there.
set -euo pipefail
source "$(dirname "$0")/steps.sh"

# Both cross compilers and both Wine loaders: the Installer ships as PE32, and hosts that run
# no i386 code run the tests as a PE32+ build under 64-bit Wine.
PACKAGES=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix zlib1g-dev libdeflate-dev
          googletest wine wine32:i386 wine64 xvfb xauth x11-apps unifont fonts-wine locales file
          imagemagick osslsigncode openssl perl)
LOCALES=(zh_CN zh_TW zh_HK zh_SG en_US)

source "$(dirname "$0")/packages.sh"
install_packages "${PACKAGES[@]}"

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
# zlib's and libdeflate's own sources: the Windows build compiles just zlib's CRC-32 and
# libdeflate's zlib decompressor, small (see cmake/zlib_inflate.cmake and
# cmake/libdeflate_decompress.cmake). They come from Debian's source packages, which need deb-src
# entries: copies of the machine's Debian entries (same mirror, suites and Signed-By, or apt
# refuses the pair) with the type deb-src, in files of their own.
ZLIB_SOURCE=/var/cache/k7/zlib
LIBDEFLATE_SOURCE=/var/cache/k7/libdeflate
add_debian_source_entries() {
  local list=/etc/apt/sources.list.d/k7-debian-source one_line deb822 file
  local one_line_files=() deb822_files=()
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$file" ] && [ "$file" != "$list.list" ]; then one_line_files+=("$file"); fi
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$file" ] && [ "$file" != "$list.sources" ]; then deb822_files+=("$file"); fi
  done
  one_line="$(cat "${one_line_files[@]}" /dev/null |
    sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian.*\)$/deb-src \1/p')"
  # One stanza a record; a file's end ends its last stanza.
  deb822="$(awk '
    BEGIN { RS = ""; ORS = "\n\n" }
    /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ && /(^|\n)URIs:[^\n]*debian/ &&
        !/(^|\n)Enabled:[[:space:]]*no/ {
      sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
    }' "${deb822_files[@]}" /dev/null)"
  if [ -z "$one_line$deb822" ]; then
    echo "no Debian entry (deb ... debian ...) in /etc/apt/sources.list or sources.list.d/"
    return 1
  fi
  if [ -n "$one_line" ]; then echo "$one_line" | $SUDO tee "$list.list" >/dev/null; fi
  if [ -n "$deb822" ]; then echo "$deb822" | $SUDO tee "$list.sources" >/dev/null; fi
  apt_update
}
# apt-get checks every file it fetches against the signed Sources index. The newest version is
# tried first, then the one of each suite in turn, for a mirror that lacks some suite's files.
# The orig tarball is the project's release, without Debian's patches (for zlib they change only
# its build files and minizip; libdeflate has none).
#   fetch_debian_source PACKAGE FOLDER FILE   unpacks PACKAGE's release into FOLDER, which must
#                                             then hold FILE.
fetch_debian_source() {
  local package="$1" folder="$2" marker="$3" work orig suite
  work="$(mktemp -d)"
  chmod 777 "$work"  # apt downloads as its own user
  if ! (cd "$work" && apt-get source --download-only "$package"); then
    # apt-cache madison's source lines: "PACKAGE | VERSION | URI SUITE/COMPONENT Sources".
    for suite in $(apt-cache madison "$package" | awk -F' [|] ' '/Sources$/ {
                     split($3, words, " "); sub(/\/.*/, "", words[2]); print words[2] }' | uniq); do
      rm -f "$work"/*
      if (cd "$work" && apt-get source --download-only "$package/$suite"); then break; fi
    done
  fi
  orig="$(ls "$work"/"$package"_*.orig.tar.*)" || return 1
  $SUDO rm -rf "$folder.new"
  $SUDO mkdir -p "$folder.new"
  $SUDO tar -xf "$orig" -C "$folder.new" --strip-components=1 --no-same-owner || return 1
  [ -f "$folder.new/$marker" ] || { echo "$orig holds no $marker"; return 1; }
  basename "$(ls "$work"/"$package"_*.dsc)" .dsc | $SUDO tee "$folder.new/DEBIAN_SOURCE" >/dev/null
  $SUDO rm -rf "$folder" && $SUDO mv "$folder.new" "$folder"
  rm -rf "$work"
}
for source in "zlib $ZLIB_SOURCE inflate.c" \
              "libdeflate $LIBDEFLATE_SOURCE lib/deflate_decompress.c"; do
  read -r package folder marker <<<"$source"
  if [ -f "$folder/$marker" ]; then continue; fi
  echo "setup: fetching $package's source package into $folder"
  if ! apt-cache showsrc "$package" >/dev/null 2>&1; then
    step "adding deb-src entries for Debian's source packages" \
      "Add a deb-src entry for Debian's archive (its deb entry's Signed-By too); apt-get update." \
      add_debian_source_entries
  fi
  step "fetching $package's source package (apt-get source $package)" \
    "Check that Debian's mirror is reachable and has deb-src entries, then rerun this script." \
    fetch_debian_source "$package" "$folder" "$marker"
done
