#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# `make windows`: Qt for MinGW (built once and cached, build-qt.sh), the programs
# and the Qt Test executables for Windows in BUILD (build-win), the portable folder
# zipped as BUILD/sorario-<version>-windows-x64.zip and its installer
# BUILD/sorario-<version>-windows-x64-setup.exe (per user) and
# BUILD/sorario-<version>-windows-x64.msi (per machine). Installs the Debian packages it
# needs when they are missing (as root, or through sudo).
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build-win}
jobs=${JOBS:-2}
cd "$src"

sh packaging/install-missing.sh make-windows g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev nsis wixl msitools zip \
  wine wine64 qt6-translations-l10n cmake ninja-build qt6-base-dev qt6-base-dev-tools

qt=$(JOBS=$jobs sh packaging/windows/build-qt.sh)
psql=$(JOBS=$jobs sh packaging/windows/build-psql.sh "$qt")
launcher=""
command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# Configured again each time: the caches' folders change with their scripts.
cmake -S . -B "$build" -G Ninja $launcher \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-mingw64.cmake" \
  -DSORARIO_QT_WINDOWS="$qt" -DSORARIO_PSQL_WINDOWS="$psql" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$src/packaging/windows/wine-run.sh;$qt;$psql" >/dev/null
cmake --build "$build" -j "$jobs"

version=$(sed -n 's/^project(sorario VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=sorario-$version-windows-x64
portable=$(cd "$build" && pwd)/$name
sh packaging/windows/gather.sh "$build" "$qt" "$psql" "$portable" >/dev/null
(cd "$build" && rm -f "$name.zip" && zip -qrX "$name.zip" "$name")

# The installer installs the portable folder's files and its uninstaller removes
# exactly those.
lists=$(cd "$build" && pwd)/nsis
mkdir -p "$lists"
# printf, not echo: sh's echo would read "\translations" as a tab and "ranslations".
(
  cd "$portable"
  find . -type d | sort | while read -r dir; do
    printf 'SetOutPath "$INSTDIR%s"\n' "$(printf '%s' "${dir#.}" | tr / '\\')"
    find "$dir" -maxdepth 1 -type f | sort | while read -r f; do printf 'File "%s"\n' "$portable/${f#./}"; done
  done
) >"$lists/files.nsh"
(
  cd "$portable"
  find . -type f | sort | while read -r f; do printf 'Delete "$INSTDIR%s"\n' "$(printf '%s' "${f#.}" | tr / '\\')"; done
  find . -mindepth 1 -type d | sort -r | while read -r d; do printf 'RMDir "$INSTDIR%s"\n' "$(printf '%s' "${d#.}" | tr / '\\')"; done
) >"$lists/unfiles.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$lists/files.nsh" \
  -DUNFILES="$lists/unfiles.nsh" -DOUTFILE="$(cd "$build" && pwd)/$name-setup.exe" \
  packaging/windows/sorario.nsi

# The MSI holds the same files. wixl stores its strings in the code page of the
# language named here (932, for the Japanese names), and the database is marked so.
msi=$(cd "$build" && pwd)/msi
mkdir -p "$msi"
(cd "$build" && find "$name" -type f | sort) |
  wixl-heat -p "$name/" --component-group Files --var var.Portable --directory-ref INSTALLDIR --win64 \
    >"$msi/files.wxs"
printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$msi/_ForceCodepage.idt"
(
  cd "$build"
  rm -f "$name.msi"
  WINDOWS_LANGUAGE=ja wixl -a x64 -D Version="$version" -D Portable="$name" -D Win64=yes \
    -o "$name.msi" "$src/packaging/windows/sorario.wxs" "$msi/files.wxs"
  WINDOWS_LANGUAGE=ja msibuild "$name.msi" -i "$msi/_ForceCodepage.idt"
)
echo "make-windows: $build/$name.zip $build/$name-setup.exe $build/$name.msi" >&2
