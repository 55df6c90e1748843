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

# shellcheck disable=SC2046
sh packaging/install-missing.sh build.sh $(grep -v '^#' packaging/debian-build-deps)
exec make "$1"
