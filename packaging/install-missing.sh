#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs those of the Debian packages named that the machine lacks (as root, or
# through sudo). The first argument names the caller in what it prints.
set -eu
caller=$1
shift
missing=""
for pkg in "$@"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $pkg"
done
[ -n "$missing" ] || exit 0
echo "$caller: installing$missing" >&2
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
