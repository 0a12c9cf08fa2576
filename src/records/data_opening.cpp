#include "records/data_opening.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <thread>

#include "records/day_close.h"
#include "records/file_io.h"
#include "records/journal.h"
#include "records/record_files.h"
#include "records/reservation_file.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

// Hands each whole record of a file to `visit`, front to back. The file is mapped rather than
// read, so only the pages of the fields looked at are touched: opening a large shop then costs
// less than copying its files once. Where mapping is refused the file is read in large blocks.
// False when the file cannot be opened or a read fails.
template <class Visit>
bool scan_records(const Shop& shop, const std::filesystem::path& file, size_t record_size, Visit visit) {
  // A shop on a database holds its working copy mapped already: mapped again at each pass, its
  // half a gigabyte cost the status window more in page tables than the counting.
  if (const auto held = shop.remote() ? shop.remote()->held(file) : std::span<const uint8_t>{}; !held.empty()) {
    for (size_t i = 0; i < held.size() / record_size; ++i) visit(static_cast<int64_t>(i), held.data() + i * record_size);
    return true;
  }
  int fd = open_regular(file, O_RDONLY);
  if (fd < 0) return false;
  struct stat st {};
  const size_t size = ::fstat(fd, &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
  const size_t records = size / record_size;
  if (records > 0) {
    void* map = ::mmap(nullptr, records * record_size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map != MAP_FAILED) {
      ::close(fd);
      const auto* base = static_cast<const uint8_t*>(map);
      for (size_t i = 0; i < records; ++i) visit(static_cast<int64_t>(i), base + i * record_size);
      ::munmap(map, records * record_size);
      return true;
    }
  }
  const size_t per_block = std::max<size_t>(1, (1u << 20) / record_size);
  std::vector<uint8_t> buf(per_block * record_size);
  int64_t slot = 0;
  uint64_t pos = 0;
  bool ok = true;
  for (;;) {
    size_t got = 0;
    while (got < buf.size()) {
      ssize_t n = ::pread(fd, buf.data() + got, buf.size() - got, static_cast<off_t>(pos + got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    const size_t whole = got / record_size;
    for (size_t i = 0; i < whole; ++i) visit(slot++, buf.data() + i * record_size);
    pos += got;
    if (got < buf.size()) break;
  }
  ::close(fd);
  return ok;
}

// What one pass over the film and member files gathers besides the indexes, so that the
// counting pass at start needs no second reading.
struct ScanTally {
  std::vector<text::u16> due_stamps;  // return_date of every live film on loan
  int active_members = 0;
  float total_credit = 0;
  float total_owed = 0;
  LoanLedger* ledger = nullptr;
};

void tally_film(ScanTally& tally, const uint8_t* r) {
  const int64_t number = text::get_i64(r);
  const int64_t renter = text::get_i64(r + FilmRecord::k_on_loan_to);
  if (number <= 0 || renter == 0) return;
  tally.due_stamps.push_back(text::get_text(r + FilmRecord::k_return_date, FilmRecord::w_return_date));
  if (tally.ledger) tally.ledger->film_loans.emplace_back(number, renter);
}

void tally_member(ScanTally& tally, const uint8_t* r) {
  if (text::get_i64(r) <= 0) return;
  if (text::get_i64(r + MemberRecord::k_on_loan_flag) != 0) ++tally.active_members;
  const float owed = text::get_f32(r + MemberRecord::k_owed);
  if (owed < 0) tally.total_credit += owed;
  if (owed > 0) tally.total_owed += owed;
  if (!tally.ledger) return;
  for (int i = 0; i < MemberRecord::kLoanSlots; ++i) {
    const int64_t item = text::get_i64(r + MemberRecord::k_on_loan + 8 * i);
    if (item != 0) tally.ledger->member_loans.emplace_back(text::get_i64(r), item);
  }
}

// Records with a number of zero or below count as deleted; their index entry gets -1.
template <class R>
void take_index_entry(RecordStore<R>& store, std::vector<IndexEntry>& entries, int64_t slot,
                      int64_t number, const uint8_t* prefix_field, bool normalise) {
  const bool deleted = normalise ? number <= 0 : number < 0;
  entries.push_back(IndexEntry{deleted && normalise ? -1 : number, slot});
  auto& p = store.prefixes()[slot];
  p = Prefix{static_cast<char16_t>(text::get_u16(prefix_field)), static_cast<char16_t>(text::get_u16(prefix_field + 2))};
  if (p[0] == 0) p[1] = 0;
  (deleted ? store.counts().deleted : store.counts().live) += 1;
}

template <class R>
void reset_store(RecordStore<R>& store, int64_t slots) {
  store.counts() = RecordCounts{slots, 0, 0};
  store.prefixes().assign(static_cast<size_t>(slots), Prefix{0, 0});
}

bool fail(Shop& shop, const char16_t* caption, const char16_t* body) {
  shop.op().message(caption, body);
  return false;
}

// Size checks of steps 2, 3 and 6: present, not empty, a whole number of records.
bool check_size(Shop& shop, std::string_view name, size_t record_size, const char16_t* missing,
                const char16_t* empty, const char16_t* corrupt, int64_t& slots) {
  auto size = records::file_size(shop.path(name));
  if (!size) return fail(shop, u"Fatal error", missing);
  if (*size == 0) return fail(shop, u"Fatal error", empty);
  if (*size % record_size != 0) return fail(shop, u"Fatal error", corrupt);
  slots = static_cast<int64_t>(*size / record_size);
  return true;
}

// The two scans touch disjoint parts of the shop and of the tally, so they may run side by side.
bool scan_film_index(Shop& shop, ScanTally& tally) {
  std::vector<IndexEntry> entries;
  entries.reserve(shop.films.counts().total);
  bool opened = scan_records(shop, shop.films.file(), FilmRecord::kSize, [&](int64_t slot, const uint8_t* r) {
    if (slot >= shop.films.counts().total) return;
    take_index_entry(shop.films, entries, slot, text::get_i64(r), r + FilmRecord::k_title, true);
    tally_film(tally, r);
  });
  if (opened) shop.films.index().build(std::move(entries));
  return opened;
}

bool scan_member_index(Shop& shop, ScanTally& tally) {
  std::vector<IndexEntry> entries;
  entries.reserve(shop.members.counts().total);
  bool opened = scan_records(shop, shop.members.file(), MemberRecord::kSize, [&](int64_t slot, const uint8_t* r) {
    if (slot >= shop.members.counts().total) return;
    take_index_entry(shop.members, entries, slot, text::get_i64(r), r + MemberRecord::k_name, true);
    tally_member(tally, r);
  });
  if (opened) shop.members.index().build(std::move(entries));
  return opened;
}

// Steps 4 and 5: the member file is indexed on a second thread while this one does the films;
// on two cores that halves the wait at start. Failures are reported in the usual order.
bool index_films_and_members(Shop& shop, ScanTally& tally) {
  bool members_ok = false;
  std::thread member_scan;
  try {
    member_scan = std::thread([&] { members_ok = scan_member_index(shop, tally); });
  } catch (const std::system_error&) {
    members_ok = scan_member_index(shop, tally);
  }
  const bool films_ok = scan_film_index(shop, tally);
  if (member_scan.joinable()) member_scan.join();
  if (!films_ok) return fail(shop, u"Fatal error", u"Unable to open film.dat in Opendata");
  if (!members_ok) return fail(shop, u"Fatal error", u"Data file member.dat not present in Opendata.");
  return true;
}

bool index_stock(Shop& shop) {
  int64_t slots = 0;
  if (!check_size(shop, files::kStock, StockRecord::kSize, u"Data file mans.dat not present in Opendata.",
                  u"Data file mans.dat no data in Opendata.", u"Data file mans.dat corrupt in Opendata.", slots))
    return false;
  reset_store(shop.stock, slots);
  std::vector<IndexEntry> entries;
  entries.reserve(slots);
  bool opened = scan_records(shop, shop.stock.file(), StockRecord::kSize, [&](int64_t slot, const uint8_t* r) {
    if (slot < slots) take_index_entry(shop.stock, entries, slot, text::get_i64(r), r + StockRecord::k_description, false);
  });
  if (!opened) return fail(shop, u"Fatal error", u"Data file mans.dat not present in Opendata.");
  shop.stock.index().build(std::move(entries));
  return true;
}

void sum_weeks(Shop& shop) {
  shop.activity.this_week = 0;
  shop.activity.last_week = 0;
  for (int k = 0; k < 7; ++k) shop.activity.this_week += shop.config.f32(cfg::history_entry(k));
  for (int k = 7; k < 14; ++k) shop.activity.last_week += shop.config.f32(cfg::history_entry(k));
}

void tally_activity(Shop& shop, const ScanTally& tally) {
  const text::DateTime now = shop.now();
  const text::u16 deadline = shop.config.return_deadline();
  ActivityCounts& a = shop.activity;
  a.active_films = static_cast<int>(tally.due_stamps.size());
  a.overdue = 0;
  for (const auto& due : tally.due_stamps)
    if (text::days_overdue(now, due, deadline) != 0) ++a.overdue;
  a.active_members = tally.active_members;
  a.total_credit = tally.total_credit;
  a.total_owed = tally.total_owed;
  sum_weeks(shop);
}

bool load_config(Shop& shop) {
  if (!shop.config.load(shop.path(files::kConfig)))
    return fail(shop, u"Fatal error", u"Data file wr.cfg not present in Opendata.");
  shop.config.repair_after_load();
  return true;
}

bool first_day_setup(Shop& shop) {
  ConfigBlock& c = shop.config;
  if (c.i32(cfg::kRolledDay) != 0) return true;
  const text::DateTime today = shop.now();
  c.set_i32(cfg::kRolledDay, today.day);
  c.set_i32(cfg::kLastShutdownMonth, today.month);
  c.set_takings_today(0);
  c.set_i64(cfg::kNewSearches, 1);
  if (create_reservation_file(shop)) return true;
  return fail(shop, u"Permission problem", u"Unable to create reservation file in first run Opendata.");
}

bool roll_log_if_full(Shop& shop) {
  const auto log = shop.path(files::kLog);
  if (!append_bytes(log, "", 0))
    return fail(shop, u"Permission problem", u"Unable to open log file for rename check in Opendata.");
  auto size = records::file_size(log);
  if (size && *size > log_roll_limit(shop.config.log_capacity())) {
    const auto previous = shop.path(files::kPreviousLog);
    before_direct_change(log);
    remove_file(previous);
    rename_file(log, previous);
  }
  return true;
}

}  // namespace

bool is_first_run(const Shop& shop) {
  for (auto name : {files::kFilm, files::kMember, files::kConfig, files::kStock})
    if (std::filesystem::exists(shop.path(name))) return false;
  return true;
}

bool create_data_files(Shop& shop) {
  shop.config = ConfigBlock{};
  shop.film.clear();
  shop.member.clear();
  FilmRecord film;
  film.set_number(-1);
  film.set_title(u"00");
  if (!write_file_atomic(shop.path(files::kFilm), film.data(), FilmRecord::kSize))
    return fail(shop, u"Fatal error", u"Data file: film.dat, not present.");
  MemberRecord member;
  member.set_number(-1);
  member.set_name(u"00");
  if (!write_file_atomic(shop.path(files::kMember), member.data(), MemberRecord::kSize))
    return fail(shop, u"Fatal error", u"Data file: member.dat, not present.");
  shop.config.set_first_run_defaults(shop.now());
  if (shop.config.save(shop.path(files::kConfig)) != SaveResult::Ok)
    return fail(shop, u"Fatal error", u"Data file: wr.cfg, not present.");
  StockRecord stock;
  stock.set_number(-1);
  if (!write_file_atomic(shop.path(files::kStock), stock.data(), StockRecord::kSize))
    return fail(shop, u"Fatal error", u"Data file: mans.dat, not present.");
  return true;
}

namespace {

// Counters sharing a database close the day one after another, so that only the first closes it.
// The date question comes before the day is taken: held while the operator reads it, the day
// would stop every other counter's transactions.
bool close_day_once(Shop& shop) {
  const bool shared = shop.remote() != nullptr;
  if (shared && !date_confirmed_if_gap(shop)) return false;
  if (shared && !shop.remote()->begin_day_close()) return false;
  bool ok = first_day_setup(shop) && roll_log_if_full(shop);
  if (ok) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    auto closed = close_previous_day(shop, shared);
    ok = closed != DayCloseResult::Cancelled && closed != DayCloseResult::Failed;
  }
  if (!shared) return ok;
  // The closed day is stored before the next counter may look at it, not at the first save.
  ok = ok && shop.save_config();
  return shop.remote()->end_day_close() && ok;
}

}  // namespace

bool open_data(Shop& shop, OpenMode mode, LoanLedger* ledger) {
  // The run starts now, not after the operator has answered the day close's date question.
  shop.started = shop.now();
  const bool counter = mode == OpenMode::Counter;
  // The last run may have stopped inside a commit: its files are put right before anything reads them.
  if (counter && !shop.remote() && recover_journal(shop.folder()) == Recovery::Failed)
    return fail(shop, u"Fatal error", u"Unable to complete the last transaction (kelvo.jnl).");
  if (counter && is_first_run(shop) && !create_data_files(shop)) return false;
  if (!shop.address.load(shop.path(files::kAddress))) shop.address.set_missing_defaults();

  int64_t film_slots = 0, member_slots = 0;
  if (!check_size(shop, files::kFilm, FilmRecord::kSize, u"Unable to open film.dat in Opendat2",
                  u"Film.dat has no data in Opendata.", u"Data file film.dat corrupt in Opendata.", film_slots))
    return false;
  if (!check_size(shop, files::kMember, MemberRecord::kSize, u"Data file member.dat not present in Opendata.",
                  u"Data file member.dat no data in Opendata.", u"Data file member.dat corrupt in Opendata.", member_slots))
    return false;
  reset_store(shop.films, film_slots);
  reset_store(shop.members, member_slots);
  ScanTally tally;
  tally.ledger = ledger;
  if (!index_films_and_members(shop, tally) || !index_stock(shop)) return false;
  if (!load_config(shop)) return false;

  if (counter && !close_day_once(shop)) return false;
  shop.config.repair_rental_days();
  tally_activity(shop, tally);
  return true;
}

bool count_activity(Shop& shop) {
  ScanTally tally;
  bool films_read = scan_records(shop, shop.films.file(), FilmRecord::kSize,
                                 [&](int64_t, const uint8_t* r) { tally_film(tally, r); });
  bool members_read = films_read && scan_records(shop, shop.members.file(), MemberRecord::kSize,
                                                 [&](int64_t, const uint8_t* r) { tally_member(tally, r); });
  tally_activity(shop, tally);
  if (!films_read) return fail(shop, u"Fatal error", u"Data file film.dat, not present.");
  if (!members_read) return fail(shop, u"Fatal error", u"Data file: member.dat, not present.");
  return true;
}

std::vector<text::u16> startup_lines(const Shop& shop) {
  return {
      count_line("Film", shop.films.counts()),
      count_line("Member", shop.members.counts()),
      count_line("Stock", shop.stock.counts()),
      text::format("Return deadline: %s", {shop.config.return_deadline()}),
      text::format("Active members: %d", {shop.activity.active_members}),
      text::format("Active films: %d", {shop.activity.active_films}),
      text::format("Overdue: %d", {shop.activity.overdue}),
  };
}

}  // namespace kelvo::records
