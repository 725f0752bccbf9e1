#!/usr/bin/env bash
# scripts/with-postgres.sh CMD...: runs CMD beside a throwaway PostgreSQL server and stops and
# removes the server afterwards, whatever happens. The server listens on a Unix socket in a
# temporary folder only and trusts its one user, postgres; CMD finds it in
# ZURVAL_TEST_POSTGRES (postgresql://postgres@localhost/postgres?host=FOLDER).
# initdb refuses to run as root, so as root the server runs as the postgres user that
# Debian's package creates.
set -euo pipefail

bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "with-postgres.sh: no PostgreSQL server installed (Debian postgresql)" >&2
  exit 1
fi

dir="$(mktemp -d /tmp/zurval-postgres.XXXXXX)"
as_server() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
stop() {
  as_server "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT TERM
if [ "$(id -u)" -eq 0 ]; then
  chown postgres: "$dir"
fi

as_server "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
  { cat "$dir/initdb.log" >&2; exit 1; }
# No TCP port; no fsync, as nothing of it outlives the run.
as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
  -o "-c listen_addresses='' -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
  start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }

export ZURVAL_TEST_POSTGRES="postgresql://postgres@localhost/postgres?host=$dir"
"$@"
