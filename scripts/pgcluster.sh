#!/usr/bin/env bash
# Starts or stops a throwaway PostgreSQL cluster in a temporary folder, listening only on a
# socket in that folder (no TCP port, so it never meets another server).
#   eval "$(scripts/pgcluster.sh start)"   # sets FALQ_PG_DIR and FALQ_TEST_PG
#   scripts/pgcluster.sh stop "$FALQ_PG_DIR"
set -euo pipefail
PGBIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
run() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
case "${1:-}" in
  start)
    dir=$(mktemp -d /tmp/falqpg.XXXXXX)
    chmod 755 "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    port=5432
    run "$PGBIN/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 >/dev/null
    run "$PGBIN/pg_ctl" -D "$dir/data" -l "$dir/log" -w -o "-k $dir -p $port -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >/dev/null
    run "$PGBIN/createdb" -h "$dir" -p "$port" -U postgres falqtest
    # Once, before tests that run side by side create their schemas.
    run psql -X -q -h "$dir" -p "$port" -U postgres -d falqtest -c "CREATE EXTENSION citext SCHEMA public" >/dev/null
    echo "export FALQ_PG_DIR=$dir"
    echo "export FALQ_TEST_PG='host=$dir port=$port dbname=falqtest user=postgres'"
    ;;
  stop)
    dir=${2:?folder}
    run "$PGBIN/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start | stop DIR" >&2
    exit 2
    ;;
esac
