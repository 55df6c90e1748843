#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL cluster for the history's tests, on loopback only, run by
# the postgres user from a temporary folder.
#   cluster.sh start DIR PORT   initdb into DIR, start it, make the database "sorario";
#                               prints the URI the tests take (SORARIO_TEST_POSTGRES)
#   cluster.sh stop DIR         stops it and removes DIR
set -eu
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_postgres() {
  if [ "$(id -un)" = postgres ]; then "$@"; else runuser -u postgres -- "$@"; fi
}
case $1 in
start)
  dir=$2 port=$3
  mkdir -p "$dir"
  chown postgres "$dir"
  as_postgres "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log"
  # In its configuration, so that a test that stops and starts it gets it back as it was.
  printf "listen_addresses = '127.0.0.1'\nport = %s\nunix_socket_directories = '%s'\nfsync = off\nmax_connections = 200\n" \
    "$port" "$dir" >>"$dir/data/postgresql.conf"
  (cd / && as_postgres "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w start >/dev/null)
  as_postgres "$bin/psql" -h 127.0.0.1 -p "$port" -U postgres -qc 'CREATE DATABASE sorario' >/dev/null
  echo "postgresql://postgres@127.0.0.1:$port/sorario?sslmode=disable"
  ;;
stop)
  dir=$2
  (cd / && as_postgres "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null) || true
  rm -rf "$dir"
  ;;
esac
