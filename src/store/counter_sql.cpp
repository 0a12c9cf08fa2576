#include "store/counter_sql.h"

namespace kelvo::store {

namespace {

// Every row changed since `seen` (records but those at the versions in `held`) and every log
// entry after `seen_log` up to the given mark, in the order a counter takes them in. Written
// into both functions that read changes, which declare `seen`, `seen_log`, `held` and `newest`.
std::string changed_rows(const std::string& log_mark) {
  return R"SQL(SELECT c.what, c.name, c.slot, c.version, c.bytes FROM (
    SELECT 1 AS ord, 'file'::text AS what, f.name AS name, 0::bigint AS slot, f.version AS version, f.bytes AS bytes
      FROM shop_file f WHERE f.version > seen
    UNION ALL SELECT 2, 'record', 'film.dat', r.slot, r.version, r.bytes FROM film r WHERE r.version > seen AND r.version < newest AND r.version <> ALL (held)
    UNION ALL SELECT 2, 'record', 'member.dat', r.slot, r.version, r.bytes FROM member r WHERE r.version > seen AND r.version < newest AND r.version <> ALL (held)
    UNION ALL SELECT 2, 'record', 'mans.dat', r.slot, r.version, r.bytes FROM stock r WHERE r.version > seen AND r.version < newest AND r.version <> ALL (held)
    UNION ALL SELECT 2, 'record', 'resn.dat', r.slot, r.version, r.bytes FROM reservation_day r WHERE r.version > seen AND r.version < newest AND r.version <> ALL (held)
    UNION ALL SELECT 3, 'config', 'wr.cfg', 0, b.version, b.image FROM config_block b WHERE b.id = 1 AND b.version > seen
    -- The parts that moved, which the counter adds up with the others it holds.
    UNION ALL SELECT 4, 'part', p.counter, p.byte_offset::bigint, p.version, int8send(p.i) || float8send(p.f)
      FROM config_figure_part p WHERE p.version > seen
    UNION ALL SELECT 5, 'log', l.file, l.seq, l.seq, l.bytes FROM kelvo_log_after(seen_log, )SQL" +
         log_mark + ") l WHERE " + log_mark + R"SQL( > seen_log
  ) c ORDER BY c.ord, c.name, c.slot)SQL";
}

}  // namespace

std::string counter_functions() {
  return R"SQL(
-- Records and the settings image are rewritten whole at every change: kept compressed (lz4) and
-- in the row where they fit, a rewrite writes a few kilobytes instead of a chain of out-of-line
-- pieces.
DO $f$
DECLARE
  t text;
  method text := 'lz4';
BEGIN
  BEGIN
    SET LOCAL default_toast_compression = lz4;
  EXCEPTION WHEN OTHERS THEN
    method := 'pglz';
  END;
  FOREACH t IN ARRAY ARRAY['film', 'member', 'stock', 'reservation_day'] LOOP
    IF EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid = to_regclass(t) AND attname = 'bytes'
                AND (attstorage <> 'm' OR attcompression <> left(method, 1))) THEN
      EXECUTE format('ALTER TABLE %I ALTER COLUMN bytes SET STORAGE MAIN, ALTER COLUMN bytes SET COMPRESSION %s', t, method);
    END IF;
  END LOOP;
  IF EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid = to_regclass('config_block') AND attname = 'image'
              AND (attstorage <> 'm' OR attcompression <> left(method, 1))) THEN
    EXECUTE format('ALTER TABLE config_block ALTER COLUMN image SET STORAGE MAIN, ALTER COLUMN image SET COMPRESSION %s', method);
  END IF;
END
$f$;

-- A running figure is its imported value plus what each counter added to it.
CREATE TABLE IF NOT EXISTS config_figure_part (
  counter text NOT NULL,
  byte_offset integer NOT NULL,
  i bigint NOT NULL DEFAULT 0,
  f float8 NOT NULL DEFAULT 0,
  version bigint NOT NULL,
  PRIMARY KEY (byte_offset, counter));
-- A few rows per counter, rewritten at every transaction: without an index on the version, the
-- rewrite stays on its page (no index entries to add), and the table stays a page or two to scan.
DROP INDEX IF EXISTS config_figure_part_version;

-- The lists a counter keeps for itself, each stretch whole.
CREATE TABLE IF NOT EXISTS config_counter (
  counter text NOT NULL,
  byte_offset integer NOT NULL,
  bytes bytea NOT NULL,
  version bigint NOT NULL,
  PRIMARY KEY (counter, byte_offset));

-- The transactions that wrote no log entry, by their identifier (a counter's log entries carry
-- it already): a counter whose answer was lost after its commit finds here that it stood.
-- Such transactions are few (settings, a record amended); kept a day.
CREATE TABLE IF NOT EXISTS counter_commit (
  transaction_id text PRIMARY KEY,
  stored_at timestamptz NOT NULL DEFAULT now());

-- The figure's value as the block holds it, in the server's binary form of its kind: its
-- imported value plus the counters' parts (one expression, which the planner takes inline).
CREATE OR REPLACE FUNCTION kelvo_figure_value(kind text, i32 integer, i64 bigint, f32 real, added_i bigint, added_f float8)
RETURNS bytea LANGUAGE sql IMMUTABLE AS $f$
  SELECT CASE kind WHEN 'i32' THEN int4send((i32::bigint + coalesce(added_i, 0))::integer)
                   WHEN 'i64' THEN int8send(i64 + coalesce(added_i, 0))
                   ELSE float4send((f32::float8 + coalesce(added_f, 0))::real) END
$f$;

CREATE OR REPLACE FUNCTION kelvo_figure(at integer) RETURNS bytea
LANGUAGE sql STABLE AS $f$
  SELECT kelvo_figure_value(g.kind, g.i32, g.i64, g.f32, s.i, s.f)
    FROM config_figure g,
         LATERAL (SELECT sum(p.i)::bigint AS i, sum(p.f) AS f FROM config_figure_part p WHERE p.byte_offset = g.byte_offset) s
   WHERE g.byte_offset = at
$f$;

-- How far a reader may trust what it reads: every version up to `safe` and every log entry up
-- to `safe_log` is either visible now or will never be. A writer registers the first version
-- and log entry it can draw, by a lock it holds until its commit is visible; the marks stop
-- below the lowest of them. Read in a statement of its own, before the rows are read.
CREATE OR REPLACE FUNCTION kelvo_marks(OUT safe bigint, OUT safe_log bigint)
LANGUAGE plpgsql VOLATILE AS $f$
DECLARE
  alone boolean;
  top bigint;
  top_log bigint;
BEGIN
  -- A writer holds the day lock shared from before it draws its first version until its commit
  -- is visible: when no other holds it, all that was drawn is visible.
  alone := pg_try_advisory_lock(7165001);
  top := (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM change_seq);
  top_log := (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM log_seq);
  IF alone THEN
    PERFORM pg_advisory_unlock(7165001);
    safe := top;
    safe_log := top_log;
    RETURN;
  END IF;
  -- The last versions drawn are read before the registrations: a version drawn by then was
  -- registered before it was drawn, and its registration is still held unless its commit is
  -- visible.
  SELECT min(k & ((1::bigint << 61) - 1)) FILTER (WHERE k >> 61 = 2) - 1,
         min(k & ((1::bigint << 61) - 1)) FILTER (WHERE k >> 61 = 1) - 1
    INTO safe, safe_log
    FROM (SELECT (l.classid::bigint << 32) | l.objid::bigint AS k FROM pg_locks l
           WHERE l.locktype = 'advisory' AND l.objsubid = 1 AND l.pid <> pg_backend_pid()) held;
  safe := least(coalesce(safe, top), top);
  safe_log := least(coalesce(safe_log, top_log), top_log);
END
$f$;

-- The log entries after `after` up to `upto`, by the index on their sequence. The callers' one
-- plan for every call is made at their first call, often on a new shop's empty log, where a scan
-- of the table is the cheapest plan; kept as the day's log grew, it read the whole log at every
-- refresh.
CREATE OR REPLACE FUNCTION kelvo_log_after(after bigint, upto bigint)
RETURNS TABLE (file text, seq bigint, bytes bytea)
LANGUAGE plpgsql STABLE
SET enable_seqscan = off SET plan_cache_mode = force_generic_plan AS $f$
BEGIN
  RETURN QUERY SELECT l.file, l.seq, l.bytes FROM log_entry l WHERE l.seq > after AND l.seq <= upto;
END
$f$;

-- Earlier counters' kelvo_rows and kelvo_changes were read without the versions a counter holds.
DROP FUNCTION IF EXISTS kelvo_changes(bigint, bigint);
DROP FUNCTION IF EXISTS kelvo_rows(bigint, bigint, bigint, bigint, boolean);

-- Every row changed since a counter's marks, led by its new marks `safe` and `safe_log` (named
-- 'quiet' when they are the last versions drawn, by the counter's own transaction alone). The
-- records at the versions in `held` are the counter's own writes, which it holds already.
CREATE OR REPLACE FUNCTION kelvo_rows(seen bigint, seen_log bigint, safe bigint, safe_log bigint, quiet boolean, held bigint[])
RETURNS TABLE (what text, name text, slot bigint, version bigint, bytes bytea)
LANGUAGE plpgsql VOLATILE
-- Planned once for every call: planning this query anew took longer than running it. The upper
-- bound on each version (`newest`) makes the one plan expect a few rows of each table and read
-- them by the version index.
SET plan_cache_mode = force_generic_plan AS $f$
#variable_conflict use_column
DECLARE
  newest constant bigint := 9223372036854775807;
BEGIN
  what := 'mark'; name := CASE WHEN quiet THEN 'quiet' ELSE '' END; slot := safe_log; version := safe; bytes := NULL;
  RETURN NEXT;
  RETURN QUERY )SQL" + changed_rows("safe_log") + R"SQL(;
END
$f$;

-- What a counter asks at the start of each operation: its marks, then the rows, in one function
-- (each layer of functions gathered every row, a member of 17 KB among them, before handing it on).
CREATE OR REPLACE FUNCTION kelvo_changes(seen bigint, seen_log bigint, held bigint[])
RETURNS TABLE (what text, name text, slot bigint, version bigint, bytes bytea)
LANGUAGE plpgsql VOLATILE
SET plan_cache_mode = force_generic_plan AS $f$
#variable_conflict use_column
DECLARE
  m record;
  newest constant bigint := 9223372036854775807;
BEGIN
  what := 'mark'; name := ''; bytes := NULL;
  -- Nothing drawn since the counter's marks: nothing can be newer, and no table is read.
  IF (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM change_seq) <= seen
     AND (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM log_seq) <= seen_log THEN
    slot := seen_log; version := seen;
    RETURN NEXT;
    RETURN;
  END IF;
  -- The marks in a statement of their own, before the rows are read.
  SELECT * INTO m FROM kelvo_marks();
  slot := m.safe_log; version := m.safe;
  RETURN NEXT;
  RETURN QUERY )SQL" + changed_rows("m.safe_log") + R"SQL(;
END
$f$;

-- Earlier counters installed a kelvo_write answering nothing; its answer is now the versions written.
DO $f$
BEGIN
  IF EXISTS (SELECT 1 FROM pg_proc WHERE proname = 'kelvo_write' AND prorettype = 'void'::regtype) THEN
    DROP FUNCTION kelvo_write;
  END IF;
END
$f$;

-- Answers the version each record got, in the order of `tbls`.
CREATE OR REPLACE FUNCTION kelvo_write(
    counter_name text, txid text,
    tbls text[], slots bigint[], versions bigint[], numbers bigint[], fresh boolean[], images bytea[],
    fig_offsets integer[], int_deltas bigint[], float_deltas float8[],
    set_offsets integer[], set_bytes bytea[],
    log_files text[], log_bytes bytea[], whole_logs text[], rename_from text, rename_to text,
    file_names text[], file_bytes bytea[])
RETURNS bigint[]
LANGUAGE plpgsql AS $f$
DECLARE
  i integer;
  v bigint;
  img bytea;
  written bigint[] := array_fill(NULL::bigint, ARRAY[coalesce(array_length(tbls, 1), 0)]);
  wk bigint;
  wv bigint;
BEGIN
  -- Registered before any version is drawn: readers trust nothing from here on until the commit.
  -- Shared, as the next writer may register the same log entry when this one draws none.
  PERFORM pg_advisory_xact_lock_shared((2::bigint << 61) | (SELECT CASE WHEN is_called THEN last_value + 1 ELSE last_value END FROM change_seq));
  PERFORM pg_advisory_xact_lock_shared((1::bigint << 61) | (SELECT CASE WHEN is_called THEN last_value + 1 ELSE last_value END FROM log_seq));
  -- The films whose numbers are not new to them, rewritten in one statement: a rental's five
  -- films are one statement instead of five, and the write lock, which holds the other counters
  -- back, is held that much less. A film not rewritten here is tried again below, and refused.
  FOR wk, wv IN
    UPDATE film r SET bytes = u.uimg, number = u.un, version = nextval('change_seq')
      FROM unnest(tbls, slots, versions, numbers, images, fresh) WITH ORDINALITY AS u(ut, us, uver, un, uimg, ufresh, uk)
     WHERE u.ut = 'film' AND u.uver IS NOT NULL AND NOT u.ufresh AND r.slot = u.us AND r.version = u.uver
    RETURNING u.uk, r.version
  LOOP
    written[wk] := wv;
  END LOOP;
  FOR i IN 1 .. coalesce(array_length(tbls, 1), 0) LOOP
    CONTINUE WHEN written[i] IS NOT NULL;
    IF fresh[i] THEN
      -- A number new to its slot: another counter may have given it to a record first, and may
      -- still be committing it, so the number is held until this transaction ends.
      PERFORM pg_advisory_xact_lock((1::bigint << 60) | ((CASE tbls[i] WHEN 'film' THEN 0 WHEN 'member' THEN 1 ELSE 2 END)::bigint << 57) | numbers[i]);
      CASE tbls[i]
        WHEN 'film' THEN
          SELECT 1 INTO v FROM film r WHERE r.number = numbers[i] AND (r.slot <> slots[i] OR r.version IS DISTINCT FROM versions[i]) LIMIT 1;
        WHEN 'member' THEN
          SELECT 1 INTO v FROM member r WHERE r.number = numbers[i] AND (r.slot <> slots[i] OR r.version IS DISTINCT FROM versions[i]) LIMIT 1;
        WHEN 'stock' THEN
          SELECT 1 INTO v FROM stock r WHERE r.number = numbers[i] AND (r.slot <> slots[i] OR r.version IS DISTINCT FROM versions[i]) LIMIT 1;
        ELSE
          v := NULL;
      END CASE;
      IF v IS NOT NULL THEN
        RAISE EXCEPTION 'number % in use', numbers[i] USING ERRCODE = 'KV002', DETAIL = tbls[i];
      END IF;
    END IF;
    v := NULL;
    IF versions[i] IS NULL THEN
      INSERT INTO shop_file (name, kind) VALUES (CASE tbls[i] WHEN 'film' THEN 'film.dat' WHEN 'member' THEN 'member.dat'
        WHEN 'stock' THEN 'mans.dat' ELSE 'resn.dat' END, 'records') ON CONFLICT (name) DO NOTHING;
      CASE tbls[i]
        WHEN 'film' THEN
          INSERT INTO film (slot, number, bytes) VALUES (slots[i], numbers[i], images[i]) ON CONFLICT (slot) DO NOTHING RETURNING film.version INTO v;
        WHEN 'member' THEN
          INSERT INTO member (slot, number, bytes) VALUES (slots[i], numbers[i], images[i]) ON CONFLICT (slot) DO NOTHING RETURNING member.version INTO v;
        WHEN 'stock' THEN
          INSERT INTO stock (slot, number, bytes) VALUES (slots[i], numbers[i], images[i]) ON CONFLICT (slot) DO NOTHING RETURNING stock.version INTO v;
        ELSE
          INSERT INTO reservation_day (slot, bytes) VALUES (slots[i], images[i]) ON CONFLICT (slot) DO NOTHING RETURNING reservation_day.version INTO v;
      END CASE;
    ELSE
      CASE tbls[i]
        WHEN 'film' THEN
          UPDATE film r SET bytes = images[i], number = numbers[i], version = nextval('change_seq') WHERE r.slot = slots[i] AND r.version = versions[i] RETURNING r.version INTO v;
        WHEN 'member' THEN
          UPDATE member r SET bytes = images[i], number = numbers[i], version = nextval('change_seq') WHERE r.slot = slots[i] AND r.version = versions[i] RETURNING r.version INTO v;
        WHEN 'stock' THEN
          UPDATE stock r SET bytes = images[i], number = numbers[i], version = nextval('change_seq') WHERE r.slot = slots[i] AND r.version = versions[i] RETURNING r.version INTO v;
        ELSE
          UPDATE reservation_day r SET bytes = images[i], version = nextval('change_seq') WHERE r.slot = slots[i] AND r.version = versions[i] RETURNING r.version INTO v;
      END CASE;
    END IF;
    IF v IS NULL THEN
      RAISE EXCEPTION 'slot % of % changed at another counter', slots[i], tbls[i] USING ERRCODE = 'KV001', DETAIL = tbls[i];
    END IF;
    written[i] := v;
  END LOOP;

  -- Each counter adds to a part of its own: two counters' takings never wait on one row.
  INSERT INTO config_figure_part AS p (counter, byte_offset, i, f, version)
    SELECT counter_name, d.o, d.di, d.df, nextval('change_seq') FROM unnest(fig_offsets, int_deltas, float_deltas) AS d(o, di, df)
    ON CONFLICT (byte_offset, counter) DO UPDATE SET i = p.i + excluded.i, f = p.f + excluded.f, version = excluded.version;

  -- A counter's own lists (last items returned and rented) go to its own row; every other range
  -- into the shared image, which is rewritten once, whatever the number of ranges.
  FOR i IN 1 .. coalesce(array_length(set_offsets, 1), 0) LOOP
    IF set_offsets[i] IN (976, 1136) AND length(set_bytes[i]) = 144 THEN
      INSERT INTO config_counter AS c (counter, byte_offset, bytes, version)
        VALUES (counter_name, set_offsets[i], set_bytes[i], nextval('change_seq'))
        ON CONFLICT (counter, byte_offset) DO UPDATE SET bytes = excluded.bytes, version = excluded.version;
    ELSE
      IF img IS NULL THEN
        SELECT b.image INTO img FROM config_block b WHERE b.id = 1 FOR UPDATE;
      END IF;
      img := overlay(img PLACING set_bytes[i] FROM set_offsets[i] + 1);
    END IF;
  END LOOP;
  IF img IS NOT NULL THEN
    UPDATE config_block b SET image = img, version = nextval('change_seq') WHERE b.id = 1;
  END IF;

  IF coalesce(array_length(whole_logs, 1), 0) > 0 THEN
    DELETE FROM log_entry l WHERE l.file = ANY (whole_logs);
    INSERT INTO shop_file (name, kind) SELECT w, 'log' FROM unnest(whole_logs) AS w
      ON CONFLICT (name) DO UPDATE SET version = nextval('change_seq');
  END IF;
  -- A log rolled over keeps its entries, each with the counter that wrote it.
  IF rename_from IS NOT NULL THEN
    DELETE FROM log_entry l WHERE l.file = rename_to;
    UPDATE log_entry l SET file = rename_to WHERE l.file = rename_from;
    INSERT INTO shop_file (name, kind) VALUES (rename_from, 'log'), (rename_to, 'log')
      ON CONFLICT (name) DO UPDATE SET version = nextval('change_seq');
  END IF;
  INSERT INTO shop_file (name, kind) SELECT DISTINCT f, 'log' FROM unnest(log_files) AS f ON CONFLICT (name) DO NOTHING;
  INSERT INTO log_entry (file, counter, transaction_id, bytes)
    SELECT l.f, counter_name, txid, l.b FROM unnest(log_files, log_bytes) WITH ORDINALITY AS l(f, b, n) ORDER BY l.n;

  IF coalesce(array_length(log_files, 1), 0) = 0 THEN
    DELETE FROM counter_commit c WHERE c.stored_at < now() - interval '1 day';
    INSERT INTO counter_commit (transaction_id) VALUES (txid) ON CONFLICT DO NOTHING;
  END IF;

  FOR i IN 1 .. coalesce(array_length(file_names, 1), 0) LOOP
    IF file_bytes[i] IS NULL THEN
      DELETE FROM shop_file f WHERE f.name = file_names[i] AND f.kind = 'bytes';
    ELSE
      INSERT INTO shop_file (name, kind, bytes) VALUES (file_names[i], 'bytes', file_bytes[i])
        ON CONFLICT (name) DO UPDATE SET bytes = excluded.bytes, version = nextval('change_seq');
    END IF;
  END LOOP;
  RETURN written;
END
$f$;

-- Counters before notices called kelvo_commit without one.
DROP FUNCTION IF EXISTS kelvo_commit(bigint, bigint, text, text, text[], bigint[], bigint[], bigint[], boolean[],
  bytea[], integer[], bigint[], float8[], integer[], bytea[], text[], bytea[], text[], text, text, text[], bytea[]);

-- One transaction of a counter. The writes run one transaction at a time (so versions and log
-- entries are drawn in one order), but the commit, which waits for the disk, does not hold
-- the others back: the marks keep readers from passing a transaction still committing.
-- With the counter's `notice`, the other counters are told of the transaction when it commits,
-- unless it changed what a notice does not carry (the settings image, a named file, a whole or
-- renamed log).
CREATE OR REPLACE FUNCTION kelvo_commit(
    seen bigint, seen_log bigint, counter_name text, txid text,
    tbls text[], slots bigint[], versions bigint[], numbers bigint[], fresh boolean[], images bytea[],
    fig_offsets integer[], int_deltas bigint[], float_deltas float8[],
    set_offsets integer[], set_bytes bytea[],
    log_files text[], log_bytes bytea[], whole_logs text[], rename_from text, rename_to text,
    file_names text[], file_bytes bytea[], notice text)
RETURNS TABLE (what text, name text, slot bigint, version bigint, bytes bytea)
LANGUAGE plpgsql AS $f$
#variable_conflict use_column
DECLARE
  quiet boolean;
  safe bigint;
  safe_log bigint;
  written bigint[];
  first bigint;
  first_log bigint;
  last bigint;
  last_log bigint;
  payload text;
BEGIN
  PERFORM pg_advisory_xact_lock_shared(7165001);
  PERFORM pg_advisory_lock(7165002);
  -- Nothing drawn since the counter's marks, and none can be drawn while this holds the write
  -- lock: the changes are this transaction's own, up to the last versions it draws.
  first := (SELECT CASE WHEN is_called THEN last_value + 1 ELSE last_value END FROM change_seq);
  first_log := (SELECT CASE WHEN is_called THEN last_value + 1 ELSE last_value END FROM log_seq);
  quiet := first <= seen + 1 AND first_log <= seen_log + 1;
  -- Refused, the transaction ends with the write lock still held: the counter lets go of it.
  written := kelvo_write(counter_name, txid, tbls, slots, versions, numbers, fresh, images, fig_offsets, int_deltas,
                         float_deltas, set_offsets, set_bytes, log_files, log_bytes, whole_logs, rename_from, rename_to,
                         file_names, file_bytes);
  last := (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM change_seq);
  last_log := (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM log_seq);
  IF quiet THEN
    safe := last;
    safe_log := last_log;
  END IF;
  -- Every version from first to last is this transaction's: no other draws while it holds the
  -- write lock. Delivered at its commit, in commit order; every transaction tells of itself, and
  -- one that cannot tell all (no notice, or too long) tells the others to ask the server.
  payload := first || ' ' || last || ' ' || first_log || ' ' || last_log || ' ';
  IF notice IS NOT NULL
     AND NOT EXISTS (SELECT 1 FROM shop_file f WHERE f.version BETWEEN first AND last)
     AND NOT EXISTS (SELECT 1 FROM config_block b WHERE b.id = 1 AND b.version BETWEEN first AND last)
     AND octet_length(payload) + octet_length(notice) + 21 * coalesce(array_length(written, 1), 0) < 7990 THEN
    payload := payload || coalesce(array_to_string(written, ','), '') || E'\n' || notice;
  END IF;
  PERFORM pg_notify('kelvo', payload);
  PERFORM pg_advisory_unlock(7165002);
  IF quiet AND (coalesce(array_length(whole_logs, 1), 0) > 0 OR rename_from IS NOT NULL
                OR coalesce(array_length(file_names, 1), 0) > 0) THEN
    RETURN QUERY SELECT * FROM kelvo_rows(seen, seen_log, safe, safe_log, true, '{}');
    RETURN;
  END IF;
  -- The counter holds its records already, and sent its figures, settings and log entries: it
  -- needs the versions its records got, and, when no other counter came between ('own'), the
  -- marks past them. Otherwise ('crossed') the other counters' changes, this one's log entries
  -- among them in their order, come at its next refresh.
  what := 'mark'; name := CASE WHEN quiet THEN 'own' ELSE 'crossed' END; slot := safe_log; version := safe; bytes := NULL;
  RETURN NEXT;
  RETURN QUERY SELECT 'record'::text, CASE w.t WHEN 'film' THEN 'film.dat' WHEN 'member' THEN 'member.dat'
                        WHEN 'stock' THEN 'mans.dat' ELSE 'resn.dat' END, w.s, w.v, NULL::bytea
                 FROM unnest(tbls, slots, written) AS w(t, s, v);
END
$f$;
)SQL";
}

}  // namespace kelvo::store
