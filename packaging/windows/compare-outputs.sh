#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the same sorario-cli commands over the samples with the Linux and the
# Windows build and compares every byte they print and write: JSON, fixed-metrics
# traces, text export, encoded and decoded files, conversion, CSV and back.
# usage: compare-outputs.sh LINUX-CLI WINDOWS-CLI QT-FOR-MINGW ITS-POSTGRESQL-DRIVER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
samples=$(cd "$here/../../samples" && pwd)
linux=$1
windows=$2
qt=$3
psql=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run of every command in OUT with the program CLI... (the rest of the arguments).
runAll() {
  out=$1
  shift
  mkdir -p "$out"
  cp "$samples"/*.qvn "$samples"/*.qvk "$samples"/*.ctr "$out/"
  cd "$out"
  n=0
  for q in *.qvn; do
    n=$((n + 1))
    "$@" load "$q" >"load$n.json" 2>"load$n.err" || echo "exit $?" >>"load$n.err"
    "$@" print "$q" --all --count 5 --seed 7 --now 2026-05-01T09:00 --metrics fixed \
      --trace "trace$n.json" -o "print$n.pdf" >"print$n.json" 2>"print$n.err" || echo "exit $?" >>"print$n.err"
    "$@" print "$q" --all --count 8 --seed 3 --sheets 2 --paper b4-2up --keep-words --fit \
      --now 2026-05-01T09:00 --metrics fixed --trace "trace2up$n.json" -o "print2up$n.pdf" \
      >"print2up$n.json" 2>"print2up$n.err" || echo "exit $?" >>"print2up$n.err"
    "$@" text "$q" --all --count 6 --seed 11 --layout 2 --now 2026-05-01T09:00 -o "text$n.txt" 2>"text$n.err" || echo "exit $?" >>"text$n.err"
    "$@" encode "$q" -o "enc$n.qvn" 2>"enc$n.err" || echo "exit $?" >>"enc$n.err"
    "$@" decode "enc$n.qvn" -o "dec$n.qvn" 2>"dec$n.err" || echo "exit $?" >>"dec$n.err"
    "$@" csv "$q" -o "csv$n.csv" 2>"csv$n.err" || echo "exit $?" >>"csv$n.err"
    "$@" qvn "csv$n.csv" -o "back$n.qvn" 2>"back$n.err" || echo "exit $?" >>"back$n.err"
  done
  "$@" check *.qvn >check.out 2>check.err || echo "exit $?" >>check.err
  "$@" convert 旧形式サンプル.qvk >convert.out 2>convert.err || echo "exit $?" >>convert.err
  # The PDFs carry their time of making; their pages are in the traces.
  rm -f ./*.pdf
  cd - >/dev/null
}

runAll "$work/linux" "$linux"
runAll "$work/windows" sh "$here/wine-run.sh" "$qt" "$psql" "$windows"
files=$(cd "$work/linux" && find . -type f | sort | wc -l)
if diff -r "$work/linux" "$work/windows" >"$work/diff" 2>&1; then
  echo "compare-outputs: $files files byte-identical between the Linux and the Windows build"
else
  head -40 "$work/diff" >&2
  echo "compare-outputs: the builds differ" >&2
  exit 1
fi
