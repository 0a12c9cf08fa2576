#include <algorithm>
#include <vector>

#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/journal.h"
#include "store/config_rows.h"
#include "store/folder_at_rest.h"
#include "store/pg.h"
#include "store/shop_move.h"
#include "store/store_layout.h"

namespace kelvo::store {

namespace {

namespace fs = std::filesystem;

// Every regular file under the folder, by its path relative to it, in name order. Anything else
// (a link, a device) is refused rather than silently left behind.
std::vector<std::string> shop_files(const fs::path& folder) {
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
    const auto status = it->symlink_status();
    if (fs::is_directory(status)) continue;
    const std::string name = it->path().lexically_relative(folder).generic_string();
    if (!fs::is_regular_file(status)) throw Refused(name + " is not a regular file; move it out of the folder first");
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void check_folder(const fs::path& folder, const std::vector<std::string>& names) {
  for (auto required : kRequiredFiles)
    if (!std::binary_search(names.begin(), names.end(), std::string(required)))
      throw Refused(folder.string() + " holds no shop: " + std::string(required) + " is missing");
  if (std::binary_search(names.begin(), names.end(), std::string(records::kJournalFile)))
    throw Refused(folder.string() + " holds a transaction not yet completed (kelvo.jnl); start kelvo on it once, then import");
  for (const auto& name : names) {
    const auto size = records::file_size(folder / name).value_or(0);
    if (const RecordTable* t = record_table(name); t && size % t->record_size != 0)
      throw Refused(name + " is not a whole number of records; run kelvo-check on the folder");
    if (kind_of(name) == FileKind::Config && size != records::cfg::kSize)
      throw Refused("wr.cfg is not a configuration block of 92,808 bytes; start kelvo on the folder once, then import");
  }
}

// The key of the lock that lets one import at a time into a database.
constexpr const char* kImportLock = "SELECT pg_advisory_xact_lock(7036412)";

void refuse_if_holding_a_shop(Connection& db) {
  // The second of two imports at once waits here, then finds the first one's shop.
  db.exec(kImportLock);
  Result r = db.query("SELECT to_regclass('shop') IS NOT NULL");
  if (r.text(0, 0) != std::string(1, '\1')) return;
  throw Refused("the database already holds a shop; import into an empty database (or another schema)");
}

// The whole file seen at once; the record files of a large shop are a few hundred megabytes.
struct WholeFile {
  WholeFile(const fs::path& file, uint64_t size) : view(file, size), size(size) {
    if (size > 0 && !view.ok()) throw Refused("cannot read " + file.string());
  }
  const uint8_t* data() const { return view.data(); }
  records::FileView view;
  uint64_t size;
};

void put_records(Connection& db, const RecordTable& t, const WholeFile& file, const Progress& progress) {
  const std::string columns = t.numbered ? " (slot, number, bytes)" : " (slot, bytes)";
  Connection::CopyIn copy(db, std::string(t.table) + columns);
  const uint64_t count = file.size / t.record_size;
  for (uint64_t slot = 0; slot < count; ++slot) {
    const uint8_t* record = file.data() + slot * t.record_size;
    std::vector<Value> row{Value::i64(static_cast<int64_t>(slot))};
    if (t.numbered) {
      int64_t number = 0;
      for (int i = 7; i >= 0; --i) number = (number << 8) | record[i];
      row.push_back(Value::i64(number));
    }
    row.push_back(Value::bytes(record, t.record_size));
    copy.row(row);
  }
  copy.end();
  progress(std::string(t.file) + ": " + std::to_string(count) + " records");
}

// The log arrives as one row per line; a line break in the middle of a code unit is no line.
void put_log(Connection& db, const std::string& name, const WholeFile& file, const Progress& progress) {
  Connection::CopyIn copy(db, "log_entry (file, counter, bytes)");
  auto starts = log_line_starts(file.data(), file.size);
  starts.push_back(file.size);
  size_t rows = 0;
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    if (starts[i] == starts[i + 1]) continue;
    copy.row({Value::text(name), Value::text("import"), Value::bytes(file.data() + starts[i], starts[i + 1] - starts[i])});
    ++rows;
  }
  copy.end();
  progress(name + ": " + std::to_string(file.size) + " bytes in " + std::to_string(rows) + " lines");
}

void put_file(Connection& db, const fs::path& folder, const std::string& name, const Progress& progress) {
  const FileKind kind = kind_of(name);
  const uint64_t size = records::file_size(folder / name).value_or(0);
  WholeFile file(folder / name, size);
  std::vector<Value> row{Value::text(name), Value::text(kind_name(kind)), Value::null()};
  if (kind == FileKind::Bytes) row[2] = Value::bytes(file.data(), size);
  db.query("INSERT INTO shop_file (name, kind, bytes) VALUES ($1, $2, $3)", row);
  switch (kind) {
    case FileKind::Records: put_records(db, *record_table(name), file, progress); break;
    case FileKind::Log: put_log(db, name, file, progress); break;
    case FileKind::Config:
      put_config(db, file.data());
      progress(name + ": settings and running figures");
      break;
    case FileKind::Bytes: progress(name + ": " + std::to_string(size) + " bytes"); break;
  }
}

}  // namespace

void import_shop(const fs::path& folder, const std::string& url, const Progress& progress) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw Refused(folder.string() + " is not a folder");
  FolderAtRest at_rest(folder);
  const auto names = shop_files(folder);
  check_folder(folder, names);
  Connection db(url);
  // One transaction: until its commit nobody sees a half-imported shop, and a failure or an
  // interrupted import leaves the database as it was.
  db.exec("BEGIN");
  refuse_if_holding_a_shop(db);
  db.exec(schema_statements());
  db.query("INSERT INTO shop (id, format, imported_from) VALUES (1, $1, $2)",
           {Value::i32(kStoreFormat), Value::text(fs::absolute(folder).string())});
  for (const auto& name : names) put_file(db, folder, name, progress);
  db.exec("COMMIT");
}

}  // namespace kelvo::store
