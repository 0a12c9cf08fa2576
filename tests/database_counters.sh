#!/bin/sh
# Counters sharing one shop in a PostgreSQL database started in a temporary folder (Unix socket
# only): two counter processes renting and returning among the same 200 films and 60 members; a
# counter killed with SIGKILL again and again; the server restarted under two working counters.
# After each: the shop checks consistent and the takings are exactly the logged rentals and returns.
# usage: database_counters.sh <kelvo-db> <make-shop> <db-counter> <kelvo-check>
set -u

DB=$(realpath "$1") || exit 1
MAKE_SHOP=$(realpath "$2") || exit 1
COUNTER=$(realpath "$3") || exit 1
CHECK=$(realpath "$4") || exit 1
RUN_SECONDS=${KELVO_COUNTER_SECONDS:-30}
. "$(dirname "$0")/support/pg_server.sh"
start_server

"$MAKE_SHOP" "$WORK/shop" --films 200 --members 60 --stock 10 >/dev/null || { echo "make-shop failed" >&2; exit 1; }
# A log of 100 MB, so that no start rolls the counters' entries out of the two log files (the
# last stage rolls it on purpose).
printf '\350\003\000\000' | dd of="$WORK/shop/wr.cfg" bs=1 seek=70540 conv=notrunc status=none
new_database shop
"$DB" import "$WORK/shop" "$(url shop)" >/dev/null || { echo "import failed" >&2; exit 1; }
TAKINGS_BEFORE=$(sql shop "SELECT f32 FROM config_figure WHERE byte_offset = 856")

counter_folder till1
counter_folder till2

# The shop as one snapshot: consistent, and today's takings the logged amounts added to the start.
check_shop() {
  (cd "$WORK/till1" && "$CHECK") >"$WORK/check.out" 2>&1 || { cat "$WORK/check.out" >&2; fail "$1: the shop is not consistent"; }
  rm -rf "$WORK/snapshot"
  "$DB" export "$(url shop)" "$WORK/snapshot" >/dev/null || { fail "$1: export failed"; return; }
  python3 - "$WORK/snapshot" "$TAKINGS_BEFORE" "$1" <<'PY' || FAILURES=$((FAILURES + 1))
import math, os, re, struct, sys
folder, before, stage = sys.argv[1], float(sys.argv[2]), sys.argv[3]
log = b"".join(open(f"{folder}/{name}", "rb").read() for name in ("lgb2.dat", "lgb4.dat") if os.path.exists(f"{folder}/{name}"))
log = log.decode("utf-16-le", errors="replace")
amounts = [float(x) for x in re.findall(r"(?:Transaction cost|Cash paid): (-?[0-9]+\.[0-9]{2})", log)]
logged = sum(amounts)
takings = struct.unpack_from("<f", open(folder + "/wr.cfg", "rb").read(), 856)[0]
# The block keeps the takings in single precision, and each counter adds in single precision as
# the folder does. Above 65,536 a step is more than half a cent: an amount whose cents are not
# quarters is rounded when added, by at most half a step of the figure's size; the sums passing
# powers of two by at most a step in all, and the server's sum by half a step. Every missing or
# doubled amount of a quarter or more still shows.
step = 2.0 ** (math.frexp(max(abs(before + logged), 1.0))[1] - 24)
rounded = sum(1 for x in amounts if round(abs(x) * 100) % 25) + 3
if abs(takings - (before + logged)) > max(0.004, rounded * step / 2):
    sys.exit(f"FAIL: {stage}: takings {takings:.4f}, logged {logged:.2f} on top of {before:.2f}")
PY
}

# Two counters at once.
"$COUNTER" "$WORK/till1" "$RUN_SECONDS" 1 >"$WORK/till1.out" 2>&1 &
P1=$!
"$COUNTER" "$WORK/till2" "$RUN_SECONDS" 2 >"$WORK/till2.out" 2>&1 &
P2=$!
wait $P1 || fail "till 1 ended with $?"
wait $P2 || fail "till 2 ended with $?"
echo "two counters: $(cat "$WORK/till1.out") / $(cat "$WORK/till2.out")"
for t in till1 till2; do
  grep -q '^rentals [1-9][0-9]* returns [1-9]' "$WORK/$t.out" || fail "$t rented or returned nothing: $(cat "$WORK/$t.out")"
  [ "$(sql shop "SELECT count(*) > 0 FROM log_entry WHERE counter = '$t' AND transaction_id IS NOT NULL")" = t ] ||
    fail "the log names no entry of $t"
done
check_shop "two counters"

# A counter killed at any moment: the server drops whatever transaction it had begun.
for kill in 1 2 3 4 5 6; do
  "$COUNTER" "$WORK/till1" 60 "$((kill + 10))" >/dev/null 2>&1 &
  P1=$!
  sleep "$(awk -v s="$kill" 'BEGIN { srand(s); printf "%.2f", 1 + rand() }')"
  kill -KILL $P1
  wait $P1 2>/dev/null
done
check_shop "killed counter"

# The server restarted (its own crash and recovery) under two working counters, twice: each
# says the server cannot be reached, nothing of the transaction in flight stays, both carry on.
"$COUNTER" "$WORK/till1" 8 21 >"$WORK/till1.out" 2>&1 &
P1=$!
"$COUNTER" "$WORK/till2" 8 22 >"$WORK/till2.out" 2>&1 &
P2=$!
for restart in 1 2; do
  sleep 2
  as_server "$PG_BIN/pg_ctl" -D "$PGROOT/data" -m immediate stop >/dev/null 2>&1
  start_server
done
wait $P1 || fail "till 1 ended with $? across the restarts"
wait $P2 || fail "till 2 ended with $? across the restarts"
echo "server restarted: $(cat "$WORK/till1.out") / $(cat "$WORK/till2.out")"
grep -q 'unreachable [1-9]' "$WORK/till1.out" "$WORK/till2.out" || fail "no counter noticed the server going away"
for t in till1 till2; do
  grep -q '^rentals [1-9]' "$WORK/$t.out" || fail "$t did not carry on after the restarts: $(cat "$WORK/$t.out")"
done
check_shop "server restarted"

# The log rolled over by a counter's start (its capacity set at the server to roll any log):
# every entry keeps the counter that wrote it.
sql shop "UPDATE config_block SET image = overlay(image PLACING '\\xffffffff'::bytea FROM 70541), version = nextval('change_seq')"
"$COUNTER" "$WORK/till2" 0.5 31 >/dev/null 2>&1 || fail "the counter rolling the log ended with $?"
[ "$(sql shop "SELECT string_agg(DISTINCT counter, ' ') FROM log_entry WHERE file = 'lgb2.dat'")" = "till1 till2" ] ||
  fail "the rolled log does not keep both counters' entries"
check_shop "log rolled over"

[ "$FAILURES" -eq 0 ] || { echo "$FAILURES check(s) failed" >&2; exit 1; }
echo "counters on one database: all checks passed"
