#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds what the Windows programs need to keep a history on a PostgreSQL server:
# OpenSSL and libpq from Debian's own sources, and Qt's QPSQL driver plugin from the
# qtbase source against the Qt for MinGW (build-qt.sh) named by its one argument.
# Installs them into a cache folder named after a hash of this script, build-qt.sh and
# the toolchain file, so a machine builds them once. Prints the folder, which holds
# bin/ (the DLLs) and plugins/sqldrivers/.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
qtprefix=$1
toolchain=$here/../../cmake/toolchain-mingw64.cmake
key=$(cat "$0" "$here/build-qt.sh" "$toolchain" | sha256sum | cut -c1-12)
prefix=${SORARIO_QT_CACHE:-/var/cache/sorario}/psql-mingw-$key
jobs=${JOBS:-2}

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "build-psql: $*" >&2; }
sh "$here/deb-src.sh" dpkg-dev make perl cmake ninja-build g++-mingw-w64-x86-64-posix \
  mingw-w64-tools qt6-base-dev qt6-base-dev-tools
# The bookworm versions by name: a plain apt-get source would pick security versions
# a mirror may not serve.
openssl_version=3.0.20-1~deb12u2
postgresql_version=15.18-0+deb12u1

work=${SORARIO_PSQL_WORK:-/var/tmp/sorario-psql-build}
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/bin" "$prefix/plugins/sqldrivers" "$prefix/licenses"
cd "$work"
log "getting the sources of openssl, postgresql-15 and qt6-base"
apt-get source -qq "openssl=$openssl_version" "postgresql-15=$postgresql_version" qt6-base=6.4.2+dfsg-10 >&2
openssl=$(ls -d "$work"/openssl-*/)
postgresql=$(ls -d "$work"/postgresql-15-*/)
qt=$(ls -d "$work"/qt6-base-6.4.2*/)
dev=$work/dev

log "building OpenSSL for x86_64-w64-mingw32"
(
  cd "$openssl"
  ./Configure mingw64 --cross-compile-prefix=x86_64-w64-mingw32- shared no-tests \
    --prefix="$dev" --libdir=lib >&2
  nice -n 19 make -s -j "$jobs" build_libs >&2
  make -s install_dev install_runtime_libs >&2
)

log "building libpq for x86_64-w64-mingw32"
(
  cd "$postgresql"
  ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$dev" \
    --without-readline --without-zlib --without-icu --with-ssl=openssl \
    --with-includes="$dev/include" --with-libraries="$dev/lib" >&2
  nice -n 19 make -s -j "$jobs" -C src/interfaces/libpq >&2
  make -s -C src/interfaces/libpq install >&2
  make -s -C src/include install >&2
)

log "building the QPSQL plugin"
cmake -S "$qt/src/plugins/sqldrivers" -B "$work/sqldrivers" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qtprefix" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$work/plugin" \
  -DFEATURE_sql_psql=ON -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_odbc=OFF \
  -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF \
  -DPostgreSQL_INCLUDE_DIR="$dev/include" -DPostgreSQL_LIBRARY="$dev/lib/libpq.a" >&2
nice -n 19 cmake --build "$work/sqldrivers" -j "$jobs" >&2
cmake --install "$work/sqldrivers" >&2

cp "$(find "$work/plugin" -name qsqlpsql.dll)" "$prefix/plugins/sqldrivers/"
cp "$dev/bin/libpq.dll" "$dev/bin/libssl-3-x64.dll" "$dev/bin/libcrypto-3-x64.dll" "$prefix/bin/"
cp "$openssl/LICENSE.txt" "$prefix/licenses/OpenSSL.txt"
cp "$postgresql/COPYRIGHT" "$prefix/licenses/PostgreSQL.txt"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
