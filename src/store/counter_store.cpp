#include "store/counter_store.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <fstream>

#include "records/file_io.h"
#include "store/counter_parts.h"
#include "store/counter_sql.h"

namespace kelvo::store {

namespace {

namespace fs = std::filesystem;

// Every counter of the process, each told of the changes below its own folder.
std::vector<CounterStore*>& hooked() {
  static std::vector<CounterStore*> stores;
  return stores;
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

}  // namespace

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
  // A process number comes round again, on the same machine and the same day: with the time of
  // the start, a transaction's identifier is never an earlier run's, which a lost answer would
  // have taken for its own.
  const auto started = std::chrono::system_clock::now().time_since_epoch();
  run_ = std::to_string(::getpid()) + "." +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(started).count());
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
  db->prepare("changes", "SELECT * FROM kelvo_changes($1, $2, $3::bigint[])");
  db->prepare("commit",
              "SELECT * FROM kelvo_commit($1, $2, $3, $4, $5::text[], $6::bigint[], $7::bigint[], $8::bigint[],"
              " $9::boolean[], $10::bytea[], $11::integer[], $12::bigint[], $13::float8[], $14::integer[], $15::bytea[],"
              " $16::text[], $17::bytea[], $18::text[], $19::text, $20::text, $21::text[], $22::bytea[], $23::text)");
  db->prepare("drawn", "SELECT (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM change_seq),"
                       " (SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM log_seq)");
  // From here on every transaction that commits tells this counter of itself.
  db->exec("LISTEN kelvo");
  drawn_before_ = {INT64_MAX, INT64_MAX};  // what came before it: the first refresh asks
  db_ = std::move(db);
  return *db_;
}

void CounterStore::drop_connection() { db_.reset(); }

CounterStore::Sent CounterStore::send(Request& r, std::optional<Result>& answer) {
  r.txid = settings_.counter + " " + run_ + " " + std::to_string(++transactions_);
  const std::vector<Value> params{
      Value::i64(seen_), Value::i64(seen_log_), Value::text(settings_.counter), Value::text(r.txid),
      Value::array(25, r.tbls), Value::array(20, r.slots), Value::array(20, r.versions), Value::array(20, r.numbers),
      Value::array(16, r.fresh), Value::array(17, r.images), Value::array(23, r.fig_offsets),
      Value::array(20, r.int_deltas), Value::array(701, r.float_deltas), Value::array(23, r.set_offsets),
      Value::array(17, r.set_bytes), Value::array(25, r.log_files), Value::array(17, r.log_bytes),
      Value::array(25, r.whole_logs), r.rename_from, r.rename_to, Value::array(25, r.file_names),
      Value::array(17, r.file_bytes), r.notice};
  try {
    Connection& db = connection();
    if (day_close_) db.exec("SAVEPOINT kelvo_write");
    answer.emplace(db.run_prepared("commit", params));
    if (day_close_) db.exec("RELEASE SAVEPOINT kelvo_write");
    return stored(r);
  } catch (const DbError& e) {
    if (!e.connection_lost()) {
      try {
        if (day_close_) db_->exec("ROLLBACK TO SAVEPOINT kelvo_write");
        db_->exec("SELECT pg_advisory_unlock(" + std::to_string(kWriteLock) + ")");
      } catch (const DbError&) {
        drop_connection();
      }
      refused(e);
      return Sent::Refused;
    }
  }
  drop_connection();
  if (!day_close_) {
    try {
      if (stood(r)) return stored(r);
    } catch (const DbError&) {
      drop_connection();
    }
  }
  day_close_ = false;
  unreachable();
  return Sent::Unreachable;
}

// The answer was lost on the way: the transaction stands when the server holds its identifier,
// with its log entries or, for one that wrote none, among such commits. Told it did not, the
// operator would do again what stood: a figure added twice.
bool CounterStore::stood(const Request& r) {
  const char* sql = r.log_files.empty() ? "SELECT 1 FROM counter_commit WHERE transaction_id = $1"
                                        : "SELECT 1 FROM log_entry WHERE transaction_id = $1 LIMIT 1";
  return connection().query(sql, {Value::text(r.txid)}).rows() == 1;
}

// The server added the transaction's figures to this counter's parts: so does the counter.
CounterStore::Sent CounterStore::stored(const Request& r) {
  for (size_t i = 0; i < r.fig_offsets.size(); ++i)
    parts_.add(be32(r.fig_offsets[i].data.data()), settings_.counter, be64(r.int_deltas[i].data.data()),
               std::bit_cast<double>(be64(r.float_deltas[i].data.data())));
  return Sent::Stored;
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
      r.log_bytes.push_back(Value::bytes(w.bytes.data(), w.bytes.size()));
    } else if (table_of(w.file) >= 0) {
      add_record_writes(r, w.file, w.offset, w.bytes.data(), w.bytes.size());
    } else {
      std::vector<uint8_t> whole = w.whole ? w.bytes : records::read_whole(shop_.path(w.file)).value_or(std::vector<uint8_t>{});
      if (!w.whole) {
        if (whole.size() < w.offset + w.bytes.size()) whole.resize(w.offset + w.bytes.size());
        std::copy(w.bytes.begin(), w.bytes.end(), whole.begin() + static_cast<long>(w.offset));
      }
      r.file_names.push_back(Value::text(w.file));
      r.file_bytes.push_back(Value::bytes(whole.data(), whole.size()));
    }
  }
  add_config(r, shop_.config.data());
  add_notice(r);
  // Nothing differs from the server's copy (a save after the transaction stored the block): no
  // round trip. Each command starts with a refresh of its own.
  if (r.empty()) return true;
  std::optional<Result> answer;
  if (send(r, answer) != Sent::Stored) return false;
  write_back(writes);
  synced_ = r.config;
  if (answer) apply_changes(rows_of(*answer), &r);
  else refresh();
  return true;
}

// The transaction's records and files written into the working copy before the server's
// answer is applied, so that memory, which the flow already moved, is not moved twice.
void CounterStore::refresh() {
  if (day_close_) return;
  try {
    Connection& db = connection();
    // Every transaction that committed before this round trip has told of itself by its end.
    Result drawn = db.run_prepared("drawn", {});
    const bool all_taken = take_notices(db);
    const std::pair<int64_t, int64_t> now{drawn.i64(0, 0), drawn.i64(0, 1)};
    // What was drawn before the last refresh is taken: what is newer is still committing, and its
    // notice comes. Drawn and never taken (a refused transaction's versions), the server's rows
    // and marks pass it.
    if (all_taken && seen_ >= std::min(now.first, drawn_before_.first) &&
        seen_log_ >= std::min(now.second, drawn_before_.second)) {
      drawn_before_ = now;
      return;
    }
    Result changes = read_changes(db);
    apply_changes(rows_of(changes));
    drawn_before_ = now;
  } catch (const DbError&) {
    drop_connection();
  }
}

Result CounterStore::read_changes(Connection& db) {
  std::vector<Value> own;
  own.reserve(own_.size());
  for (int64_t v : own_) own.push_back(Value::i64(v));
  return db.run_prepared("changes", {Value::i64(seen_), Value::i64(seen_log_), Value::array(20, own)});
}

bool CounterStore::begin_day_close() {
  try {
    Connection& db = connection();
    db.exec("BEGIN");
    db.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kDayLock) + ")");
    day_close_ = true;
    Result changes = read_changes(db);
    apply_changes(rows_of(changes));
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

}  // namespace kelvo::store
