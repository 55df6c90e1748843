#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program of the Windows build under Wine, headless: the emulator CTest
# puts before every test of build-win. The first argument is the Qt for MinGW
# (packaging/windows/build-qt.sh), the second its PostgreSQL driver (build-psql.sh);
# their DLLs and MinGW's runtime are on the path, the driver among Qt's plugins.
set -eu
qt=$1
psql=$2
shift 2
gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
win() { echo "Z:$1" | tr / '\\'; }
export WINEPATH="$(win "$qt/bin");$(win "$psql/bin");$(win "$gcc");$(win /usr/x86_64-w64-mingw32/lib)"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and Wine would ask to install them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine keeps the QT_ variables of Unix from Windows programs; WINEQT_ ones reach
# them without the prefix.
export WINEQT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export WINEQT_PLUGIN_PATH="$(win "$psql/plugins")"
# A test's own log does not reach a Unix pipe from Wine, a file does: the log is
# written there and shown when the test ends, with the test's exit status.
case "$1" in
  */tests/*/tst_*.exe)
    log=$(mktemp)
    status=0
    wine "$@" -o "$(win "$log"),txt" || status=$?
    cat "$log"
    rm -f "$log"
    exit $status
    ;;
esac
exec wine "$@"
