#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A grade team on one server, as sorario-cli processes started together:
#  1. 10 teachers x 20 runs of their classes in one minute: 200 distinct sheet numbers,
#     each run reprinted to the same trace;
#  2. 10 teachers entering the marks of 40 pupils into their 20 runs at once: every row stored;
#  3. kill -9 in the middle of a marks import and of print runs: nothing partial;
#  4. the server stopped during a run: the sheet prints, the run says so, nothing recorded.
# usage: team.sh SORARIO-CLI URI CLUSTER-DIR   (the URI and folder of tests/server/cluster.sh)
set -eu
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
base=$2
cluster=$3
here=$(cd "$(dirname "$0")" && pwd)
bank="$here/../../samples/中学英語文法ドリル1.qvn"
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
port=$(echo "$base" | sed -n 's|.*:\([0-9]*\)/.*|\1|p')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
psql() { "$bin/psql" -h 127.0.0.1 -p "$port" -U postgres -d sorario -qAt "$@"; }
psql -c 'SET client_min_messages = warning' -c 'DROP SCHEMA IF EXISTS team CASCADE' -c 'CREATE SCHEMA team'
uri="$base&options=-csearch_path%3Dteam"
fail() {
  echo "team: $*" >&2
  exit 1
}

# 1. Runs and reprints.
teacher() {
  t=$1
  for i in $(seq 1 20); do
    "$cli" print "$bank" --class "T$t" --history "$uri" --now 2026-12-11T10:00 --seed "$t$i" \
      --metrics fixed --trace "p$t-$i.json" -o "p$t.pdf" >"s$t-$i.json" 2>"e$t-$i.txt" || return 1
    number=$(sed -n '/"SheetNumbers"/{n;s/[ ",]//g;p}' "s$t-$i.json")
    [ -n "$number" ] || return 1
    echo "$number" >>"numbers$t"
    "$cli" reprint "$number" --history "$uri" --metrics fixed --trace "r$t-$i.json" -o "r$t.pdf" >/dev/null 2>&1 || return 1
    cmp -s "p$t-$i.json" "r$t-$i.json" || return 1
  done
}
pids=""
for t in $(seq 1 10); do
  teacher "$t" &
  pids="$pids $!"
done
for pid in $pids; do wait "$pid" || fail "a teacher's run or reprint failed"; done
runs=$(cat numbers* | wc -l)
distinct=$(cat numbers* | sort -u | wc -l)
[ "$runs" = 200 ] && [ "$distinct" = 200 ] || fail "$runs runs, $distinct distinct numbers"
recorded=$(psql -c 'SELECT COUNT(DISTINCT number) FROM team.sheets')
[ "$recorded" = 200 ] || fail "$recorded sheet numbers recorded"

# 2. Marks from ten teachers at once.
{
  echo "pupil,sheet,marks"
  for p in $(seq 1 40); do echo "$p,1,ooooxxxxoo"; done
} >class.csv
marker() {
  while read -r number; do
    "$cli" marks "$number" --history "$uri" --set class.csv >/dev/null 2>&1 || return 1
  done <"numbers$1"
}
pids=""
for t in $(seq 1 10); do
  marker "$t" &
  pids="$pids $!"
done
for pid in $pids; do wait "$pid" || fail "a teacher's marks were refused"; done
rows=$(psql -c 'SELECT COUNT(*) FROM team.answer_sheets')
marks=$(psql -c 'SELECT COUNT(*) FROM team.marks')
[ "$rows" = 8000 ] && [ "$marks" = 80000 ] || fail "$rows rows and $marks marks stored of 8000 and 80000"

# 3. kill -9 in the middle: a marks import of 60 pupils on 60 sheets, and print runs.
"$cli" print "$bank" --class K --history "$uri" --sheets 60 --count 10 --metrics fixed -o k.pdf >k.json 2>/dev/null
knumber=$(sed -n '/"SheetNumbers"/{n;s/[ ",]//g;s/-.*//;p}' k.json)
{
  echo "pupil,sheet,marks"
  for s in $(seq 1 60); do
    for p in $(seq 1 60); do [ "$p" = "$s" ] && echo "$p,$s,oxoxoxoxox"; done
  done
  for s in $(seq 1 60); do for p in $(seq 1 59); do echo ",$s,oooooooooo"; done; done
} >big.csv
"$cli" marks "$knumber" --history "$uri" --set big.csv >/dev/null 2>&1 &
sleep 1
kill -9 $! 2>/dev/null && killed=yes || killed=no
wait 2>/dev/null || true
kept=$(psql -c "SELECT COUNT(*) FROM team.answer_sheets a JOIN team.sheets s ON a.sheet_id = s.id WHERE s.number LIKE '$knumber-%'")
[ "$kept" = 0 ] || [ "$kept" = 3600 ] || fail "$kept of 3600 rows kept after kill -9"
for delay in 0.1 0.3 0.5 0.7 1.0; do
  "$cli" print "$bank" --class KP --history "$uri" --sheets 60 --count 10 --metrics fixed -o kp.pdf >/dev/null 2>&1 &
  sleep "$delay"
  kill -9 $! 2>/dev/null || true
  wait 2>/dev/null || true
done
partial=$(psql -c "SELECT COUNT(*) FROM (SELECT r.id FROM team.runs r LEFT JOIN team.sheets s ON s.run_id = r.id
  WHERE r.class = 'KP' GROUP BY r.id HAVING COUNT(s.id) <> 60) AS p")
whole=$(psql -c "SELECT COUNT(*) FROM team.runs WHERE class = 'KP'")
[ "$partial" = 0 ] || fail "$partial runs recorded in part after kill -9"
sleep 1
open=$(psql -c "SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = 'sorario' AND state = 'idle in transaction'")
[ "$open" = 0 ] || fail "$open transactions left open"

# 4. The server stopped while a run prints: once the run has taken its number.
ctl() { (cd / && runuser -u postgres -- "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w "$@" >/dev/null); }
taken=$(psql -c 'SELECT COUNT(*) FROM team.run_numbers')
"$cli" print "$bank" --class S --history "$uri" --sheets 60 --count 10 --metrics fixed -o s.pdf >s.json 2>s.txt &
run=$!
while [ "$(psql -c 'SELECT COUNT(*) FROM team.run_numbers')" = "$taken" ]; do sleep 0.02; done
ctl -m fast stop
wait $run && code=0 || code=$?
ctl start
[ "$code" = 0 ] || fail "the run ended with $code while the server was away"
[ -s s.pdf ] || fail "no sheet printed while the server was away"
grep -q "この印刷は履歴に記録していません。" s.txt || fail "the run did not say it recorded nothing: $(cat s.txt)"
grep -q "サーバーにつながりません" s.txt || fail "the run did not name the server's absence: $(cat s.txt)"
stray=$(psql -c "SELECT COUNT(*) FROM team.runs WHERE class = 'S'")
[ "$stray" = 0 ] || fail "$stray runs recorded while the server was away"

echo "team: 200 runs by 10 teachers in one minute, 200 distinct sheet numbers, 200 reprints identical;" \
  "8000 rows (80000 marks) by 10 teachers at once, all stored; kill -9 of a marks import" \
  "(killed: $killed, rows kept: $kept of 3600) and of 5 print runs ($whole recorded, all whole), no transaction left open;" \
  "server stopped during a run: printed, said so, nothing recorded"
