#!/bin/sh
# The shop kept in a database against the shop kept in a folder, on the generated large shop
# (50,000 films, 20,000 members) with the server on this machine: the five-item rental and the
# late return, the status window's figures (the refresh and the counting pass on a database),
# and the rentals and returns a second counter adds. Prints one table. Run by hand: it takes a
# few minutes and some 4 GB of the temporary folder.
# usage: bench/database_figures.sh [BUILD_FOLDER]   (build/ of the checkout by default)
#   KELVO_THROUGHPUT_SECONDS  how long the counters run in each round (10)
#   KELVO_THROUGHPUT_ROUNDS   rounds of one counter then two (3); the medians are reported
#   KELVO_ALTERNATING_SECONDS one run in phases of 3 s, the second counter working in every
#                             other one (60); each phase of two is set against the phases of one
#                             on either side, seconds apart, which the rounds, a minute apart on
#                             a machine whose speed drifts by a third, are not
#   KELVO_SERVER_OPTIONS      more server settings, e.g. "-c log_min_duration_statement=0"
set -u

HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(realpath "${1:-$HERE/../build}") || exit 1
RUN_SECONDS=${KELVO_THROUGHPUT_SECONDS:-10}
ROUNDS=${KELVO_THROUGHPUT_ROUNDS:-3}
ALTERNATING_SECONDS=${KELVO_ALTERNATING_SECONDS:-60}
PHASE_SECONDS=3
for p in bench/make-shop kelvo-db db-counter bench/bench_rental bench/bench_figures bench/bench_database; do
  [ -x "$BUILD/$p" ] || { echo "missing $BUILD/$p: build it first" >&2; exit 1; }
done
. "$HERE/../tests/support/pg_server.sh"
start_server ${KELVO_SERVER_OPTIONS:-}
OUT=$WORK/out
mkdir "$OUT"

say() { echo "== $*" >&2; }

# The same shop as the folder benchmarks generate for themselves.
say "making and importing the large shop"
"$BUILD/bench/make-shop" "$WORK/shop" --seed 20240315 >/dev/null || { echo "make-shop failed" >&2; exit 1; }
new_database shop
"$BUILD/kelvo-db" import "$WORK/shop" "$(url shop)" >/dev/null || { echo "import failed" >&2; exit 1; }
rm -rf "$WORK/shop"
"$PG_BIN/vacuumdb" -h "$PGROOT" -U kelvo --analyze --quiet shop
# The import written out before anything is timed: its writing back slowed every sync that came
# after it, the folder's as well as the server's.
sql shop "CHECKPOINT" && sync

bench() {  # name program filter: the JSON in $OUT/name.json, the console output on stderr
  name=$1 program=$2
  shift 2
  say "$name"
  "$program" --benchmark_filter="$1" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out="$OUT/$name.json" --benchmark_out_format=json >&2 || fail "$name ended with $?"
}
bench rental "$BUILD/bench/bench_rental" 'BM_RentFiveItems|BM_ReturnFiveItemsLateWithSettlement'
bench figures "$BUILD/bench/bench_figures" 'BM_StatusWindowFigures'
KELVO_BENCH_DATABASE=$(url shop) bench database "$BUILD/bench/bench_database" '.'

# Each counter makes its working copy and puts it on the disk before its time starts; two
# counters start together when both are ready.
counter_folder till1
counter_folder till2
export KELVO_COUNTER_WAIT=1
go() {  # FOLDER...: waits until each is ready, then starts them all
  for f in "$@"; do
    while [ ! -e "$WORK/$f/.ready" ]; do sleep 0.1; done
  done
  for f in "$@"; do rm -f "$WORK/$f/.ready"; touch "$WORK/$f/.go"; done
}
# Rounds of one counter then two: the machine's other work moves a single run by a third.
round=1
while [ "$round" -le "$ROUNDS" ]; do
  say "round $round: one counter for $RUN_SECONDS s"
  "$BUILD/db-counter" "$WORK/till1" "$RUN_SECONDS" "$round" >"$OUT/alone.$round" 2>&1 &
  P1=$!
  go till1
  wait $P1 || fail "the counter alone ended with $?"
  rm -f "$WORK/till1/.go"
  say "round $round: two counters for $RUN_SECONDS s"
  "$BUILD/db-counter" "$WORK/till1" "$RUN_SECONDS" "$((round + 10))" >"$OUT/first.$round" 2>&1 &
  P1=$!
  "$BUILD/db-counter" "$WORK/till2" "$RUN_SECONDS" "$((round + 20))" >"$OUT/second.$round" 2>&1 &
  P2=$!
  go till1 till2
  wait $P1 || fail "the first of two counters ended with $?"
  wait $P2 || fail "the second of two counters ended with $?"
  rm -f "$WORK/till1/.go" "$WORK/till2/.go"
  cat "$OUT/alone.$round" "$OUT/first.$round" "$OUT/second.$round" >&2
  round=$((round + 1))
done
# The alternating run, once with both counters on the shop, once with the second on a copy of
# its own: two counters that share nothing but the machine show what its two cores give.
alternating() {  # SECOND_FOLDER SUFFIX
  say "one run of $ALTERNATING_SECONDS s: two counters in odd phases of $PHASE_SECONDS s, one in even phases ($2)"
  KELVO_COUNTER_PHASE=$PHASE_SECONDS "$BUILD/db-counter" "$WORK/till1" "$ALTERNATING_SECONDS" 31 >"$OUT/steady$2" 2>&1 &
  P1=$!
  KELVO_COUNTER_PHASE=$PHASE_SECONDS KELVO_COUNTER_ODD_PHASES=1 "$BUILD/db-counter" "$WORK/$1" "$ALTERNATING_SECONDS" 32 \
    >"$OUT/alternate$2" 2>&1 &
  P2=$!
  go till1 "$1"
  wait $P1 || fail "the counter working throughout ended with $?"
  wait $P2 || fail "the counter working in odd phases ended with $?"
  rm -f "$WORK/till1/.go" "$WORK/$1/.go"
}
alternating till2 ""
sql postgres "CREATE DATABASE apart TEMPLATE shop" || fail "no copy of the shop"
mkdir -p "$WORK/apart"
printf 'url=%s\ncounter=apart\n' "$(url apart)" >"$WORK/apart/kelvo-database.conf"
alternating apart ".apart"

# What the machine gives any client that commits one change a transaction, set beside the
# counters: PostgreSQL's own pgbench, one client on one copy of the shop and then two, each on a
# copy of its own, rewriting one film a transaction; once back to back, once with 0.8 ms between
# transactions in which the client does nothing (a counter's own work there takes a core).
sql postgres "CREATE DATABASE apart2 TEMPLATE apart" || fail "no second copy of the shop"
printf '\\set s random(0, 49999)\nUPDATE film SET bytes = overlay(bytes PLACING %s FROM 100), version = nextval(%s) WHERE slot = :s;\n' \
  "'\\x01'::bytea" "'change_seq'" >"$OUT/commit.sql"
{ cat "$OUT/commit.sql"; printf '%s\n' '\sleep 800 us'; } >"$OUT/commit-wait.sql"
run_pgbench() {  # SCRIPT DATABASE OUTPUT
  "$PG_BIN/pgbench" -h "$PGROOT" -U kelvo -n -c 1 -T 5 -f "$OUT/$1.sql" "$2" >"$OUT/$3" 2>&1 || fail "pgbench on $2 ended with $?"
}
for script in commit commit-wait; do
  for round in 1 2 3; do
    say "pgbench $script, round $round: one client, then two on two databases"
    run_pgbench "$script" apart "$script.one.$round"
    run_pgbench "$script" apart "$script.first.$round" &
    run_pgbench "$script" apart2 "$script.second.$round"
    wait
  done
done

python3 - "$OUT" "$RUN_SECONDS" "$ROUNDS" "$PHASE_SECONDS" <<'PY' || FAILURES=$((FAILURES + 1))
import json, re, statistics, sys
out, seconds, rounds, phase = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])

def times(name):
    runs = json.load(open(f"{out}/{name}.json"))["benchmarks"]
    return {b["run_name"].split("/")[0]: b["real_time"] for b in runs if b.get("aggregate_name") == "median"}

folder = times("rental") | times("figures")
db = times("database")
rows = [
    ("five-item rental", folder.get("BM_RentFiveItems"), db.get("BM_DatabaseRentFiveItems"), 2.0),
    ("late return of five", folder.get("BM_ReturnFiveItemsLateWithSettlement"),
     db.get("BM_DatabaseReturnFiveItemsLateWithSettlement"), None),
    ("F12 figures", folder.get("BM_StatusWindowFigures"), db.get("BM_DatabaseStatusWindowFigures"), 1.5),
    ("  of which the pass", folder.get("BM_StatusWindowFigures"), db.get("BM_WorkingCopyStatusWindowFigures"), None),
]

def paired(name):
    for b in json.load(open(f"{out}/database.json"))["benchmarks"]:
        if b["run_name"].split("/")[0] == name and b.get("aggregate_name") == "median":
            return b.get("folder_ms"), b.get("database_ms"), b.get("ratio")
    return None, None, None

def tally(file):
    m = re.search(r"rentals (\d+) returns (\d+) refused (\d+) unreachable (\d+)", open(f"{out}/{file}").read())
    return [int(x) for x in m.groups()] if m else None

print(f"{'median, ms':24} {'folder':>9} {'database':>9} {'ratio':>6} {'bound':>6}")
missing = False
for what, f, d, bound in rows:
    if f is None or d is None:
        print(f"{what:24} {'-':>9} {'-':>9}")
        missing = True
        continue
    ratio = d / f
    mark = "" if bound is None else f"{bound:5.1f}x" + ("" if ratio <= bound else " MISSED")
    print(f"{what:24} {f:9.2f} {d:9.2f} {ratio:5.2f}x {mark}")
# The same commands again, each iteration on the folder then on the database: the ratio is the
# median of the pairs' own ratios, which the machine's drift between two benchmarks leaves alone.
for what, name, bound in (("rental, paired", "BM_PairedRentFiveItems", 2.0), ("F12, paired", "BM_PairedStatusWindowFigures", 1.5)):
    f, d, ratio = paired(name)
    if ratio is None:
        print(f"{what:24} {'-':>9} {'-':>9}")
        missing = True
        continue
    print(f"{what:24} {f:9.2f} {d:9.2f} {ratio:5.2f}x {bound:5.1f}x" + ("" if ratio <= bound else " MISSED"))
ones, twos, refused, unreachable = [], [], 0, 0
for r in range(1, rounds + 1):
    alone, first, second = tally(f"alone.{r}"), tally(f"first.{r}"), tally(f"second.{r}")
    if None in (alone, first, second):
        sys.exit("a counter printed no tally")
    ones.append((alone[0] + alone[1]) / seconds)
    twos.append((first[0] + first[1] + second[0] + second[1]) / seconds)
    refused += first[2] + second[2]
    unreachable += alone[3] + first[3] + second[3]
one, two = statistics.median(ones), statistics.median(twos)
ratio = two / one if one else 0
print(f"{'(rentals+returns)/s':24} {'one':>9} {'two':>9}   rounds: " + ", ".join(f"{a:.0f}/{b:.0f}" for a, b in zip(ones, twos)))
print(f"{'counters, medians':24} {one:9.1f} {two:9.1f} {ratio:5.2f}x {1.6:5.1f}x" + ("" if ratio >= 1.6 else " MISSED"))
print(f"refused by the other counter: {refused}, server unreachable: {unreachable}")

def phases(file):
    return {int(k): int(n) for k, n in re.findall(r"phase (\d+) transactions (\d+)", open(f"{out}/{file}").read())}

def alternating(label, suffix, bound):
    steady, alternate = phases("steady" + suffix), phases("alternate" + suffix)
    # Each phase of two against the mean of the phases of one on either side; the last phase, cut
    # short by the end of the run, is left out.
    pairs = [((steady.get(k - 1, 0) + steady.get(k + 1, 0)) / 2 / phase, (steady.get(k, 0) + alternate.get(k, 0)) / phase)
             for k in range(1, max(steady, default=0) - 1, 2)]
    pairs = [(a, b) for a, b in pairs if a > 0]
    if not pairs:
        print(f"{label}: no whole pair of phases")
        return
    ratios = [b / a for a, b in pairs]
    median = statistics.median(ratios)
    mark = "" if bound is None else f"{bound:5.1f}x" + ("" if median >= bound else " MISSED")
    pooled = sum(b for _, b in pairs) / sum(a for a, _ in pairs)
    print(f"{label:24} {statistics.median(a for a, _ in pairs):9.1f} {statistics.median(b for _, b in pairs):9.1f}"
          f" {median:5.2f}x {mark:6}   pooled {pooled:.2f}x, phases: " + ", ".join(f"{r:.2f}" for r in ratios))

alternating("alternating phases", "", 1.6)
alternating("  databases apart", ".apart", None)

def tps(file):
    m = re.search(r"^tps = ([\d.]+)", open(f"{out}/{file}").read(), re.M)
    return float(m.group(1)) if m else None

for label, script in (("pgbench, one commit", "commit"), ("  with 0.8 ms between", "commit-wait")):
    ones, first_clients, second_clients = ([tps(f"{script}.{run}.{r}") for r in (1, 2, 3)] for run in ("one", "first", "second"))
    # A client that failed (started in the background, its failure is not counted above) prints
    # no rate: reported as such, not as a low one.
    if None in ones + first_clients + second_clients:
        print(f"{label}: pgbench printed no rate")
        continue
    twos = [a + b for a, b in zip(first_clients, second_clients)]
    ratios = [b / a for a, b in zip(ones, twos)]
    print(f"{label:24} {statistics.median(ones):9.1f} {statistics.median(twos):9.1f} {statistics.median(ratios):5.2f}x"
          f"          rounds: " + ", ".join(f"{r:.2f}" for r in ratios))
if missing:
    sys.exit("a benchmark gave no time")
PY
# The server's log outlives the run, for the statements it timed.
cp "$PGROOT/server.log" "${TMPDIR:-/tmp}/database_figures-server.log" 2>/dev/null &&
  echo "server log: ${TMPDIR:-/tmp}/database_figures-server.log"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$FAILURES" -eq 0 ] || { echo "$FAILURES step(s) failed" >&2; exit 1; }
