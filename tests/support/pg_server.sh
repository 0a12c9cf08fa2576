# A PostgreSQL server of the tests' own, started in a temporary folder and reached by a Unix
# socket only (no network). Sourced by the database tests; sets WORK, PGROOT and PG_BIN and
# gives start_server, stop_server, sql, url, new_database, counter_folder and fail.
PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-db-test.XXXXXX") || exit 1
FAILURES=0

fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }

# The server refuses to run as root: then it runs as nobody, in a folder of its own.
PGROOT=$WORK/pg
mkdir "$PGROOT"
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$WORK" && chown nobody "$PGROOT"
  as_server() { (cd / && runuser -u nobody -- "$@"); }
else
  as_server() { (cd / && "$@"); }
fi
start_server() {
  as_server "$PG_BIN/pg_ctl" -D "$PGROOT/data" -o "-k $PGROOT -c listen_addresses='' $*" \
    -l "$PGROOT/server.log" -w start >/dev/null || { cat "$PGROOT/server.log" >&2; exit 1; }
}
stop_server() { as_server "$PG_BIN/pg_ctl" -D "$PGROOT/data" -m immediate stop >/dev/null 2>&1; rm -rf "$WORK"; }
trap stop_server EXIT
trap 'exit 1' INT TERM
as_server "$PG_BIN/initdb" -D "$PGROOT/data" -U kelvo --auth=trust -E UTF8 --no-sync >"$WORK/initdb.log" 2>&1 ||
  { cat "$WORK/initdb.log" >&2; exit 1; }
sql() { "$PG_BIN/psql" -h "$PGROOT" -U kelvo -d "$1" -v ON_ERROR_STOP=1 -qAtc "$2"; }
url() { echo "postgresql:///$1?host=$PGROOT&user=kelvo"; }
new_database() { "$PG_BIN/createdb" -h "$PGROOT" -U kelvo "$1"; }
# A counter's folder $WORK/NAME on the database "shop", the counter named NAME in the log.
counter_folder() {
  mkdir -p "$WORK/$1"
  printf 'url=%s\ncounter=%s\n' "$(url shop)" "$1" >"$WORK/$1/kelvo-database.conf"
}
