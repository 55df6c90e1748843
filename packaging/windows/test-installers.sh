#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The setup .exe (per user, silent) and the .msi (per machine, quiet) under wine64,
# in the Wine prefix WINEPREFIX: each installed, sorario-cli.exe run from the
# installed folder over a sample (its output the Linux build's), then uninstalled,
# and nothing it wrote left behind: no file and none of its registry keys.
# usage: test-installers.sh BUILD-WIN LINUX-CLI
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
win=$(cd "$1" && pwd)
linux=$2
version=$(sed -n 's/^project(sorario VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
name=sorario-$version-windows-x64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
drive=$WINEPREFIX/drive_c
status=0
fail() {
  echo "test-installers: $*" >&2
  status=1
}

# Every file and folder of the prefix the program could have touched: not Wine's own.
files() {
  (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
}
# A key's absence, as reg.exe reports it.
absent() {
  if wine reg query "$1" >/dev/null 2>&1; then fail "$2 left $1"; fi
}

sample=中学英語文法ドリル1.qvn
cp "$src/samples/$sample" "$work/"
(cd "$work" && "$linux" load "$sample" >linux.json)

# The CLI of an installed copy, alone: no Qt or MinGW folder on the path.
tryInstalled() {
  what=$1
  cli=$2
  [ -f "$cli" ] || { fail "$what: no $cli"; return; }
  (cd "$work" && WINEPATH="" wine "$cli" load "$sample" >"$what.json" 2>"$what.err") || fail "$what: the CLI failed"
  cmp -s "$work/linux.json" "$work/$what.json" || fail "$what: output differs from Linux's"
}

before=$work/before
files >"$before"

# Per user: %LOCALAPPDATA%\Programs\sorario, keys under HKCU.
wine "$win/$name-setup.exe" /S
wineserver -w
installed=$drive/users/$(id -un)/AppData/Local/Programs/sorario
tryInstalled setup "$installed/sorario-cli.exe"
[ -f "$drive/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ソラリオ.lnk" ] ||
  fail "setup: no Start-menu entry"
wine reg query 'HKCU\Software\Classes\Sorario.QuestionFile\shell\open\command' >/dev/null 2>&1 ||
  fail "setup: .qvn does not open in the program"
wine "$installed/uninstall.exe" /S
wineserver -w
for key in 'HKCU\Software\sorario' 'HKCU\Software\Classes\.qvn' 'HKCU\Software\Classes\Sorario.QuestionFile' \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\sorario'; do
  absent "$key" setup
done
files | diff "$before" - >"$work/setup.diff" || { fail "setup left files:"; head -20 "$work/setup.diff" >&2; }

# Per machine: Program Files, keys under HKLM.
wine msiexec /i "$(echo "Z:$win/$name.msi" | tr / '\\')" /qn || fail "msi: install failed"
wineserver -w
tryInstalled msi "$drive/Program Files/sorario/sorario-cli.exe"
wine reg query 'HKLM\Software\Classes\Sorario.QuestionFile\shell\open\command' >/dev/null 2>&1 ||
  fail "msi: .qvn does not open in the program"
wine msiexec /x "$(echo "Z:$win/$name.msi" | tr / '\\')" /qn || fail "msi: uninstall failed"
wineserver -w
for key in 'HKLM\Software\sorario' 'HKLM\Software\Classes\.qvn' 'HKLM\Software\Classes\Sorario.QuestionFile'; do
  absent "$key" msi
done
files | diff "$before" - >"$work/msi.diff" || { fail "msi left files:"; head -20 "$work/msi.diff" >&2; }

[ $status -eq 0 ] && echo "test-installers: setup.exe and msi installed, ran as on Linux and left nothing behind"
exit $status
