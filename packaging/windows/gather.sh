#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Gathers the portable folder of the Windows build: the two programs, the Qt DLLs
# and plugins they load, MinGW's runtime, qt.conf, the Japanese Qt translation,
# the read-me, the samples and the licences.
# usage: gather.sh BUILD-WIN QT-FOR-MINGW ITS-POSTGRESQL-DRIVER OUT-FOLDER
set -eu
build=$1
qt=$2
psql=$3
out=$4
src=$(cd "$(dirname "$0")/../.." && pwd)
gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search="$qt/bin $psql/bin $gcc /usr/x86_64-w64-mingw32/lib"

rm -rf "$out"
mkdir -p "$out"
cp "$build/src/app/sorario.exe" "$build/src/cli/sorario-cli.exe" "$out/"

# The plugins a run loads: the window system (offscreen for sorario-cli), the SQLite driver of the history,
# the icon reader and the native style where this Qt has them.
for plugin in platforms/qwindows.dll platforms/qoffscreen.dll sqldrivers/qsqlite.dll styles/qwindowsvistastyle.dll \
  imageformats/qico.dll; do
  if [ -f "$qt/plugins/$plugin" ]; then
    mkdir -p "$out/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$out/$plugin"
  fi
done
[ -f "$out/platforms/qwindows.dll" ] || { echo "gather: no qwindows.dll in $qt" >&2; exit 1; }
# The driver of a history on the school's server; libpq and OpenSSL come with its imports.
cp "$psql/plugins/sqldrivers/qsqlpsql.dll" "$out/sqldrivers/"

# Every DLL these import, and those import, found in Qt's or MinGW's folders;
# the system's own DLLs are found nowhere here and stay out.
todo=$(find "$out" -name '*.exe' -o -name '*.dll')
while [ -n "$todo" ]; do
  next=""
  for file in $todo; do
    # Windows names DLLs in any case (the driver imports LIBPQ.dll).
    for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
      [ -n "$(find "$out" -maxdepth 1 -iname "$dll")" ] && continue
      for dir in $search; do
        found=$(find "$dir" -maxdepth 1 -iname "$dll" | head -1)
        if [ -n "$found" ]; then
          cp "$found" "$out/"
          next="$next $out/$(basename "$found")"
          break
        fi
      done
    done
  done
  todo=$next
done

mkdir -p "$out/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$out/translations/"
# Qt looks for plugins and translations beside the program, not in a prefix above it.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$out/qt.conf"

cp "$src/samples/Readme.txt" "$out/"
for f in "$src"/samples/*.qvn "$src"/samples/*.qvk "$src"/samples/*.ctr; do
  cp "$f" "$out/"
done
cp "$src/LICENSE" "$out/LICENSE.txt"
[ -f "$qt/LGPL-3.0-only.txt" ] && cp "$qt/LGPL-3.0-only.txt" "$out/Qt-LGPL-3.0.txt"
cp "$psql/licenses/PostgreSQL.txt" "$out/PostgreSQL-COPYRIGHT.txt"
cp "$psql/licenses/OpenSSL.txt" "$out/OpenSSL-LICENSE.txt"
x86_64-w64-mingw32-strip "$out"/*.exe
echo "$out"
