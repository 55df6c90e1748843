#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's whole suite under Wine, headless, in a Wine prefix of its
# own that goes afterwards; then the same sorario-cli commands on the Linux and
# the Windows build, compared byte for byte; then the setup .exe and the .msi
# installed, run and uninstalled.
# usage: test-wine.sh [BUILD-WIN [BUILD]]
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
win=$(cd "${1:-build-win}" && pwd)
linux=$(cd "${2:-build}" && pwd)
jobs=${JOBS:-2}
qt=$(sed -n 's/^SORARIO_QT_WINDOWS:[A-Z]*=//p' "$win/CMakeCache.txt")
psql=$(sed -n 's/^SORARIO_PSQL_WINDOWS:[A-Z]*=//p' "$win/CMakeCache.txt")

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

status=0
(cd "$win" && ctest -j "$jobs" --output-on-failure) || status=1
sh "$src/packaging/windows/compare-outputs.sh" "$linux/src/cli/sorario-cli" \
  "$win/src/cli/sorario-cli.exe" "$qt" "$psql" || status=1
sh "$src/packaging/windows/test-installers.sh" "$win" "$linux/src/cli/sorario-cli" || status=1
exit $status
