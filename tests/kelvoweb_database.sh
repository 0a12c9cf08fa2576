#!/bin/sh
# kelvoweb on a shop kept in PostgreSQL (a server started in a temporary folder, Unix socket
# only) publishing to an FTP server on 127.0.0.1 (pyftpdlib): a title changed in the database
# is what gets published; a counter running on the folder keeps its film.dat; rows with a gap in
# their slots, or the database server stopped, fail the upload, film.dat and filmstock.dat
# untouched and nothing sent.
# usage: kelvoweb_database.sh <kelvoweb> <kelvo-db> <make-shop>
set -u

WEBPROG=$(realpath "$1") || exit 1
DB=$(realpath "$2") || exit 1
MAKE_SHOP=$(realpath "$3") || exit 1
. "$(dirname "$0")/support/pg_server.sh"
FTP_PID=
trap '[ -n "$FTP_PID" ] && kill "$FTP_PID" 2>/dev/null; stop_server' EXIT
start_server "-c fsync=off"

"$MAKE_SHOP" "$WORK/shop" --films 50 --members 5 --stock 2 >/dev/null || { echo "make-shop failed" >&2; exit 1; }
new_database shop
"$DB" import "$WORK/shop" "$(url shop)" >/dev/null || { echo "import failed" >&2; exit 1; }

# The first live film gets a new title in the database only (UTF-16LE at byte 8, NUL-ended).
TITLE="Zebra Crossing Revisited"
HEX=$(/usr/bin/python3 -c 'import sys; print((sys.argv[1] + "\0").encode("utf-16-le").hex())' "$TITLE")
sql shop "UPDATE film SET bytes = overlay(bytes placing '\\x$HEX'::bytea from 9), version = nextval('change_seq')
          WHERE slot = (SELECT min(slot) FROM film WHERE number > 0)"

# The FTP server, and kelvoweb's settings pointing at it (server, user and password fields).
mkdir "$WORK/site" "$WORK/web"
/usr/bin/python3 - "$WORK/site" "$WORK/port" <<'PY' >"$WORK/ftp.log" 2>&1 &
import os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
auth = DummyAuthorizer()
auth.add_user("shop", "s3cret", sys.argv[1], perm="elradfmw")
FTPHandler.authorizer = auth
server = FTPServer(("127.0.0.1", 0), FTPHandler)
with open(sys.argv[2] + ".tmp", "w") as f:
    f.write(str(server.address[1]))
os.rename(sys.argv[2] + ".tmp", sys.argv[2])
server.serve_forever(timeout=0.2)
PY
FTP_PID=$!
for _ in $(seq 100); do [ -s "$WORK/port" ] && break; sleep 0.1; done
[ -s "$WORK/port" ] || { cat "$WORK/ftp.log" >&2; echo "the FTP server did not start" >&2; exit 1; }
/usr/bin/python3 - "$WORK/web/kelvow.cfg" "127.0.0.1:$(cat "$WORK/port")" <<'PY'
import sys
block = bytearray(61120)
for offset, value in ((4960, sys.argv[2]), (55920, "shop"), (56440, "s3cret")):
    text = value.encode("utf-16-le")
    block[offset:offset + len(text)] = text
open(sys.argv[1], "wb").write(block)
PY

upload() { (cd "$WORK/web" && QT_QPA_PLATFORM=offscreen "$WEBPROG" --upload-now "$@") >"$WORK/out" 2>&1; RC=$?; }
published() { iconv -f UTF-16 -t UTF-8 "$WORK/site/filmstock.xml" 2>/dev/null | grep -c "$TITLE"; }

# The database's films are published, read through --database.
upload --database "$(url shop)"
[ "$RC" -eq 0 ] || { cat "$WORK/out" >&2; fail "upload: exit status $RC"; }
[ "$(published)" = 1 ] || fail "upload: the published XML lacks the title changed in the database"

# A counter running on the folder: its working copy is published as it stands.
cp "$WORK/shop/film.dat" "$WORK/web/film.dat"
rm -f "$WORK/site/filmstock.xml"
flock "$WORK/web/kelvo.lock" sh -c 'cd "$1" && QT_QPA_PLATFORM=offscreen "$2" --upload-now --database "$3"' sh \
  "$WORK/web" "$WEBPROG" "$(url shop)" >"$WORK/out" 2>&1 || { cat "$WORK/out" >&2; fail "under a counter: the upload failed"; }
cmp -s "$WORK/shop/film.dat" "$WORK/web/film.dat" || fail "under a counter: film.dat was replaced"
[ "$(published)" = 0 ] || fail "under a counter: the counter's film.dat was not what got published"

# A gap in the slots would shift every film after it: refused, film.dat as it was.
rm -f "$WORK/site/filmstock.xml"
sql shop "UPDATE film SET slot = slot + 1000 WHERE slot = (SELECT max(slot) - 1 FROM film)"
upload --database "$(url shop)"
[ "$RC" -eq 1 ] || fail "a gap in the slots: exit status $RC"
grep -q "Unable to read the films from the shop's database" "$WORK/out" || fail "a gap in the slots: no clear line in the log"
cmp -s "$WORK/shop/film.dat" "$WORK/web/film.dat" || fail "a gap in the slots: film.dat changed"
[ ! -e "$WORK/site/filmstock.xml" ] || fail "a gap in the slots: something was uploaded"

# The server stopped; the database named by the folder's settings file this time.
as_server "$PG_BIN/pg_ctl" -D "$PGROOT/data" -m fast stop >/dev/null
printf 'url=%s\n' "$(url shop)" >"$WORK/web/kelvo-database.conf"
rm -f "$WORK/site/filmstock.xml"
STOCK_BEFORE=$(cksum <"$WORK/web/filmstock.dat")
upload
[ "$RC" -eq 1 ] || fail "server stopped: exit status $RC"
grep -q "Unable to reach the shop's database" "$WORK/out" || { cat "$WORK/out" >&2; fail "server stopped: no clear line in the log"; }
cmp -s "$WORK/shop/film.dat" "$WORK/web/film.dat" || fail "server stopped: film.dat changed"
[ "$(cksum <"$WORK/web/filmstock.dat")" = "$STOCK_BEFORE" ] || fail "server stopped: filmstock.dat changed"
[ ! -e "$WORK/site/filmstock.xml" ] || fail "server stopped: something was uploaded"

[ "$FAILURES" -eq 0 ] || { echo "$FAILURES check(s) failed" >&2; exit 1; }
echo "kelvoweb on a database: all checks passed"
