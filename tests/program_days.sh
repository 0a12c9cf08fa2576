#!/usr/bin/env bash
# The whole counter program on two successive days: started in an empty folder under a fixed
# clock, ended by SIGTERM as a system shutdown would, then started again the next day. Checks
# the files it leaves: the first-run files, the log entries, the day's summary and the day close.
set -euo pipefail
kelvo="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
libfaketime="$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)"

run_day() {  # run_day "YYYY-MM-DD HH:MM:SS"
  # libfaketime preloaded into kelvo itself, so that the signal reaches the program.
  (cd "$work" && LD_PRELOAD="$libfaketime" FAKETIME="@$1" exec "$kelvo") &
  local pid=$!
  for _ in $(seq 1 100); do
    [ -f "$work/wr.cfg" ] && grep -qa "S.w.i.t.c.h.e.d. .o.n" "$work/lgb4.dat" 2>/dev/null && break
    sleep 0.1
  done
  sleep 3  # past the splash: the sign-on screen is up
  kill -TERM "$pid"
  local rc=0
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || { echo "kelvo ended with $rc"; exit 1; }
}

u16() { iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r'; }
i32_at() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

# A desktop 799 pixels wide: the refusal is shown (and left standing until ended), no file is made.
narrow="$work/narrow.json"
echo '{"screens": [{"name": "narrow", "x": 0, "y": 0, "width": 799, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}' >"$narrow"
mkdir "$work/refused"
(cd "$work/refused" && QT_QPA_PLATFORM="offscreen:configfile=$narrow" timeout 5 "$kelvo" >/dev/null 2>&1) || true
[ -z "$(ls -A "$work/refused")" ] || { echo "a refused start left files: $(ls -A "$work/refused")"; exit 1; }
rm -rf "$work/refused" "$narrow"

run_day "2026-12-07 10:00:00"
for f in film.dat member.dat mans.dat wr.cfg resn.dat lgb4.dat; do
  [ -f "$work/$f" ] || { echo "missing $f after the first run"; exit 1; }
done
[ "$(stat -c %s "$work/wr.cfg")" -eq 92808 ] || { echo "wr.cfg has the wrong size"; exit 1; }
log="$(u16 "$work/lgb4.dat")"
grep -q "07/12/2026  Switched on." <<<"$log" || { echo "no switch-on entry"; exit 1; }
grep -q "07/12/2026  Switched off." <<<"$log" || { echo "no switch-off entry"; exit 1; }
grep -q "^Operator: " <<<"$log" || { echo "no operator trailer"; exit 1; }
summary="$work/2026/thed1207.dat"
[ -f "$summary" ] || { echo "no daily summary"; exit 1; }
[ "$(u16 "$summary" | wc -l)" -eq 15 ] || { echo "summary is not 16 lines"; exit 1; }  # no final line break
[ "$(i32_at "$work/wr.cfg" 852)" -eq 7 ] || { echo "open day is not the 7th"; exit 1; }

run_day "2026-12-08 09:30:00"
[ "$(i32_at "$work/wr.cfg" 852)" -eq 8 ] || { echo "the day was not closed"; exit 1; }
[ "$(i32_at "$work/wr.cfg" 1608)" -eq 8 ] || { echo "shutdown day not stored"; exit 1; }
[ -f "$work/2026/thed1208.dat" ] || { echo "no summary for the second day"; exit 1; }
[ "$(u16 "$work/lgb4.dat" | grep -c "Switched on.")" -eq 2 ] || { echo "expected two switch-on entries"; exit 1; }
echo "1 passed, 0 failed"
