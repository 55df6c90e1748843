#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds qtbase 6.4.2 for x86_64-w64-mingw32 from Debian's own source, with Debian's
# Qt as the host tools, and installs it into a cache folder named after a hash of
# this script and the toolchain file, so a machine builds it once. Prints the folder.
# Everything comes from Debian's archive (run as root: it adds a deb-src line).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/toolchain-mingw64.cmake
key=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
prefix=${SORARIO_QT_CACHE:-/var/cache/sorario}/qt6-mingw-6.4.2-$key
jobs=${JOBS:-2}

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "build-qt: $*" >&2; }

# The deb-src line names the same archive and suites as the machine's deb line.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  log "adding deb-src for Debian's archive"
  sed -n 's/^Types: *deb$/Types: deb-src/p; /^URIs:/p; /^Suites:/p; /^Components:/p; /^Signed-By:/p; /^$/p' \
    /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/sorario-src.sources
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends dpkg-dev cmake ninja-build tcl \
  g++-mingw-w64-x86-64-posix mingw-w64-tools qt6-base-dev qt6-base-dev-tools >&2

work=${SORARIO_QT_WORK:-/var/tmp/sorario-qt-build}
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"
log "getting the sources of qt6-base and sqlite3"
apt-get source -qq qt6-base=6.4.2+dfsg-10 sqlite3 >&2
qt=$(ls -d "$work"/qt6-base-6.4.2*/)
sqlite=$(ls -d "$work"/sqlite3-*/)

# Debian's Qt source leaves SQLite out; its amalgamation goes where Qt's own copy
# would be, and is compiled into the driver plugin by the MinGW compiler.
log "making SQLite's amalgamation"
mkdir -p "$work/sqlite-build"
(cd "$work/sqlite-build" && "$sqlite/configure" --disable-tcl >/dev/null && make -s sqlite3.c >&2)
mkdir -p "$qt/src/3rdparty/sqlite"
cp "$work/sqlite-build/sqlite3.c" "$work/sqlite-build/sqlite3.h" "$qt/src/3rdparty/sqlite/"

# Only what the programs load: no Direct2D platform, no JPEG or GIF reader. (Without
# OpenGL the Windows platform plugin of 6.4.2 does not build, nor PrintSupport without
# Direct2D, so those stay.)
log "configuring qtbase for x86_64-w64-mingw32"
cmake -S "$qt" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_xml=OFF -DFEATURE_icu=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_sqlite=OFF \
  -DFEATURE_sql_sqlite=ON -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF \
  -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_direct2d1_1=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF >&2

log "building (nice, $jobs jobs)"
nice -n 19 cmake --build "$work/build" -j "$jobs" >&2
cmake --install "$work/build" >&2
cp "$qt/LICENSES/LGPL-3.0-only.txt" "$prefix/" 2>/dev/null || true
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
