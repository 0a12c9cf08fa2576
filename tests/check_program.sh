#!/bin/sh
# kelvo-check on generated shops: it must report what the generator built, refuse broken
# shops, and never write a byte into the folder it checks.
# usage: check_program.sh <kelvo-check> <make-shop>
set -u

# Absolute, as every check runs from inside the shop folder.
CHECK=$(realpath "$1") || exit 1
MAKE_SHOP=$(realpath "$2") || exit 1
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-check-test.XXXXXX") || exit 1
trap 'rm -rf "$WORK"' EXIT INT TERM
FAILURES=0

fail() {
  echo "FAIL: $*" >&2
  FAILURES=$((FAILURES + 1))
}

# The generated shops are dated 15 March 2024; the overdue count depends on the clock.
SHOP_DAY='2024-03-15 14:30:00'
if command -v faketime >/dev/null 2>&1; then
  on_shop_day() { faketime "$SHOP_DAY" "$@"; }
  HAVE_FAKETIME=1
else
  on_shop_day() { "$@"; }
  HAVE_FAKETIME=0
fi

# Name, size and checksum of everything in a folder, hidden files included.
snapshot() {
  (cd "$1" && find . -mindepth 1 -printf '%p %s\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# Runs kelvo-check inside a folder; output in $WORK/out, exit status in $RC.
run_check() {
  (cd "$1" && on_shop_day "$CHECK") >"$WORK/out" 2>&1
  RC=$?
}

# --- A sound shop: exit 0, the generator's figures, nothing written ---------------------------
SHOP=$WORK/shop
"$MAKE_SHOP" "$SHOP" --films 500 --members 200 --stock 40 --seed 11 >"$WORK/expected" || fail "make-shop failed"
snapshot "$SHOP" >"$WORK/before"
run_check "$SHOP"
[ "$RC" -eq 0 ] || fail "sound shop: exit status $RC"
if [ "$HAVE_FAKETIME" -eq 1 ]; then
  diff "$WORK/expected" "$WORK/out" >&2 || fail "sound shop: output differs from the generated figures"
else
  grep -v '^Overdue' "$WORK/expected" >"$WORK/expected.nodate"
  grep -v '^Overdue' "$WORK/out" | diff "$WORK/expected.nodate" - >&2 || fail "sound shop: output differs"
fi
snapshot "$SHOP" | diff "$WORK/before" - >&2 || fail "sound shop: the folder changed"

# The check must not depend on the day: a year later every loan is late, and still no write.
if [ "$HAVE_FAKETIME" -eq 1 ]; then
  (cd "$SHOP" && faketime '2025-03-15 10:00:00' "$CHECK") >"$WORK/out" 2>&1
  RC=$?
  [ "$RC" -eq 0 ] || fail "sound shop a year later: exit status $RC"
  active=$(sed -n 's/^Active films: //p' "$WORK/out")
  grep -qx "Overdue: $active" "$WORK/out" || fail "sound shop a year later: not every loan is overdue"
  snapshot "$SHOP" | diff "$WORK/before" - >&2 || fail "sound shop a year later: the folder changed"
fi

# The generator refuses a folder that already holds a shop rather than overwrite it.
if "$MAKE_SHOP" "$SHOP" --films 10 --members 10 >/dev/null 2>&1; then
  fail "make-shop overwrote an existing shop"
fi
snapshot "$SHOP" | diff "$WORK/before" - >&2 || fail "make-shop changed an existing shop"

# --- An inconsistent shop: non-zero, one line per fault, nothing written ----------------------
BAD=$WORK/bad
"$MAKE_SHOP" "$BAD" --films 500 --members 200 --stock 40 --seed 11 --inconsistent >/dev/null || fail "make-shop failed"
snapshot "$BAD" >"$WORK/before"
run_check "$BAD"
[ "$RC" -ne 0 ] || fail "inconsistent shop: exit status 0"
lines=$(wc -l <"$WORK/out")
[ "$lines" -ge 9 ] || fail "inconsistent shop: expected the start-up lines and two faults, got $lines lines"
snapshot "$BAD" | diff "$WORK/before" - >&2 || fail "inconsistent shop: the folder changed"

# --- A film file that is not a whole number of records ------------------------------------------
CUT=$WORK/cut
cp -r "$SHOP" "$CUT"
head -c 3041 "$SHOP/film.dat" >"$CUT/film.dat"
snapshot "$CUT" >"$WORK/before"
run_check "$CUT"
[ "$RC" -ne 0 ] || fail "3041-byte film.dat: exit status 0"
grep -q 'Data file film.dat corrupt in Opendata\.' "$WORK/out" || fail "3041-byte film.dat: no corrupt message"
snapshot "$CUT" | diff "$WORK/before" - >&2 || fail "3041-byte film.dat: the folder changed"

# --- A missing member file: refused, and not created --------------------------------------------
NOMEMBER=$WORK/nomember
cp -r "$SHOP" "$NOMEMBER"
rm "$NOMEMBER/member.dat"
snapshot "$NOMEMBER" >"$WORK/before"
run_check "$NOMEMBER"
[ "$RC" -ne 0 ] || fail "missing member.dat: exit status 0"
grep -q 'member\.dat' "$WORK/out" || fail "missing member.dat: the message does not name the file"
snapshot "$NOMEMBER" | diff "$WORK/before" - >&2 || fail "missing member.dat: the folder changed"

# --- An empty folder: refused, and no first-run files created ------------------------------------
EMPTY=$WORK/empty
mkdir "$EMPTY"
run_check "$EMPTY"
[ "$RC" -ne 0 ] || fail "empty folder: exit status 0"
grep -q 'film\.dat' "$WORK/out" || fail "empty folder: the message does not name film.dat"
[ -z "$(ls -A "$EMPTY")" ] || fail "empty folder: files were created: $(ls -A "$EMPTY")"

if [ "$FAILURES" -ne 0 ]; then
  echo "$FAILURES check(s) failed" >&2
  exit 1
fi
echo "kelvo-check: all checks passed"
