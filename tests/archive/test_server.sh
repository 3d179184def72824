#!/usr/bin/env bash
# A throw-away PostgreSQL 15 for the archive's cases: a cluster in FOLDER, listening only on a
# Unix socket in that folder, with two roles: zv_admin (a superuser, trusted on the socket) and
# zv_secret (whose password must be given: the wrong-password case). The server refuses to run
# as root, so as root it runs as `nobody`; FOLDER is under /tmp so that user can reach it even
# when the project sits in root's home.
#
# The tests run it without syncs (ZV_TEST_PG_FSYNC=on for a benchmark that times them).
# usage: test_server.sh start|stop|halt|resume FOLDER
#   halt: the server stopped at once, as a crash or a pulled cable would; resume: started again
# `start` fails loudly when the server is not installed: the cases must not pass without it.
set -euo pipefail

action=${1:?usage: test_server.sh start|stop|halt|resume FOLDER}
folder=${2:?usage: test_server.sh start|stop|halt|resume FOLDER}
bin=/usr/lib/postgresql/15/bin

as_server() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u nobody -- "$@"
  else
    "$@"
  fi
}

run_server() {
  as_server "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=${ZV_TEST_PG_FSYNC:-off}" start \
    >/dev/null || {
    cat "$folder/server.log" >&2
    exit 1
  }
}

halt() {
  as_server "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null
}

stop() {
  if [ -f "$folder/data/postmaster.pid" ]; then
    as_server "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$folder"
}

case $action in
  start)
    if [ ! -x "$bin/initdb" ]; then
      echo "test_server.sh: PostgreSQL 15 is not installed ($bin/initdb); run scripts/setup.sh" >&2
      exit 1
    fi
    stop  # what a run killed before its cleanup left behind
    mkdir -p "$folder"
    [ "$(id -u)" -eq 0 ] && chown nobody "$folder"
    chmod 700 "$folder"
    as_server "$bin/initdb" -D "$folder/data" -U zv_admin --auth=trust -E UTF8 \
      --locale=C >"$folder/initdb.log" 2>&1 || {
      cat "$folder/initdb.log" >&2
      exit 1
    }
    # The password role first: its lines win over the trust for everyone else.
    {
      echo "local all zv_secret scram-sha-256"
      echo "local all all trust"
    } >"$folder/data/pg_hba.conf"
    run_server
    "$bin/psql" -h "$folder" -U zv_admin -d postgres -v ON_ERROR_STOP=1 -q \
      -c "CREATE ROLE zv_secret LOGIN PASSWORD 'zv-right-password'" \
      -c "CREATE DATABASE zv_secret OWNER zv_secret"
    ;;
  stop) stop ;;
  halt) halt ;;
  resume) run_server ;;
  *)
    echo "usage: test_server.sh start|stop|halt|resume FOLDER" >&2
    exit 2
    ;;
esac
