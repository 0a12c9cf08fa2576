#include <algorithm>
#include <vector>

#include "records/file_io.h"
#include "store/config_rows.h"
#include "store/folder_at_rest.h"
#include "store/log_rows.h"
#include "store/pg.h"
#include "store/shop_move.h"
#include "store/store_layout.h"

namespace kelvo::store {

namespace {

namespace fs = std::filesystem;

// The folder to export into, empty or new; what the export put there goes again if it fails.
class NewFolder {
 public:
  explicit NewFolder(const fs::path& folder) : folder_(folder) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder, ec))) {
      if (!fs::is_directory(fs::symlink_status(folder, ec)) || !fs::is_empty(folder, ec))
        throw Refused(folder.string() + " is not an empty folder; export into a new one");
    } else {
      if (!fs::create_directories(folder, ec)) throw Refused("cannot create " + folder.string() + ": " + ec.message());
      created_ = true;
    }
  }
  ~NewFolder() {
    if (kept_) return;
    std::error_code ec;
    if (created_) {
      fs::remove_all(folder_, ec);
      return;
    }
    for (const auto& entry : fs::directory_iterator(folder_, ec)) fs::remove_all(entry.path(), ec);
  }
  NewFolder(const NewFolder&) = delete;
  NewFolder& operator=(const NewFolder&) = delete;
  void keep() { kept_ = true; }

 private:
  fs::path folder_;
  bool created_ = false;
  bool kept_ = false;
};

// A file written whole through the one replacement of the records layer, its folder made first.
class OutFile {
 public:
  OutFile(const fs::path& folder, const std::string& name) : path_(folder / name), out_(prepare(path_)) {
    if (!out_.opened()) throw std::runtime_error("cannot write " + path_.string());
  }
  void write(const uint8_t* p, size_t n) { out_.write(p, n); }
  void commit() {
    if (!out_.commit()) throw std::runtime_error("cannot write " + path_.string());
  }

 private:
  static fs::path prepare(const fs::path& file) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return file;
  }
  fs::path path_;
  records::FileReplacement out_;
};

void get_records(Connection& db, const RecordTable& t, OutFile& out, const Progress& progress) {
  int64_t next = 0;
  db.copy_out("SELECT slot, bytes FROM " + std::string(t.table) + " ORDER BY slot", [&](const std::vector<Value>& row) {
    // Slots are positions in the file: a gap or a record of the wrong size would shift every
    // record after it.
    if (be64(row[0].data.data()) != next || row[1].data.size() != t.record_size)
      throw Refused(std::string(t.table) + " rows are not slots 0, 1, 2, ... of " + std::to_string(t.record_size) + " bytes");
    out.write(row[1].data.data(), row[1].data.size());
    ++next;
  });
  progress(std::string(t.file) + ": " + std::to_string(next) + " records");
}

void get_log(Connection& db, const std::string& name, OutFile& out, const Progress& progress) {
  uint64_t bytes = 0;
  read_log_rows(db, name, std::nullopt, [&](const uint8_t* p, size_t n) {
    out.write(p, n);
    bytes += n;
  });
  progress(name + ": " + std::to_string(bytes) + " bytes");
}

void get_file(Connection& db, const fs::path& folder, const std::string& name, const std::string& kind,
              const Progress& progress) {
  if (!safe_file_name(name)) throw Refused("the database names a file outside the shop folder: " + name);
  if (kind != kind_name(kind_of(name))) throw Refused("the database keeps " + name + " as " + kind + ", which it cannot be");
  OutFile out(folder, name);
  if (kind == "records") {
    get_records(db, *record_table(name), out, progress);
  } else if (kind == "log") {
    get_log(db, name, out, progress);
  } else if (kind == "config") {
    const auto block = get_config(db);
    out.write(block.data(), block.size());
    progress(name + ": settings and running figures");
  } else {
    Result r = db.query("SELECT bytes FROM shop_file WHERE name = $1", {Value::text(name)});
    const std::string bytes = r.text(0, 0);
    out.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    progress(name + ": " + std::to_string(bytes.size()) + " bytes");
  }
  out.commit();
}

// One snapshot: the files read in it agree with one another even while counters work on the shop.
void begin_snapshot(Connection& db) {
  db.exec("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
  if (db.query("SELECT to_regclass('shop') IS NOT NULL").text(0, 0) != std::string(1, '\1'))
    throw Refused("the database holds no shop");
  Result shop = db.query("SELECT format FROM shop WHERE id = 1");
  if (shop.rows() != 1 || shop.i32(0, 0) != kStoreFormat)
    throw Refused("the database holds a shop of another format than this kelvo-db reads");
}

}  // namespace

void export_shop(const std::string& url, const fs::path& folder, const Progress& progress) {
  Connection db(url);
  begin_snapshot(db);
  NewFolder out(folder);
  Result files = db.query("SELECT name, kind FROM shop_file ORDER BY name");
  for (int i = 0; i < files.rows(); ++i) get_file(db, folder, files.text(i, 0), files.text(i, 1), progress);
  db.exec("COMMIT");
  out.keep();
}

void export_shop_file(const std::string& url, const std::string& name, const fs::path& folder) {
  FolderAtRest at_rest(folder);
  Connection db(url);
  begin_snapshot(db);
  Result file = db.query("SELECT kind FROM shop_file WHERE name = $1", {Value::text(name)});
  if (file.rows() != 1) throw Refused("the database holds no " + name);
  get_file(db, folder, name, file.text(0, 0), [](std::string_view) {});
  db.exec("COMMIT");
}

}  // namespace kelvo::store
