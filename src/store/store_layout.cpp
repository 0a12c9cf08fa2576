#include "store/store_layout.h"

#include <algorithm>

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

bool safe_file_name(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  size_t from = 0;
  while (from <= name.size()) {
    const size_t to = std::min(name.find('/', from), name.size());
    const std::string_view part = name.substr(from, to - from);
    if (part.empty() || part == "." || part == "..") return false;
    from = to + 1;
  }
  return true;
}

std::vector<size_t> log_line_starts(const uint8_t* p, size_t n) {
  std::vector<size_t> starts{0};
  for (size_t i = 2; i + 4 <= n; i += 2)
    if (p[i] == 0x0d && p[i + 1] == 0 && p[i + 2] == 0x0a && p[i + 3] == 0) starts.push_back(i);
  return starts;
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
