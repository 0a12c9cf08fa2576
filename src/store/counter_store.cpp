#include "store/counter_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <utility>

#include "records/config_figures.h"
#include "records/file_io.h"
#include "store/config_rows.h"
#include "store/counter_sql.h"
#include "store/store_layout.h"
#include "text/coding.h"

namespace kelvo::store {

namespace {

namespace fs = std::filesystem;
using records::cfg::FigureType;

// Every counter of the process, each told of the changes below its own folder.
std::vector<CounterStore*>& hooked() {
  static std::vector<CounterStore*> stores;
  return stores;
}

int table_of(std::string_view file) {
  for (size_t i = 0; i < std::size(kRecordTables); ++i)
    if (kRecordTables[i].file == file) return static_cast<int>(i);
  return -1;
}

// For each byte of the block, whether it belongs to a running figure.
const std::vector<bool>& figure_bytes() {
  static const std::vector<bool> bytes = [] {
    std::vector<bool> b(records::cfg::kSize, false);
    for (const auto& run : records::cfg::kRunningFigures)
      std::fill_n(b.begin() + static_cast<long>(run.offset), records::cfg::figure_width(run.type) * run.count, true);
    return b;
  }();
  return bytes;
}

std::string host_name() {
  char name[256] = {};
  return ::gethostname(name, sizeof name - 1) == 0 && name[0] ? name : "counter";
}

std::string trim(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.pop_back();
  size_t from = s.find_first_not_of(" \t");
  return from == std::string::npos ? std::string() : s.substr(from);
}

const char16_t* changed_words(std::string_view what) {
  if (what.find(" of member ") != std::string_view::npos)
    return u"This member was changed at another counter. Nothing was saved; please try again.";
  if (what.find(" of film ") != std::string_view::npos)
    return u"This film was changed at another counter. Nothing was saved; please try again.";
  if (what.find(" of stock ") != std::string_view::npos)
    return u"This stock line was changed at another counter. Nothing was saved; please try again.";
  return u"The reservations were changed at another counter. Nothing was saved; please try again.";
}

constexpr char16_t kUnreachable[] = u"The database server cannot be reached. Nothing was saved; please try again.";

Value bytes_value(const uint8_t* p, size_t n) { return Value::bytes(p, n); }
Value bool_value(bool b) { return Value{{static_cast<uint8_t>(b ? 1 : 0)}, false}; }

// The record's number as the file holds it, and the form the index keeps it in.
int64_t index_number(const uint8_t* record, bool normalise) {
  const int64_t n = text::get_i64(record);
  return normalise && n <= 0 ? -1 : n;
}

records::Prefix prefix_of(const uint8_t* field) {
  records::Prefix p{static_cast<char16_t>(text::get_u16(field)), static_cast<char16_t>(text::get_u16(field + 2))};
  if (p[0] == 0) p[1] = 0;
  return p;
}

// Memory follows a slot another counter changed: its index entry, prefix and the counts, the
// same way the opening pass would have taken the record.
template <class R>
void follow(records::RecordStore<R>& store, int64_t slot, const uint8_t* old, const uint8_t* now, size_t prefix_at,
            bool normalise) {
  const int64_t number = index_number(now, normalise);
  const records::Prefix prefix = prefix_of(now + prefix_at);
  auto& counts = store.counts();
  if (old) {
    const int64_t was = index_number(old, normalise);
    if (was == number && prefix_of(old + prefix_at) == prefix) return;
    store.index().erase(was, slot);
    (was < 0 ? counts.deleted : counts.live) -= 1;
  } else if (slot >= counts.total) {
    counts.total = slot + 1;
  }
  store.index().insert(number, slot);
  (number < 0 ? counts.deleted : counts.live) += 1;
  if (static_cast<size_t>(slot) >= store.prefixes().size()) store.prefixes().resize(slot + 1, records::Prefix{0, 0});
  store.prefixes()[slot] = number < 0 && normalise ? records::Prefix{0, 0} : prefix;
}

class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Applying() { flag_ = was_; }

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

struct CounterStore::Request {
  std::vector<Value> tbls, slots, versions, numbers, fresh, images;
  std::vector<Value> fig_offsets, int_deltas, float_deltas;
  std::vector<Value> set_offsets, set_bytes;
  std::vector<Value> log_files, log_bytes, whole_logs;
  Value rename_from = Value::null(), rename_to = Value::null();
  std::vector<Value> file_names, file_bytes;
  std::vector<uint8_t> config;  // the block whose differences were added
  std::string txid;
  bool empty() const {
    return tbls.empty() && fig_offsets.empty() && set_offsets.empty() && log_files.empty() && whole_logs.empty() &&
           rename_from.is_null && file_names.empty();
  }
};

std::optional<CounterSettings> read_counter_settings(const fs::path& folder) {
  std::ifstream in(folder / std::string(kSettingsFile));
  if (!in) return std::nullopt;
  CounterSettings s;
  for (std::string line; std::getline(in, line);) {
    line = trim(line);
    if (line.rfind("url=", 0) == 0) s.url = trim(line.substr(4));
    if (line.rfind("counter=", 0) == 0) s.counter = trim(line.substr(8));
  }
  if (s.url.empty()) return std::nullopt;
  return s;
}

bool counter_own_file(std::string_view name) {
  if (name == "kelvo.lock" || name == "kelvo.jnl" || name == kSettingsFile) return true;
  for (const auto& part : fs::path(name))
    if (!part.empty() && part.string()[0] == '.') return true;
  return false;
}

CounterStore::CounterStore(CounterSettings settings, records::Shop& shop)
    : settings_(std::move(settings)), shop_(shop) {
  if (settings_.counter.empty()) settings_.counter = host_name();
  hooked().push_back(this);
  records::set_changed_hook([](const fs::path& file, uint64_t offset, uint64_t length) {
    for (CounterStore* store : hooked()) store->file_changed(file, offset, length);
  });
}

CounterStore::~CounterStore() {
  auto& stores = hooked();
  stores.erase(std::remove(stores.begin(), stores.end(), this), stores.end());
  if (stores.empty()) records::set_changed_hook(nullptr);
}

Connection& CounterStore::connection() {
  if (db_) return *db_;
  auto db = std::make_unique<Connection>(settings_.url);
  // Counters connecting at once would update the same catalogue rows: one at a time.
  db->exec("SELECT pg_advisory_lock(7165003)");
  db->exec(counter_functions());
  db->exec("SELECT pg_advisory_unlock(7165003)");
  db_ = std::move(db);
  return *db_;
}

void CounterStore::drop_connection() { db_.reset(); }

void CounterStore::make_working_copy() {
  Applying applying(applying_);
  Connection& db = connection();
  // The marks first, in a statement before the snapshot: what commits in between is read again.
  Result marks = db.query("SELECT safe, safe_log FROM kelvo_marks()");
  seen_ = marks.i64(0, 0);
  seen_log_ = marks.i64(0, 1);
  db.exec("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
  if (db.query("SELECT to_regclass('shop') IS NOT NULL").text(0, 0) != std::string(1, '\1'))
    throw Refused("the database holds no shop");
  Result shop = db.query("SELECT format FROM shop WHERE id = 1");
  if (shop.rows() != 1 || shop.i32(0, 0) != kStoreFormat) throw Refused("the database holds a shop of another format");
  Result files = db.query("SELECT name, kind, version FROM shop_file ORDER BY name");
  for (int i = 0; i < files.rows(); ++i) {
    const std::string name = files.text(i, 0), kind = files.text(i, 1);
    if (!safe_file_name(name) || kind != kind_name(kind_of(name)))
      throw Refused("the database names a file that cannot be in a shop folder: " + name);
    known_files_.insert(name);
    const fs::path path = shop_.path(name);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    records::FileReplacement out(path, records::Durability::Scratch);
    if (kind == "records") {
      const int t = table_of(name);
      auto& versions = versions_[t];
      versions.clear();
      db.copy_out("SELECT slot, version, bytes FROM " + std::string(kRecordTables[t].table) + " ORDER BY slot",
                  [&](const std::vector<Value>& row) {
                    if (be64(row[0].data.data()) != static_cast<int64_t>(versions.size()))
                      throw Refused(name + " is not held slot after slot");
                    versions.push_back(be64(row[1].data.data()));
                    out.write(row[2].data.data(), row[2].data.size());
                  });
    } else if (kind == "log") {
      db.copy_out("SELECT bytes FROM log_entry WHERE file = '" + name + "' AND seq <= " + std::to_string(seen_log_) + " ORDER BY seq",
                  [&](const std::vector<Value>& row) { out.write(row[0].data.data(), row[0].data.size()); });
    } else if (kind == "config") {
      synced_ = get_config(db);
      out.write(synced_.data(), synced_.size());
    } else {
      const std::string bytes = db.query("SELECT bytes FROM shop_file WHERE name = $1", {Value::text(name)}).text(0, 0);
      out.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    if (!out.commit()) throw DbError("cannot write " + path.string());
  }
  db.exec("COMMIT");
  if (synced_.size() != records::cfg::kSize) throw Refused("the database holds no configuration block");
  records::remove_file(shop_.path(records::kJournalFile));
}

void CounterStore::add_record_writes(Request& r, std::string_view file, uint64_t offset, const uint8_t* bytes,
                                     size_t len) {
  const int t = table_of(file);
  const RecordTable& table = kRecordTables[t];
  const size_t size = table.record_size;
  for (size_t at = 0; at + size <= len; at += size) {
    const int64_t slot = static_cast<int64_t>((offset + at) / size);
    const uint8_t* record = bytes + at;
    const int64_t number = table.numbered ? text::get_i64(record) : 0;
    uint8_t held[8] = {};
    const bool had = records::read_at(shop_.path(file), static_cast<uint64_t>(slot) * size, held, 8) == 8;
    const bool fresh = table.numbered && number > 0 && (!had || text::get_i64(held) != number);
    const auto& versions = versions_[t];
    Value version = static_cast<size_t>(slot) < versions.size() && versions[slot] > 0 ? Value::i64(versions[slot]) : Value::null();
    // A record written twice in one transaction goes to the server once, as last written.
    bool replaced = false;
    for (size_t i = 0; i < r.tbls.size() && !replaced; ++i) {
      if (r.tbls[i].data != Value::text(table.table).data || be64(r.slots[i].data.data()) != slot) continue;
      r.images[i] = bytes_value(record, size);
      r.numbers[i] = Value::i64(number);
      r.fresh[i] = bool_value(fresh);
      replaced = true;
    }
    if (replaced) continue;
    r.tbls.push_back(Value::text(table.table));
    r.slots.push_back(Value::i64(slot));
    r.versions.push_back(version);
    r.numbers.push_back(Value::i64(number));
    r.fresh.push_back(bool_value(fresh));
    r.images.push_back(bytes_value(record, size));
  }
}

// Running figures go as what this counter added to them, so that two counters' takings add up;
// every other byte that differs goes as it is, range by range.
void CounterStore::add_config(Request& r, const uint8_t* block) {
  r.config.assign(block, block + records::cfg::kSize);
  const uint8_t* was = synced_.data();
  for (const auto& run : records::cfg::kRunningFigures) {
    const size_t width = records::cfg::figure_width(run.type);
    for (int k = 0; k < run.count; ++k) {
      const size_t at = run.offset + width * static_cast<size_t>(k);
      if (std::memcmp(block + at, was + at, width) == 0) continue;
      int64_t whole = 0;
      double part = 0;
      if (run.type == FigureType::I32) whole = int64_t{text::get_i32(block + at)} - text::get_i32(was + at);
      if (run.type == FigureType::I64)
        whole = static_cast<int64_t>(static_cast<uint64_t>(text::get_i64(block + at)) - static_cast<uint64_t>(text::get_i64(was + at)));
      if (run.type == FigureType::F32) part = double{text::get_f32(block + at)} - double{text::get_f32(was + at)};
      r.fig_offsets.push_back(Value::i32(static_cast<int32_t>(at)));
      r.int_deltas.push_back(Value::i64(whole));
      r.float_deltas.push_back(Value::f64(part));
    }
  }
  const auto& figure = figure_bytes();
  for (size_t i = 0; i < records::cfg::kSize;) {
    if (figure[i] || block[i] == was[i]) {
      ++i;
      continue;
    }
    // Changes a few bytes apart (the entries of one list) go as one range.
    size_t end = i;
    for (size_t k = i; k < records::cfg::kSize && k < end + 32 && !figure[k]; ++k)
      if (block[k] != was[k]) end = k + 1;
    r.set_offsets.push_back(Value::i32(static_cast<int32_t>(i)));
    r.set_bytes.push_back(bytes_value(block + i, end - i));
    i = end;
  }
}

CounterStore::Sent CounterStore::send(Request& r, std::optional<Result>& answer) {
  if (r.empty()) return Sent::Stored;
  if (std::getenv("KELVO_DB_TRACE"))
    std::fprintf(stderr, "records %zu figures %zu ranges %zu logs %zu files %zu\n", r.tbls.size(), r.fig_offsets.size(),
                 r.set_offsets.size(), r.log_files.size(), r.file_names.size());
  r.txid = settings_.counter + " " + std::to_string(::getpid()) + " " + std::to_string(++transactions_);
  const std::vector<Value> params{
      Value::i64(seen_), Value::i64(seen_log_), Value::text(settings_.counter), Value::text(r.txid),
      Value::array(25, r.tbls), Value::array(20, r.slots), Value::array(20, r.versions), Value::array(20, r.numbers),
      Value::array(16, r.fresh), Value::array(17, r.images), Value::array(23, r.fig_offsets),
      Value::array(20, r.int_deltas), Value::array(701, r.float_deltas), Value::array(23, r.set_offsets),
      Value::array(17, r.set_bytes), Value::array(25, r.log_files), Value::array(17, r.log_bytes),
      Value::array(25, r.whole_logs), r.rename_from, r.rename_to, Value::array(25, r.file_names),
      Value::array(17, r.file_bytes)};
  try {
    Connection& db = connection();
    if (day_close_) db.exec("SAVEPOINT kelvo_write");
    answer.emplace(db.query(
        "SELECT * FROM kelvo_commit($1, $2, $3, $4, $5::text[], $6::bigint[], $7::bigint[], $8::bigint[],"
        " $9::boolean[], $10::bytea[], $11::integer[], $12::bigint[], $13::float8[], $14::integer[], $15::bytea[],"
        " $16::text[], $17::bytea[], $18::text[], $19::text, $20::text, $21::text[], $22::bytea[])",
        params));
    if (day_close_) db.exec("RELEASE SAVEPOINT kelvo_write");
    return Sent::Stored;
  } catch (const DbError& e) {
    if (!e.connection_lost()) {
      if (day_close_) {
        try {
          db_->exec("ROLLBACK TO SAVEPOINT kelvo_write");
        } catch (const DbError&) {
        }
      }
      refused(e);
      return Sent::Refused;
    }
  }
  drop_connection();
  // The answer was lost on the way: the transaction stands when its log entries are there.
  if (!day_close_ && !r.log_files.empty()) {
    try {
      if (connection().query("SELECT 1 FROM log_entry WHERE transaction_id = $1 LIMIT 1", {Value::text(r.txid)}).rows() == 1)
        return Sent::Stored;
    } catch (const DbError&) {
      drop_connection();
    }
  }
  day_close_ = false;
  unreachable();
  return Sent::Unreachable;
}

void CounterStore::refused(const DbError& e) {
  const std::string what = e.what();
  if (e.sqlstate() == kChangedElsewhere) shop_.op().message(u"Problem", changed_words(what));
  else if (e.sqlstate() == kNumberTaken) shop_.op().message(u"Problem", u"Number in use.");
  else shop_.op().message(u"Problem", text::from_utf8("The database server refused the change (" + what + "). Nothing was saved."));
}

void CounterStore::unreachable() { shop_.op().message(u"Problem", kUnreachable); }

bool CounterStore::commit(const records::Journal& writes) {
  Request r;
  for (const auto& w : writes) {
    if (w.file == records::files::kConfig) continue;  // the block is compared whole below
    if (is_log_file(w.file)) {
      r.log_files.push_back(Value::text(w.file));
      r.log_bytes.push_back(bytes_value(w.bytes.data(), w.bytes.size()));
    } else if (table_of(w.file) >= 0) {
      add_record_writes(r, w.file, w.offset, w.bytes.data(), w.bytes.size());
    } else {
      std::vector<uint8_t> whole = w.whole ? w.bytes : records::read_whole(shop_.path(w.file)).value_or(std::vector<uint8_t>{});
      if (!w.whole) {
        if (whole.size() < w.offset + w.bytes.size()) whole.resize(w.offset + w.bytes.size());
        std::copy(w.bytes.begin(), w.bytes.end(), whole.begin() + static_cast<long>(w.offset));
      }
      r.file_names.push_back(Value::text(w.file));
      r.file_bytes.push_back(bytes_value(whole.data(), whole.size()));
    }
  }
  add_config(r, shop_.config.data());
  std::optional<Result> answer;
  if (send(r, answer) != Sent::Stored) return false;
  write_back(writes);
  synced_ = r.config;
  if (answer) apply_changes(*answer);
  else refresh();
  return true;
}

// The transaction's records and files written into the working copy before the server's
// answer is applied, so that memory, which the flow already moved, is not moved twice.
void CounterStore::write_back(const records::Journal& writes) {
  Applying applying(applying_);
  for (const auto& w : writes) {
    if (w.file == records::files::kConfig || is_log_file(w.file)) continue;
    // The server holds the transaction durably; the working copy need not wait for the disk.
    if (w.whole) {
      records::write_file_atomic(shop_.path(w.file), w.bytes.data(), w.bytes.size(), records::Durability::Scratch);
      continue;
    }
    records::Fd fd(records::open_regular(shop_.path(w.file), O_WRONLY | O_CREAT));
    if (fd.ok()) records::pwrite_all(fd.get(), w.bytes.data(), w.bytes.size(), w.offset);
  }
}

void CounterStore::refresh() {
  if (day_close_) return;
  try {
    Result changes = connection().query("SELECT * FROM kelvo_changes($1, $2)", {Value::i64(seen_), Value::i64(seen_log_)});
    apply_changes(changes);
  } catch (const DbError&) {
    drop_connection();
  }
}

void CounterStore::apply_changes(const Result& changes) {
  Applying applying(applying_);
  std::set<std::string> whole_logs;
  std::map<std::string, std::unique_ptr<records::Fd>> open;
  auto file = [&](const std::string& name, int flags) -> int {
    auto& fd = open[name];
    if (!fd) fd = std::make_unique<records::Fd>(records::open_regular(shop_.path(name), flags | O_CREAT));
    return fd->get();
  };
  bool config_moved = false;
  int64_t safe_log = seen_log_;
  uint8_t* data = shop_.config.data();
  uint8_t* was = synced_.data();
  for (int i = 0; i < changes.rows(); ++i) {
    const std::string what = changes.text(i, 0), name = changes.text(i, 1), bytes = changes.text(i, 4);
    const int64_t slot = changes.i64(i, 2), version = changes.i64(i, 3);
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    if (what == "mark") {
      // Rows newer than the marks are taken now and read again next time, which changes nothing.
      seen_ = std::max(seen_, version);
      safe_log = std::max(safe_log, slot);
    } else if (what == "log") {
      if (!whole_logs.count(name)) records::write_all(file(name, O_WRONLY | O_APPEND), b, bytes.size());
    } else if (what == "file") {
      known_files_.insert(name);
      if (!safe_file_name(name) || counter_own_file(name)) continue;
      if (kind_of(name) == FileKind::Log) whole_logs.insert(name);
      if (kind_of(name) == FileKind::Bytes) {
        std::error_code ec;
        fs::create_directories(shop_.path(name).parent_path(), ec);
        records::write_file_atomic(shop_.path(name), b, bytes.size(), records::Durability::Scratch);
      }
    } else if (what == "record") {
      const int t = table_of(name);
      const size_t size = kRecordTables[t].record_size;
      if (t < 0 || bytes.size() != size) continue;
      const int fd = file(name, O_RDWR);
      std::vector<uint8_t> old(size);
      const bool had = records::pread_all(fd, old.data(), size, static_cast<uint64_t>(slot) * size) == static_cast<long long>(size);
      records::pwrite_all(fd, b, size, static_cast<uint64_t>(slot) * size);
      auto& versions = versions_[t];
      if (static_cast<size_t>(slot) >= versions.size()) versions.resize(slot + 1, 0);
      versions[slot] = version;
      const uint8_t* before = had ? old.data() : nullptr;
      if (t == 0) follow(shop_.films, slot, before, b, records::FilmRecord::k_title, true);
      if (t == 1) follow(shop_.members, slot, before, b, records::MemberRecord::k_name, true);
      if (t == 2) follow(shop_.stock, slot, before, b, records::StockRecord::k_description, false);
    } else if (what == "config" && bytes.size() == records::cfg::kSize) {
      // A setting this counter changed and has not stored yet stays; every other takes the server's.
      const auto& figure = figure_bytes();
      for (size_t k = 0; k < records::cfg::kSize; ++k) {
        if (figure[k]) continue;
        if (data[k] == was[k]) data[k] = b[k];
        was[k] = b[k];
      }
      config_moved = true;
    } else if (what == "figure") {
      const size_t at = static_cast<size_t>(slot), width = bytes.size();
      if (at + width > records::cfg::kSize || (width != 4 && width != 8)) continue;
      std::vector<uint8_t> server(width);
      std::reverse_copy(b, b + width, server.begin());
      // What this counter added and has not stored yet is added to the server's figure again.
      if (std::memcmp(data + at, was + at, width) != 0) {
        if (name == "i32") text::put_i32(data + at, text::get_i32(server.data()) + (text::get_i32(data + at) - text::get_i32(was + at)));
        if (name == "i64")
          text::put_i64(data + at, static_cast<int64_t>(static_cast<uint64_t>(text::get_i64(server.data())) +
                                                        static_cast<uint64_t>(text::get_i64(data + at)) - static_cast<uint64_t>(text::get_i64(was + at))));
        if (name == "f32")
          text::put_f32(data + at, static_cast<float>(double{text::get_f32(server.data())} + double{text::get_f32(data + at)} - double{text::get_f32(was + at)}));
      } else {
        std::memcpy(data + at, server.data(), width);
      }
      std::memcpy(was + at, server.data(), width);
      config_moved = true;
    }
  }
  open.clear();
  for (const auto& name : whole_logs) {
    records::FileReplacement out(shop_.path(name), records::Durability::Scratch);
    connection().copy_out("SELECT bytes FROM log_entry WHERE file = '" + name + "' AND seq <= " + std::to_string(safe_log) + " ORDER BY seq",
                          [&](const std::vector<Value>& row) { out.write(row[0].data.data(), row[0].data.size()); });
    out.commit();
  }
  seen_log_ = safe_log;
  if (config_moved) {
    records::write_file_atomic(shop_.path(records::files::kConfig), shop_.config.data(), records::cfg::kSize,
                               records::Durability::Scratch);
  }
}

bool CounterStore::begin_day_close() {
  try {
    Connection& db = connection();
    db.exec("BEGIN");
    db.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kDayLock) + ")");
    day_close_ = true;
    Result changes = db.query("SELECT * FROM kelvo_changes($1, $2)", {Value::i64(seen_), Value::i64(seen_log_)});
    apply_changes(changes);
    return true;
  } catch (const DbError&) {
    day_close_ = false;
    drop_connection();
    unreachable();
    return false;
  }
}

bool CounterStore::end_day_close() {
  if (!day_close_) return false;  // the server went away during the close
  day_close_ = false;
  try {
    db_->exec("COMMIT");
    return true;
  } catch (const DbError&) {
    drop_connection();
    unreachable();
    return false;
  }
}

void CounterStore::file_changed(const fs::path& path, uint64_t offset, uint64_t length) {
  const bool moved = offset == records::kMovedAway;
  if (applying_ || (!moved && offset != records::kWholeFile && length == 0)) return;
  const fs::path relative = path.lexically_relative(shop_.folder());
  const std::string name = relative.generic_string();
  if (relative.empty() || name.rfind("..", 0) == 0 || relative.is_absolute() || counter_own_file(name)) return;
  if (moved) {
    moved_from_ = name;
    return;
  }
  const std::string moved_from = std::exchange(moved_from_, std::string());
  const bool whole = offset == records::kWholeFile;
  auto content = records::read_whole(path);
  if (!content && !known_files_.count(name)) return;  // a work file that came and went
  Request r;
  switch (kind_of(name)) {
    case FileKind::Config:
      if (!content || content->size() != records::cfg::kSize) return;
      add_config(r, content->data());
      break;
    case FileKind::Records: {
      if (!content) return;
      const size_t size = kRecordTables[table_of(name)].record_size;
      const uint64_t from = whole ? 0 : offset / size * size;
      const uint64_t to = whole ? content->size() / size * size : std::min<uint64_t>(content->size() / size * size, (offset + length + size - 1) / size * size);
      if (from < to) add_record_writes(r, name, from, content->data() + from, to - from);
      break;
    }
    case FileKind::Log:
      if (!moved_from.empty() && kind_of(moved_from) == FileKind::Log) {
        r.rename_from = Value::text(moved_from);
        r.rename_to = Value::text(name);
      } else if (whole || !content || offset + length > content->size()) {
        r.whole_logs.push_back(Value::text(name));
        if (!content) break;
        auto starts = log_line_starts(content->data(), content->size());
        starts.push_back(content->size());
        for (size_t i = 0; i + 1 < starts.size(); ++i) {
          r.log_files.push_back(Value::text(name));
          r.log_bytes.push_back(bytes_value(content->data() + starts[i], starts[i + 1] - starts[i]));
        }
      } else {
        r.log_files.push_back(Value::text(name));
        r.log_bytes.push_back(bytes_value(content->data() + offset, length));
      }
      break;
    case FileKind::Bytes:
      r.file_names.push_back(Value::text(name));
      r.file_bytes.push_back(content ? bytes_value(content->data(), content->size()) : Value::null());
      break;
  }
  std::optional<Result> answer;
  if (send(r, answer) != Sent::Stored) return;
  if (!r.config.empty()) synced_ = r.config;
  if (answer) apply_changes(*answer);
  else refresh();
}

}  // namespace kelvo::store
