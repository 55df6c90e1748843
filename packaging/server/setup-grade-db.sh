#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a grade team's class history on a Debian 12 server with PostgreSQL 15
# (apt install postgresql). Run as root on the server:
#
#   setup-grade-db.sh DATABASE NETWORK TEACHER...
#   e.g. setup-grade-db.sh grade2 192.168.10.0/24 tanaka suzuki sato
#
# It makes:
#  - DATABASE, owned by the role DATABASE_owner, which alone may create, alter or drop
#    its tables (they are made by the program the first time the owner writes to it);
#  - the role DATABASE_teachers, which may only read and write rows (select, insert,
#    update, delete) of the tables in the schema "sorario", never change them;
#  - one login role for each TEACHER in that group, and DATABASE_owner a login role
#    too; each password is asked here and stored as scram-sha-256;
#  - TLS on (ssl = on): with the school's certificate in server.crt/server.key of the
#    cluster if it has one, else Debian's own (ssl-cert's snakeoil), which a teacher's
#    verify-full refuses until the school's is installed;
#  - pg_hba.conf lines: TLS and scram-sha-256 from NETWORK for these roles only.
# Set CONF to the cluster's configuration folder (default /etc/postgresql/15/main).
set -eu
[ $# -ge 3 ] || { echo "usage: setup-grade-db.sh DATABASE NETWORK TEACHER..." >&2; exit 2; }
db=$1
network=$2
shift 2
conf=${CONF:-/etc/postgresql/15/main}
owner=${db}_owner
group=${db}_teachers
case $db in *[!a-z0-9_]* | "") echo "setup-grade-db: DATABASE: lower-case letters, digits and _ only" >&2; exit 2 ;; esac
for teacher in "$@"; do
  case $teacher in *[!a-z0-9_]* | "") echo "setup-grade-db: $teacher: lower-case letters, digits and _ only" >&2; exit 2 ;; esac
done
psql() { (cd / && runuser -u postgres -- psql -X -q -v ON_ERROR_STOP=1 "$@"); }

# A password asked twice on the terminal (one a line on standard input when it is not
# one), never on a command line or in a file.
password_for() {
  if [ ! -t 0 ]; then
    read -r first
    printf '%s' "$first"
    return
  fi
  while :; do
    printf 'password for %s: ' "$1" >&2
    stty -echo
    read -r first
    printf '\nagain: ' >&2
    read -r second
    stty echo
    printf '\n' >&2
    [ -n "$first" ] && [ "$first" = "$second" ] && break
    echo "the two differ or are empty; again" >&2
  done
  printf '%s' "$first"
}

# Quoted for psql's \set: a quote doubled.
quoted() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/''/g")"; }

login_role() {
  pw=$(password_for "$1")
  psql <<SQL
\set role $(quoted "$1")
\set pw $(quoted "$pw")
SET password_encryption = 'scram-sha-256';
SELECT format('CREATE ROLE %I', :'role') WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'role') \gexec
ALTER ROLE :"role" LOGIN PASSWORD :'pw';
SQL
}

psql -v group="$group" <<'SQL'
SELECT format('CREATE ROLE %I NOLOGIN', :'group') WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'group') \gexec
SQL
login_role "$owner"
if ! psql -tAc "SELECT 1 FROM pg_database WHERE datname = '$db'" | grep -q 1; then
  psql -c "CREATE DATABASE \"$db\" OWNER \"$owner\" ENCODING 'UTF8' TEMPLATE template0"
fi
psql -d "$db" -v db="$db" -v owner="$owner" -v group="$group" <<'SQL'
REVOKE ALL ON DATABASE :"db" FROM PUBLIC;
GRANT CONNECT, TEMPORARY ON DATABASE :"db" TO :"group";
GRANT CONNECT ON DATABASE :"db" TO :"owner";
REVOKE ALL ON SCHEMA public FROM PUBLIC;
CREATE SCHEMA IF NOT EXISTS sorario AUTHORIZATION :"owner";
GRANT USAGE ON SCHEMA sorario TO :"group";
ALTER DATABASE :"db" SET search_path = sorario;
-- The tables the owner makes later, and any made already: rows only, for the teachers.
ALTER DEFAULT PRIVILEGES FOR ROLE :"owner" IN SCHEMA sorario GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO :"group";
ALTER DEFAULT PRIVILEGES FOR ROLE :"owner" IN SCHEMA sorario GRANT USAGE, SELECT ON SEQUENCES TO :"group";
GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA sorario TO :"group";
GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA sorario TO :"group";
SQL
for teacher in "$@"; do
  login_role "$teacher"
  psql -c "GRANT \"$group\" TO \"$teacher\""
done

# TLS, and who may connect from where.
psql -c "ALTER SYSTEM SET ssl = on" -c "ALTER SYSTEM SET password_encryption = 'scram-sha-256'"
if [ -f "$conf/postgresql.conf" ] && ! grep -q "^listen_addresses" "$conf/postgresql.conf"; then
  psql -c "ALTER SYSTEM SET listen_addresses = '*'"
fi
hba=$conf/pg_hba.conf
if ! grep -q "# sorario $db" "$hba"; then
  {
    echo "# sorario $db: its teachers and owner from the school's network, over TLS only"
    echo "hostssl $db +$group $network scram-sha-256"
    echo "hostssl $db $owner $network scram-sha-256"
  } >>"$hba"
fi
if command -v pg_ctlcluster >/dev/null && [ -z "${CONF:-}" ]; then
  pg_ctlcluster 15 main restart
else
  echo "setup-grade-db: restart the cluster of $conf for TLS and its addresses to take effect" >&2
fi
cat >&2 <<EOF2
setup-grade-db: done. Each teacher's history:
  postgresql://TEACHER@$(hostname -f):5432/$db
The owner makes the tables with the first write, e.g. copying a teacher's history:
  sorario-cli history --copy-to postgresql://$owner@$(hostname -f):5432/$db
EOF2
