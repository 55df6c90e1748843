#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes Debian's sources reachable to apt-get source (a deb-src entry for the same
# archive and suites as the machine's deb entry) and installs the packages named.
# Run as root.
set -eu
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "deb-src: adding deb-src for Debian's archive" >&2
  sed -n 's/^Types: *deb$/Types: deb-src/p; /^URIs:/p; /^Suites:/p; /^Components:/p; /^Signed-By:/p; /^$/p' \
    /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/sorario-src.sources
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "$@" >&2
