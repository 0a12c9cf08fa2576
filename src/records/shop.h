#pragma once
// The shop: everything the counter keeps in memory for one working folder (configuration
// block, store address lines, indexes, counts, current records) and the services it talks
// through. Every file name is resolved against the shop's folder, never the process's.
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/config_block.h"
#include "records/film_record.h"
#include "records/member_record.h"
#include "records/pending_writes.h"
#include "records/record_store.h"
#include "records/remote_store.h"
#include "records/stock_record.h"

namespace kelvo::records {

// Figures of the counting pass over film.dat and member.dat.
struct ActivityCounts {
  int active_films = 0;    // films on loan
  int overdue = 0;
  int active_members = 0;  // members with items out
  float total_credit = 0;  // sum of negative owed values
  float total_owed = 0;    // sum of positive owed values
  float this_week = 0;     // takings history entries 0-6
  float last_week = 0;     // entries 7-13
};

class Shop {
 public:
  Shop(std::filesystem::path folder, platform::Operator& op, const platform::Clock& clock,
       const platform::Locale& locale);
  // What the shop's transactions wrote is synced, so that no journal waits after a clean end.
  ~Shop();

  std::filesystem::path path(std::string_view name) const { return folder_ / std::filesystem::path(name); }
  const std::filesystem::path& folder() const { return folder_; }
  platform::Operator& op() const { return *op_; }
  const platform::Clock& clock() const { return *clock_; }
  const platform::Locale& locale() const { return *locale_; }
  text::DateTime now() const { return clock_->now(); }

  // Warning sound for refused input, unless "Sound effects" is off.
  void warn() const;
  // wr.cfg written whole; a failure shows "WR.CFG" (caption "Problem"). Inside a transaction
  // the block is written with the transaction's commit instead.
  bool save_config();
  // The writes of the transaction in progress (see records/commit.h).
  PendingWrites& pending() const { return *pending_; }
  // The database server the shop is kept on; null for a shop kept in its folder. Once set, a
  // record, log entry or block written outside a transaction is stored as a transaction of its own.
  RemoteStore* remote() const { return remote_; }
  void set_remote(RemoteStore* remote);

  ConfigBlock config;
  AddressLines address;
  RecordStore<FilmRecord> films;
  RecordStore<MemberRecord> members;
  RecordStore<StockRecord> stock;
  FilmRecord film;      // the current film record
  MemberRecord member;  // the current member record
  ActivityCounts activity;
  // Set when start-up failed or a restore ran: the shutdown then writes nothing.
  bool do_not_save = false;
  text::DateTime started;  // when this run opened the data

 private:
  std::filesystem::path folder_;
  std::unique_ptr<PendingWrites> pending_ = std::make_unique<PendingWrites>();
  RemoteStore* remote_ = nullptr;
  platform::Operator* op_;
  const platform::Clock* clock_;
  const platform::Locale* locale_;
};

// File names of the shop, as the program writes them.
namespace files {
constexpr std::string_view kFilm = "film.dat";
constexpr std::string_view kMember = "member.dat";
constexpr std::string_view kStock = "mans.dat";
constexpr std::string_view kConfig = "wr.cfg";
constexpr std::string_view kAddress = "ADDRESS.RK";
constexpr std::string_view kReservations = "resn.dat";
constexpr std::string_view kLog = "lgb4.dat";
constexpr std::string_view kPreviousLog = "lgb2.dat";
}  // namespace files

}  // namespace kelvo::records
