#!/bin/sh
# N runs of `sorario-cli print --class` started at once, in one minute (one --now,
# no --seed) on one history; then each reprinted. Counts the different sheet
# numbers, the runs whose reprint trace differs from its print, and the time taken.
# Target: N different numbers, no reprint differing, every run exit 0.
#
#   bench/parallel_runs.sh [path/to/sorario-cli] [N, default 150]
set -eu

CLI=$(realpath "${1:-build/src/cli/sorario-cli}")
N=${2:-150}
[ -x "$CLI" ] || { echo "no sorario-cli at $CLI (build it, or pass its path)" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is needed to write the question file" >&2; exit 2; }

WORK=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
chmod 700 "$WORK"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK"
cd "$WORK"
python3 - <<'PY'
lines = ["並行", "1", "P1", "", "", ""]
for i in range(1, 51):
    lines += [f"Question {i} (　　).", "", f"a{i}"]
with open("q.qvn", "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
PY

start=$(date +%s.%N)
k=0
while [ "$k" -lt "$N" ]; do
    ("$CLI" print q.qvn --all --count 50 --now 2026-05-01T09:00 --class "$((k % 3 + 1))A" \
        --history h.sqlite --metrics fixed --trace "p$k.json" -o "p$k.pdf" >"s$k.json" 2>"e$k.txt"
        echo $? >"rc$k") &
    k=$((k + 1))
done
wait
failed=$(cat rc* | grep -cv '^0$' || true)
printed=$(date +%s.%N)

differ=0
k=0
while [ "$k" -lt "$N" ]; do
    number=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['SheetNumbers'][0])" "s$k.json")
    echo "$number" >>numbers.txt
    "$CLI" reprint "$number" --history h.sqlite --metrics fixed --trace r.json -o r.pdf >/dev/null 2>&1 \
        && cmp -s r.json "p$k.json" || differ=$((differ + 1))
    k=$((k + 1))
done
done_at=$(date +%s.%N)

echo "runs: $N, failed: $failed, messages: $(cat e*.txt | wc -l) lines"
echo "different sheet numbers: $(sort -u numbers.txt | wc -l) (e.g. $(sort numbers.txt | sed -n '1p;2p;$p' | tr '\n' ' '))"
echo "reprints differing from their print: $differ"
echo "time: $(echo "$printed - $start" | bc) s for the parallel runs, $(echo "$done_at - $printed" | bc) s for the reprints"
