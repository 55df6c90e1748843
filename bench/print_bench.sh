#!/bin/sh
# Times `sorario-cli print` with real fonts to a PDF, answers attached, as a whole
# process (start-up, load, draw, layout, PDF), and its peak memory.
# Targets: 10 questions under 0.1 s, 1000 under 0.4 s, peak memory under 100 MiB.
#
#   bench/print_bench.sh [path/to/sorario-cli] [runs]
set -eu

CLI=${1:-build/src/cli/sorario-cli}
RUNS=${2:-5}
[ -x "$CLI" ] || { echo "no sorario-cli at $CLI (build it, or pass its path)" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is needed to write the question file" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (Debian package time)" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK"

# A Shift-JIS question file of N questions of mixed text, emphasis, hints and a
# forced break now and then, as teachers write them.
python3 - "$WORK" <<'PY'
import sys
folder = sys.argv[1]
for n in (10, 1000):
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

run() { # count
    "$CLI" print "$WORK/q$1.qvn" --all --count "$1" --layout 1 --answers 1 --overflow no \
        --seed 1 --font "ＭＳ Ｐ明朝" --size 10 -o "$WORK/out$1.pdf" >/dev/null
}

for count in 10 1000; do
    run "$count" # warm the font cache
    best=""
    bestcpu=""
    peak=0
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        /usr/bin/time -v -o "$WORK/time" sh -c "\"\$0\" print \"\$1\" --all --count $count --layout 1 \
            --answers 1 --overflow no --seed 1 --font 'ＭＳ Ｐ明朝' --size 10 -o \"\$2\" >/dev/null" \
            "$CLI" "$WORK/q$count.qvn" "$WORK/out$count.pdf"
        secs=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0;
                 for (k = 1; k <= n; k++) s = s * 60 + t[k]; print s }' "$WORK/time")
        kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$WORK/time")
        cpu=$(awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } END { print u + s }' "$WORK/time")
        bestcpu=$(awk -v a="${bestcpu:-$cpu}" -v b="$cpu" 'BEGIN { print (b < a ? b : a) }')
        best=$(awk -v a="${best:-$secs}" -v b="$secs" 'BEGIN { print (b < a ? b : a) }')
        [ "$kib" -gt "$peak" ] && peak=$kib
        i=$((i + 1))
    done
    pages=$(pdfinfo "$WORK/out$count.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)
    # CPU time too: on a busy machine the wall clock says more about the neighbours.
    printf '%5d questions: best %.3f s wall (%.2f s CPU) of %d runs, peak %.1f MiB, %s pages, PDF %d KiB\n' \
        "$count" "$best" "$bestcpu" "$RUNS" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "${pages:-?}" \
        "$(( $(wc -c < "$WORK/out$count.pdf") / 1024 ))"
done
