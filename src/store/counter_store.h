#pragma once
// A counter working on a shop kept in the database. The counter's folder holds a working copy
// of the shop, which the program reads as it reads any shop folder; every change goes to the
// server first (one server transaction for each of the counter's transactions, refused whole
// when another counter changed a record it writes since it was read) and reaches the working
// copy only from the server, together with what the other counters changed.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "records/remote_store.h"
#include "records/shop.h"
#include "store/commit_notice.h"
#include "store/figure_parts.h"
#include "store/mapped_files.h"
#include "store/pg.h"

namespace kelvo::store {

// The small file of a counter's folder that names the database of its shop: a line
// "url=postgresql://..." and, optionally, "counter=till 2" (the name its log entries carry;
// the machine's name when absent).
constexpr std::string_view kSettingsFile = "kelvo-database.conf";

struct CounterSettings {
  std::string url;
  std::string counter;
};
// The settings of the folder; nullopt when the folder keeps its shop itself.
std::optional<CounterSettings> read_counter_settings(const std::filesystem::path& folder);
// A folder never sends these to the server: the counter's own lock, journal and settings, and
// hidden work files.
bool counter_own_file(std::string_view name);

class CounterStore final : public records::RemoteStore {
 public:
  CounterStore(CounterSettings settings, records::Shop& shop);
  ~CounterStore() override;
  CounterStore(const CounterStore&) = delete;
  CounterStore& operator=(const CounterStore&) = delete;

  // The whole shop written into the counter's folder, before the shop is opened there. Throws
  // Unreachable, Refused (no shop, another format) or DbError.
  void make_working_copy();

  bool commit(const records::Journal& writes) override;
  void refresh() override;
  void hold_notices() override;
  std::span<const uint8_t> held(const std::filesystem::path& file) override;
  bool begin_day_close() override;
  bool end_day_close() override;

  // A file of the folder changed outside a transaction (see platform's changed hook).
  void file_changed(const std::filesystem::path& file, uint64_t offset, uint64_t length);
  const std::string& counter_name() const { return settings_.counter; }

  struct Request;
  // The other counters' transactions taken from their notices instead of the server's rows.
  uint64_t notices_taken() const { return notices_taken_; }
  // Some minutes of two or three busy counters' commits, a few hundred kilobytes.
  static constexpr size_t kNoticesHeld = 128;

 private:
  // A row of the server's changes, or one rebuilt from a notice.
  struct ChangeRow {
    std::string_view what;
    std::string name;
    int64_t slot = 0, version = 0;
    std::string_view bytes;
  };
  static std::vector<ChangeRow> rows_of(const Result& result);
  enum class Sent { Stored, Refused, Unreachable };
  Connection& connection();
  void drop_connection();
  Sent send(Request& request, std::optional<Result>& answer);
  bool stood(const Request& request);
  Sent stored(const Request& request);
  // The server's rows written into the working copy and memory; with `own`, the answer to that
  // request, whose records the working copy holds already.
  void apply_changes(const std::vector<ChangeRow>& changes, const Request* own = nullptr);
  void apply_own(const std::vector<ChangeRow>& answer, const Request& request);
  void add_notice(Request& request);
  bool take_notices(Connection& db);  // false when one did not follow
  // The rows a refresh would bring for the notice's transaction, the records rebuilt into
  // `images`; false when the notice does not follow on what the working copy holds.
  bool notice_rows(const CommitNotice& notice, std::vector<ChangeRow>& rows, std::vector<std::string>& images);
  Result read_changes(Connection& db);
  void forget_own();  // the versions the marks have passed
  size_t settle_figure(size_t at);
  void write_config_stretches(std::vector<std::pair<size_t, size_t>> moved);
  // A log or the block of the working copy, open for writing; -1 when it cannot be opened.
  int writer(const std::string& file, int flags);
  using LogAppends = std::map<std::string, std::vector<uint8_t>>;  // a log's name, its new bytes
  void append_logs(const LogAppends& logs);
  void add_record_writes(Request& request, std::string_view file, uint64_t offset, const uint8_t* bytes, size_t len);
  void add_config(Request& request, const uint8_t* block);
  void write_back(const records::Journal& writes);
  // A stretch of a file of the working copy, through the mapping for the record files.
  void put(const std::string& file, uint64_t offset, const uint8_t* bytes, size_t n);
  bool get(const std::string& file, uint64_t offset, uint8_t* bytes, size_t n);
  void take_own_stretches(Connection& db);
  void follow_current(int table, int64_t number, const uint8_t* now);
  void refused(const DbError& error);
  void unreachable();

  CounterSettings settings_;
  records::Shop& shop_;
  std::unique_ptr<Connection> db_;
  MappedFiles mapped_;
  // The logs and the block, kept open between transactions: opened and closed for each
  // transaction's few entries and figures, they cost more system calls than the writes. Let go
  // of when the file helpers tell of a change to the file (renamed, replaced, removed).
  std::map<std::string, records::Fd> writers_;
  int64_t seen_ = 0;      // the newest version the working copy holds
  int64_t seen_log_ = 0;  // the last log entry it holds
  std::vector<int64_t> versions_[4];  // per record table, the version of each slot held
  // The versions this counter's own commits gave its records above seen_: the working copy
  // holds those records already, and a refresh need not bring them back.
  std::vector<int64_t> own_;
  std::vector<uint8_t> synced_;       // the configuration block as the server last gave it
  FigureParts parts_;                 // its running figures, part by part
  std::vector<uint8_t> record_before_;  // a record as the working copy held it, while applying
  std::set<std::string> known_files_;
  std::string moved_from_;   // a file renamed: its content now under the next notice's name
  std::string run_;          // this run of the counter, in its transactions' identifiers
  uint64_t transactions_ = 0;
  bool applying_ = false;    // the working copy is being written from the server
  bool day_close_ = false;   // a day close holds the day marker
  uint64_t notices_taken_ = 0;
  // Notices read while the counter waited, for its next refresh; past kNoticesHeld, dropped, and
  // that refresh asks the server instead.
  std::vector<Connection::Notification> held_notices_;
  bool notices_dropped_ = false;
  uint64_t other_met_ = 0;  // this counter's transactions when it last met another's
  static constexpr uint64_t kNoticesAfterMeeting = 200;
  // The last versions and log entries drawn at the last refresh, by then committing or done.
  std::pair<int64_t, int64_t> drawn_before_{INT64_MAX, INT64_MAX};
};

}  // namespace kelvo::store
