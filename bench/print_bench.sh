#!/bin/sh
# Times `sorario-cli print` to a PDF, answers attached, as a whole process (start-up,
# load, layout, PDF): 10, 100 and 1000 questions with real fonts, 1000 with the
# fixed metrics; its peak memory; then how soon the windows show something.
# Targets: 1000 questions in 0.2 s, 10 in 0.05 s, peak memory under 100 MiB; the
# main window shown in 0.3 s, the first page of a 100-question preview in 0.5 s.
#
#   bench/print_bench.sh [path/to/sorario-cli] [runs] [path/to/sorario-window-bench]
set -eu

CLI=${1:-build/src/cli/sorario-cli}
RUNS=${2:-5}
WINDOWS=${3:-$(dirname "$CLI")/../../bench/sorario-window-bench}
[ -x "$CLI" ] || { echo "no sorario-cli at $CLI (build it, or pass its path)" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is needed to write the question file" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (Debian package time)" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
chmod 700 "$WORK"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK"

# A Shift-JIS question file of N questions of mixed text, emphasis, hints and a
# forced break now and then, as teachers write them.
python3 - "$WORK" <<'PY'
import sys
folder = sys.argv[1]
for n in (10, 100, 1000):
    lines = ["ベンチマーク", "10", "B1", "", "", ""]
    for i in range(1, n + 1):
        q = f"彼は昨日@学校@へ行った。 He ( ) to school yesterday, didn't he? No.{i}"
        if i % 7 == 0:
            q += r"\/(a) go (b) went (c) gone"
        hint = ("go", "*", "**", "")[i % 4]
        lines += [q, hint, f"went, didn't he{i}"]
    with open(f"{folder}/q{n}.qvn", "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
PY

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

bench() { # count label [extra options]
    count=$1 label=$2
    shift 2
    set -- "$CLI" print "$WORK/q$count.qvn" --all --count "$count" --layout 1 --answers 1 --overflow no \
        --seed 1 --font "ＭＳ Ｐ明朝" --size 10 "$@" -o "$WORK/out.pdf"
    "$@" >/dev/null # warm the font cache
    : >"$WORK/wall" && : >"$WORK/cpu" && : >"$WORK/kib"
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        /usr/bin/time -v -o "$WORK/time" "$@" >/dev/null
        awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0;
             for (k = 1; k <= n; k++) s = s * 60 + t[k]; print s }' "$WORK/time" >>"$WORK/wall"
        awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } END { print u + s }' "$WORK/time" >>"$WORK/cpu"
        awk -F': ' '/Maximum resident set size/ { print $2 }' "$WORK/time" >>"$WORK/kib"
        i=$((i + 1))
    done
    pages=$(pdfinfo "$WORK/out.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)
    # CPU time too: on a busy machine the wall clock says more about the neighbours.
    printf '%5d questions, %-12s median %.3f s wall, %.3f s CPU of %d runs; peak %.1f MiB; %s pages, PDF %d KiB\n' \
        "$count" "$label:" "$(median <"$WORK/wall")" "$(median <"$WORK/cpu")" "$RUNS" \
        "$(sort -n "$WORK/kib" | tail -1 | awk '{ print $1 / 1024 }')" "${pages:-?}" \
        "$(($(wc -c <"$WORK/out.pdf") / 1024))"
}

bench 10 "real fonts"
bench 100 "real fonts"
bench 1000 "real fonts"
bench 1000 "fixed" --metrics fixed

if [ -x "$WINDOWS" ]; then
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        "$WINDOWS" "$WORK/q100.qvn" 100 2>/dev/null >>"$WORK/windows"
        i=$((i + 1))
    done
    printf 'main window: median first paint %d ms after start of %d runs\n' \
        "$(awk '/^main window/ { print $(NF - 3) }' "$WORK/windows" | median)" "$RUNS"
    printf 'preview of 100 questions: median first page %d ms after the click of %d runs\n' \
        "$(awk '/^preview/ { print $(NF - 4) }' "$WORK/windows" | median)" "$RUNS"
else
    echo "no window bench at $WINDOWS (make bench builds it)" >&2
fi
