#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# packaging/server/setup-grade-db.sh on a throwaway cluster with TLS (a certificate
# made here) and only its own pg_hba.conf lines: the owner makes the tables with a
# copy, a teacher records a run, and may not drop, alter or create tables; a wrong
# password, a server certificate not checked and a connection without TLS each get
# their own message.
# usage: grade-db.sh SORARIO-CLI PORT
set -eu
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
port=$2
here=$(cd "$(dirname "$0")" && pwd)
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
dir=$(mktemp -d /tmp/sorario-grade.XXXXXX)
work=$(mktemp -d)
trap 'sh "$here/cluster.sh" stop "$dir"; rm -rf "$work"' EXIT
fail() {
  echo "grade-db: $*" >&2
  exit 1
}
sh "$here/cluster.sh" start "$dir" "$port" >/dev/null
printf 'owner-pw\ntanaka-pw\n' | PGHOST=$dir PGPORT=$port CONF=$dir/data \
  sh "$here/../../packaging/server/setup-grade-db.sh" grade2 127.0.0.1/32 tanaka 2>/dev/null
data=$dir/data
openssl req -new -x509 -days 2 -nodes -subj "/CN=127.0.0.1" -keyout "$data/server.key" -out "$data/server.crt" 2>/dev/null
{
  echo "local all postgres trust"
  grep -A2 "# sorario grade2" "$data/pg_hba.conf"
} >"$work/hba"
cp "$work/hba" "$data/pg_hba.conf"
chown postgres "$data/server.key" "$data/server.crt" "$data/pg_hba.conf"
chmod 600 "$data/server.key"
(cd / && runuser -u postgres -- "$bin/pg_ctl" -D "$data" -l "$dir/server.log" -w restart >/dev/null)

cd "$work"
server="127.0.0.1:$port/grade2"
"$cli" print "$here/../../samples/中学英語文法ドリル1.qvn" --class 2B --history mine.sqlite --metrics fixed -o a.pdf >/dev/null
PGPASSWORD=owner-pw "$cli" history --history mine.sqlite --copy-to "postgresql://grade2_owner@$server?sslmode=require" \
  >/dev/null 2>&1 || fail "the owner could not make the tables"
PGPASSWORD=tanaka-pw "$cli" print "$here/../../samples/中学英語文法ドリル1.qvn" --class 2B \
  --history "postgresql://tanaka@$server?sslmode=require" --metrics fixed -o b.pdf >/dev/null 2>b.txt
[ -s b.txt ] && fail "a teacher's run: $(cat b.txt)"
runs=$(PGPASSWORD=tanaka-pw "$cli" history --history "postgresql://tanaka@$server?sslmode=require" | grep -c '"Class"')
[ "$runs" = 2 ] || fail "$runs runs read by the teacher, not 2"
for ddl in "DROP TABLE marks" "ALTER TABLE runs ADD COLUMN x integer" "CREATE TABLE sorario.x (a integer)"; do
  PGPASSWORD=tanaka-pw "$bin/psql" -X -q "postgresql://tanaka@$server?sslmode=require" -c "$ddl" 2>/dev/null &&
    fail "a teacher could: $ddl"
done
said() {
  PGPASSWORD=$1 "$cli" history --history "postgresql://tanaka@$server$2" 2>&1 >/dev/null | head -1
}
[ "$(said wrong '?sslmode=require')" = "クラスの履歴のサーバーにログインできません。ユーザー名とパスワードを確かめてください。" ] ||
  fail "a wrong password: $(said wrong '?sslmode=require')"
[ "$(said tanaka-pw '')" = "クラスの履歴のサーバーの証明書を確かめられません。安全につながらないため、使いません。" ] ||
  fail "an unchecked certificate: $(said tanaka-pw '')"
[ "$(said tanaka-pw '?sslmode=disable')" = "クラスの履歴のサーバーにつながりません。ネットワークとサーバーを確かめてください。" ] ||
  fail "no TLS: $(said tanaka-pw '?sslmode=disable')"
echo "grade-db: tables made by the owner, a teacher's run recorded and read; DROP, ALTER and CREATE refused to the teacher;" \
  "a wrong password, an unchecked certificate and no TLS each told in Japanese"
