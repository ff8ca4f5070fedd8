# Sourced by the scripts: chooses the build folder BUILD. Wine runs as "nobody" when the scripts
# run as root, so the build folder must be reachable by that user; a checkout inside a private
# folder (such as /root) builds under /var/tmp instead.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -n "${K7_BUILD_DIR:-}" ]; then
  BUILD="$K7_BUILD_DIR"
elif [ "$(id -u)" = 0 ] && ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$ROOT"; then
  BUILD="/var/tmp/k7-build-$(echo "$ROOT" | md5sum | cut -c1-12)"
else
  BUILD="$ROOT/build"
fi
mkdir -p "$BUILD"
export K7_BUILD_DIR="$BUILD"
