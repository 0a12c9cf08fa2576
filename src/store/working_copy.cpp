// The working copy: made whole from one snapshot at start, then written only from the server's
// answers, each changed record moving the counter's indexes the way the opening pass takes it.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <set>

#include "records/file_io.h"
#include "store/config_rows.h"
#include "store/counter_parts.h"
#include "store/log_rows.h"
#include "text/coding.h"

namespace kelvo::store {

namespace {

namespace fs = std::filesystem;
using records::cfg::FigureType;

constexpr size_t kPiece = size_t{64} << 20;

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

}  // namespace

// This counter's own lists, as it last stored them, over the shared block's.
void CounterStore::take_own_stretches(Connection& db) {
  Result own = db.query("SELECT byte_offset, bytes FROM config_counter WHERE counter = $1", {Value::text(settings_.counter)});
  for (int i = 0; i < own.rows(); ++i) {
    const std::string bytes = own.text(i, 1);
    for (const auto& [from, to] : kCounterOwn)
      if (own.i32(i, 0) == static_cast<int32_t>(from) && bytes.size() == to - from)
        std::copy(bytes.begin(), bytes.end(), synced_.begin() + static_cast<long>(from));
  }
}

void CounterStore::make_working_copy() {
  Applying applying(applying_);
  writers_.clear();
  // A folder that keeps a shop of its own is never written over by a copy of another: a working
  // copy's folder is marked by its settings file, written at its first copy.
  const fs::path settings = shop_.path(kSettingsFile);
  const bool marked = fs::exists(settings);
  for (auto name : kRequiredFiles)
    if (!marked && fs::exists(shop_.path(name)))
      throw Refused(shop_.folder().string() + " keeps a shop of its own; give the counter a folder of its own");
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
      // Written in large pieces: the page cache then holds the file in large pages, and the
      // counting pass over it takes a few page faults instead of thousands.
      std::vector<uint8_t> piece;
      piece.reserve(kPiece);
      db.copy_out("SELECT slot, version, bytes FROM " + std::string(kRecordTables[t].table) + " ORDER BY slot",
                  [&](const std::vector<Value>& row) {
                    if (be64(row[0].data.data()) != static_cast<int64_t>(versions.size()))
                      throw Refused(name + " is not held slot after slot");
                    versions.push_back(be64(row[1].data.data()));
                    piece.insert(piece.end(), row[2].data.begin(), row[2].data.end());
                    if (piece.size() >= kPiece) {
                      out.write(piece.data(), piece.size());
                      piece.clear();
                    }
                  });
      out.write(piece.data(), piece.size());
    } else if (kind == "log") {
      read_log_rows(db, name, seen_log_, [&](const uint8_t* p, size_t n) { out.write(p, n); });
    } else if (kind == "config") {
      synced_ = get_config(db);
      parts_.load(db);
      take_own_stretches(db);
      out.write(synced_.data(), synced_.size());
    } else {
      const std::string bytes = db.query("SELECT bytes FROM shop_file WHERE name = $1", {Value::text(name)}).text(0, 0);
      out.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    if (!out.commit()) throw DbError("cannot write " + path.string());
  }
  db.exec("COMMIT");
  if (synced_.size() != records::cfg::kSize) throw Refused("the database holds no configuration block");
  if (!marked) {
    const std::string text = "url=" + settings_.url + "\ncounter=" + settings_.counter + "\n";
    records::write_file_atomic(settings, text.data(), text.size());
  }
  records::remove_file(shop_.path(records::kJournalFile));
}

void CounterStore::write_back(const records::Journal& writes) {
  Applying applying(applying_);
  MappedFiles::Run run(mapped_);
  for (const auto& w : writes) {
    if (w.file == records::files::kConfig || is_log_file(w.file)) continue;
    // The server holds the transaction durably; the working copy need not wait for the disk.
    if (w.whole) {
      records::write_file_atomic(shop_.path(w.file), w.bytes.data(), w.bytes.size(), records::Durability::Scratch);
      mapped_.replaced(shop_.path(w.file));
      continue;
    }
    put(w.file, w.offset, w.bytes.data(), w.bytes.size());
  }
}

void CounterStore::put(const std::string& file, uint64_t offset, const uint8_t* bytes, size_t n) {
  if (table_of(file) >= 0 && mapped_.write(shop_.path(file), offset, bytes, n)) return;
  records::Fd fd(records::open_regular(shop_.path(file), O_WRONLY | O_CREAT));
  if (fd.ok()) records::pwrite_all(fd.get(), bytes, n, offset);
}

bool CounterStore::get(const std::string& file, uint64_t offset, uint8_t* bytes, size_t n) {
  if (table_of(file) >= 0 && mapped_.read(shop_.path(file), offset, bytes, n)) return true;
  return records::read_at(shop_.path(file), offset, bytes, n) == static_cast<long long>(n);
}

// The record files, which the store maps for its own writes already: a pass over every record
// (the status window's figures, the opening's) reads them there.
std::span<const uint8_t> CounterStore::held(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  if (table_of(name) < 0 || file != shop_.path(name)) return {};
  return mapped_.whole(file);
}

// The current film or member, kept between commands, follows the record of its number.
void CounterStore::follow_current(int table, int64_t number, const uint8_t* now) {
  if (number <= 0) return;
  if (table == 0 && shop_.film.number() == number) std::memcpy(shop_.film.data(), now, records::FilmRecord::kSize);
  if (table == 1 && shop_.member.number() == number) std::memcpy(shop_.member.data(), now, records::MemberRecord::kSize);
}

// The answer to a transaction: the versions its records got, which the working copy holds
// already (write_back). When no other counter came between, the marks move past them and the
// log entries and settings it sent are written as sent; otherwise the next refresh brings them
// in their place among the other counters' changes.
void CounterStore::apply_own(const std::vector<ChangeRow>& answer, const Request& r) {
  Applying applying(applying_);
  const bool alone = answer[0].name == "own";
  if (alone) {
    seen_ = std::max(seen_, answer[0].version);
    seen_log_ = std::max(seen_log_, answer[0].slot);
    forget_own();
  }
  for (size_t i = 1; i < answer.size(); ++i) {
    const int t = table_of(answer[i].name);
    const int64_t slot = answer[i].slot;
    if (t < 0 || slot < 0) continue;
    auto& versions = versions_[t];
    if (static_cast<size_t>(slot) >= versions.size()) versions.resize(slot + 1, 0);
    versions[slot] = answer[i].version;
    if (!alone) own_.push_back(versions[slot]);
  }
  if (!alone) {
    other_met_ = transactions_;  // another counter's transaction came between
    return;
  }
  LogAppends logs;
  for (size_t i = 0; i < r.log_files.size(); ++i) {
    auto& bytes = logs[std::string(r.log_files[i].data.begin(), r.log_files[i].data.end())];
    bytes.insert(bytes.end(), r.log_bytes[i].data.begin(), r.log_bytes[i].data.end());
  }
  append_logs(logs);
  write_config_stretches(r.config_moved);
}

// Each log's new entries in one write: a refresh or a transaction brings a few entries a log,
// and each system call is dear on a virtual machine.
void CounterStore::append_logs(const LogAppends& logs) {
  for (const auto& [name, bytes] : logs) {
    const int fd = writer(name, O_WRONLY | O_APPEND | O_CREAT);
    if (fd >= 0) records::write_all(fd, bytes.data(), bytes.size());
  }
}

// A file no longer under its name (replaced by another or removed, unknown to the file helpers)
// is opened anew rather than written where no one will read it.
int CounterStore::writer(const std::string& file, int flags) {
  if (auto held = writers_.find(file); held != writers_.end()) {
    struct stat st {};
    if (::fstat(held->second.get(), &st) == 0 && st.st_nlink > 0) return held->second.get();
    writers_.erase(held);
  }
  const int fd = records::open_regular(shop_.path(file), flags);
  return fd < 0 ? -1 : writers_.try_emplace(file, fd).first->second.get();
}

void CounterStore::forget_own() {
  own_.erase(std::remove_if(own_.begin(), own_.end(), [this](int64_t v) { return v <= seen_; }), own_.end());
}

// Only what moved is written, in place: a transaction moves a few figures of 92 KB. With the
// system calls, not the mapping: stores into the mapped block made a lone counter's rental a
// tenth slower.
void CounterStore::write_config_stretches(std::vector<std::pair<size_t, size_t>> moved) {
  if (moved.empty()) return;
  std::sort(moved.begin(), moved.end());
  const int fd = writer(std::string(records::files::kConfig), O_WRONLY);
  for (size_t i = 0; fd >= 0 && i < moved.size();) {
    auto [from, to] = moved[i];
    for (++i; i < moved.size() && moved[i].first <= to + 512; ++i) to = std::max(to, moved[i].second);
    records::pwrite_all(fd, shop_.config.data() + from, to - from, from);
  }
}

// A running figure as the server now holds it, with what this counter added to it and has not
// stored yet added again; its width, 0 for an offset that is no figure.
size_t CounterStore::settle_figure(size_t at) {
  const std::vector<uint8_t> server = parts_.value(static_cast<int32_t>(at));
  const size_t width = server.size();
  if (width == 0 || at + width > records::cfg::kSize) return 0;
  uint8_t* data = shop_.config.data() + at;
  const uint8_t* was = synced_.data() + at;
  if (std::memcmp(data, was, width) != 0) {
    switch (parts_.type(static_cast<int32_t>(at))) {
      case FigureType::I32: text::put_i32(data, text::get_i32(server.data()) + (text::get_i32(data) - text::get_i32(was))); break;
      case FigureType::I64:
        text::put_i64(data, static_cast<int64_t>(static_cast<uint64_t>(text::get_i64(server.data())) +
                                                 static_cast<uint64_t>(text::get_i64(data)) - static_cast<uint64_t>(text::get_i64(was))));
        break;
      case FigureType::F32:
        text::put_f32(data, static_cast<float>(double{text::get_f32(server.data())} + double{text::get_f32(data)} - double{text::get_f32(was)}));
        break;
    }
  } else {
    std::memcpy(data, server.data(), width);
  }
  std::memcpy(synced_.data() + at, server.data(), width);
  return width;
}

std::vector<CounterStore::ChangeRow> CounterStore::rows_of(const Result& result) {
  std::vector<ChangeRow> rows(static_cast<size_t>(result.rows()));
  for (int i = 0; i < result.rows(); ++i)
    rows[i] = {result.view(i, 0), result.text(i, 1), result.i64(i, 2), result.i64(i, 3), result.view(i, 4)};
  return rows;
}

void CounterStore::apply_changes(const std::vector<ChangeRow>& changes, const Request* own) {
  if (own && !changes.empty() && changes[0].what == "mark" && changes[0].name != "quiet") return apply_own(changes, *own);
  Applying applying(applying_);
  MappedFiles::Run run(mapped_);
  std::set<std::string> whole_logs;
  LogAppends appends;
  std::vector<std::pair<size_t, size_t>> config_moved;  // stretches of the block the server moved
  std::set<int32_t> moved_figures;
  int64_t safe_log = seen_log_;
  uint8_t* data = shop_.config.data();
  uint8_t* was = synced_.data();
  for (const ChangeRow& row : changes) {
    const std::string_view what = row.what, bytes = row.bytes;
    const std::string& name = row.name;
    const int64_t slot = row.slot, version = row.version;
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    if (what == "mark") {
      // Rows newer than the marks are taken now and read again next time, which changes nothing.
      seen_ = std::max(seen_, version);
      safe_log = std::max(safe_log, slot);
    } else if (what == "log") {
      if (whole_logs.count(name)) continue;
      auto& append = appends[name];
      append.insert(append.end(), b, b + bytes.size());
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
      if (t < 0 || bytes.size() != kRecordTables[t].record_size) continue;
      const size_t size = bytes.size();
      auto& versions = versions_[t];
      if (static_cast<size_t>(slot) >= versions.size()) versions.resize(slot + 1, 0);
      // The working copy holds this very version (write_back, or an earlier refresh): a
      // counter's own record back after a crossed commit leaves the current record as the flow
      // left it.
      const bool held = versions[slot] == version;
      versions[slot] = version;
      if (own || held) continue;
      std::vector<uint8_t>& old = record_before_;  // kept between rows: no allocation each
      old.resize(size);
      const bool had = get(name, static_cast<uint64_t>(slot) * size, old.data(), size);
      if (had && std::memcmp(old.data(), b, size) == 0) continue;
      put(name, static_cast<uint64_t>(slot) * size, b, size);
      const uint8_t* before = had ? old.data() : nullptr;
      if (t == 0) follow(shop_.films, slot, before, b, records::FilmRecord::k_title, true);
      if (t == 1) follow(shop_.members, slot, before, b, records::MemberRecord::k_name, true);
      if (before) follow_current(t, text::get_i64(before), b);
      if (t == 2) follow(shop_.stock, slot, before, b, records::StockRecord::k_description, false);
    } else if (what == "config" && bytes.size() == records::cfg::kSize) {
      // A setting this counter changed and has not stored yet stays; every other takes the server's.
      for (const auto& [from, to, own] : setting_spans()) {
        if (own) continue;  // the counter's own lists are its own
        if (std::memcmp(data + from, was + from, to - from) == 0) {
          std::memcpy(data + from, b + from, to - from);
        } else {
          for (size_t k = from; k < to; ++k)
            if (data[k] == was[k]) data[k] = b[k];
        }
        std::memcpy(was + from, b + from, to - from);
      }
      config_moved.emplace_back(0, records::cfg::kSize);
    } else if (what == "part" && bytes.size() == 16) {
      parts_.set(static_cast<int32_t>(slot), name, be64(b), std::bit_cast<double>(be64(b + 8)));
      moved_figures.insert(static_cast<int32_t>(slot));
    }
  }
  for (int32_t at : moved_figures) {
    if (const size_t width = settle_figure(static_cast<size_t>(at))) config_moved.emplace_back(at, at + width);
  }
  append_logs(appends);
  for (const auto& name : whole_logs) {
    records::FileReplacement out(shop_.path(name), records::Durability::Scratch);
    read_log_rows(connection(), name, safe_log, [&](const uint8_t* p, size_t n) { out.write(p, n); });
    out.commit();
  }
  seen_log_ = safe_log;
  forget_own();
  write_config_stretches(std::move(config_moved));
}

}  // namespace kelvo::store
