# Sourced by scripts/setup.sh and bench/payloads.sh after scripts/steps.sh: Debian packages
# installed the one way, whatever state the mirror is in.
#
#   install_packages PACKAGE...   installs those not installed yet (a quick no-op otherwise).
#   apt_update                    reads the package lists, past a mirror caught mid-sync.
#   SUDO                          "sudo" when not root (set here).

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null; then
    fail "finding a way to install packages" "Run this script as root, or install sudo."
  fi
  SUDO="sudo"
fi

# A mirror caught mid-sync answers an index of the wrong size ("Mirror sync in progress?"), and a
# caching proxy may keep answering it: apt-get update is tried again past the caches after a
# pause. When some index still fails, apt keeps the lists it could read (and the older ones of
# the rest), so the setup goes on with them, says so, and lets the installation tell whether
# what it needs is there.
apt_update() {
  local try
  for try in 1 2 3; do
    if $SUDO apt-get update -qq -o Acquire::http::No-Cache=true; then return 0; fi
    if [ "$try" -lt 3 ]; then echo "apt-get update failed; trying again in 20 s"; sleep 20; fi
  done
  echo "$K7_SCRIPT: some package lists could not be read (above); going on with those apt has" >&2
}

# With one architecture's list of a suite missing (the security suite's i386 list, say), apt may
# find no set of versions that both architectures share; the release's own suite has them all.
apt_install() {
  local codename
  if $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"; then return 0; fi
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
  [ -n "$codename" ] || return 1
  echo "apt-get install failed; trying again with the versions of $codename's own suite"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t "$codename" "$@"
}

install_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "$K7_SCRIPT: installing ${missing[*]}"
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture (dpkg --add-architecture i386)" \
      "The 32-bit Wine packages need it; run the script as root." \
      $SUDO dpkg --add-architecture i386
  fi
  apt_update
  step "installing the packages ${missing[*]}" \
    "Check the package names and the mirror, or install them by hand with apt-get install." \
    apt_install "${missing[@]}"
}
