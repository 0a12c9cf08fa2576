#include "store/store_layout.h"

#include "records/config_layout.h"

namespace kelvo::store {

const RecordTable* record_table(std::string_view file) {
  for (const auto& t : kRecordTables)
    if (t.file == file) return &t;
  return nullptr;
}

bool is_log_file(std::string_view file) { return file == "lgb4.dat" || file == "lgb2.dat"; }

std::string_view kind_name(FileKind kind) {
  switch (kind) {
    case FileKind::Records: return "records";
    case FileKind::Log: return "log";
    case FileKind::Config: return "config";
    case FileKind::Bytes: break;
  }
  return "bytes";
}

FileKind kind_of(std::string_view file) {
  if (record_table(file)) return FileKind::Records;
  if (is_log_file(file)) return FileKind::Log;
  if (file == "wr.cfg") return FileKind::Config;
  return FileKind::Bytes;
}

std::string schema_statements() {
  // `version` of every row comes from one sequence: a row still at the version a counter read
  // has not been changed since, and a counter that last saw version v refreshes what is newer.
  std::string sql = R"(
CREATE SEQUENCE change_seq;
CREATE SEQUENCE log_seq;
CREATE TABLE shop (
  id integer PRIMARY KEY CHECK (id = 1),
  format integer NOT NULL,
  imported_from text,
  imported_at timestamptz NOT NULL DEFAULT now());
CREATE TABLE shop_file (
  name text PRIMARY KEY,
  kind text NOT NULL CHECK (kind IN ('records', 'log', 'config', 'bytes')),
  bytes bytea CHECK ((kind = 'bytes') = (bytes IS NOT NULL)),
  version bigint NOT NULL DEFAULT nextval('change_seq'));
CREATE TABLE log_entry (
  seq bigint PRIMARY KEY DEFAULT nextval('log_seq'),
  file text NOT NULL CHECK (file IN ('lgb4.dat', 'lgb2.dat')),
  counter text NOT NULL,
  transaction_id text,
  written_at timestamptz NOT NULL DEFAULT now(),
  bytes bytea NOT NULL);
CREATE INDEX log_entry_file ON log_entry (file, seq);
CREATE TABLE config_block (
  id integer PRIMARY KEY CHECK (id = 1),
  version bigint NOT NULL DEFAULT nextval('change_seq'),
  image bytea NOT NULL CHECK (length(image) = )" + std::to_string(records::cfg::kSize) + R"());
CREATE TABLE config_figure (
  byte_offset integer PRIMARY KEY,
  kind text NOT NULL CHECK (kind IN ('i32', 'i64', 'f32')),
  i32 integer,
  i64 bigint,
  f32 real,
  version bigint NOT NULL DEFAULT nextval('change_seq'));
)";
  for (const auto& t : kRecordTables) {
    const std::string table(t.table);
    sql += "CREATE TABLE " + table + " (\n  slot bigint PRIMARY KEY CHECK (slot >= 0),\n";
    if (t.numbered) sql += "  number bigint NOT NULL,\n";
    sql += "  version bigint NOT NULL DEFAULT nextval('change_seq'),\n";
    sql += "  bytes bytea NOT NULL CHECK (length(bytes) = " + std::to_string(t.record_size) + "));\n";
    if (t.numbered) sql += "CREATE INDEX " + table + "_number ON " + table + " (number);\n";
    sql += "CREATE INDEX " + table + "_version ON " + table + " (version);\n";
  }
  return sql;
}

}  // namespace kelvo::store
