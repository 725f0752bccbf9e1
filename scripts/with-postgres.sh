#!/usr/bin/env bash
# scripts/with-postgres.sh CMD...: runs CMD beside a throwaway PostgreSQL server and stops and
# removes the server afterwards, whatever happens. The server lives in a temporary folder:
# a Unix socket there, on which its one superuser, postgres, is trusted, and a TCP listener on
# 127.0.0.1 at a free port chosen now, which takes TLS connections only (a self-signed
# certificate made with openssl for localhost and 127.0.0.1): postgres is trusted there too,
# any other role gives its password. CMD finds it in
#   ZURVAL_TEST_POSTGRES      postgresql://postgres@localhost:PORT/postgres?host=FOLDER
#   ZURVAL_TEST_POSTGRES_TCP  postgresql://postgres@127.0.0.1:PORT/postgres
#   ZURVAL_TEST_POSTGRES_CA   the certificate, which is its own root
# initdb refuses to run as root, so as root the server runs as the postgres user that
# Debian's package creates.
set -euo pipefail

bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "with-postgres.sh: no PostgreSQL server installed (Debian postgresql)" >&2
  exit 1
fi
command -v openssl >/dev/null || { echo "with-postgres.sh: no openssl (Debian openssl)" >&2; exit 1; }

dir="$(mktemp -d /tmp/zurval-postgres.XXXXXX)"
as_server() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
stop() {
  as_server "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT TERM

openssl req -new -x509 -days 2 -nodes -subj "/CN=localhost" \
  -addext "subjectAltName=DNS:localhost,IP:127.0.0.1" \
  -keyout "$dir/server.key" -out "$dir/server.crt" >"$dir/openssl.log" 2>&1 ||
  { cat "$dir/openssl.log" >&2; exit 1; }
chmod 600 "$dir/server.key"
cat >"$dir/pg_hba.conf" <<'HBA'
local     all  all       trust
hostssl   all  postgres  127.0.0.1/32  trust
hostssl   all  all       127.0.0.1/32  scram-sha-256
hostnossl all  all       0.0.0.0/0     reject
HBA
if [ "$(id -u)" -eq 0 ]; then
  chown -R postgres: "$dir"
fi

as_server "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
  { cat "$dir/initdb.log" >&2; exit 1; }
# A free port: another run of this script may take the one chosen first, so the start is
# tried again on another. No fsync, as nothing of it outlives the run.
for attempt in 1 2 3 4 5 6 7 8; do
  port=$((20000 + RANDOM % 40000))
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    continue
  fi
  if as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -o "-c listen_addresses=127.0.0.1 \
-c port=$port -k $dir -c hba_file=$dir/pg_hba.conf -c ssl=on -c ssl_cert_file=$dir/server.crt \
-c ssl_key_file=$dir/server.key -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null; then
    break
  fi
  [ "$attempt" -lt 8 ] || { cat "$dir/server.log" >&2; exit 1; }
done

export ZURVAL_TEST_POSTGRES="postgresql://postgres@localhost:$port/postgres?host=$dir"
export ZURVAL_TEST_POSTGRES_TCP="postgresql://postgres@127.0.0.1:$port/postgres"
export ZURVAL_TEST_POSTGRES_CA="$dir/server.crt"
"$@"
