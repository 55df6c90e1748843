#!/bin/sh
# The README's two commands on a bare Debian 12: installs the packages of
# packaging/debian-build-deps that are missing (as root, or through sudo), then
# runs `make run` (build and open the main window on the samples) or `make test`.
set -eu
cd "$(dirname "$0")"
case "${1:-}" in
  run|test) ;;
  *) echo "usage: sh build.sh run|test" >&2; exit 2 ;;
esac

missing=""
for pkg in $(grep -v '^#' packaging/debian-build-deps); do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $pkg"
done
if [ -n "$missing" ]; then
  echo "build.sh: installing$missing" >&2
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi
exec make "$1"
