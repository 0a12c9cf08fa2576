#include "shop_generator.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <tuple>

#include "records/config_block.h"
#include "records/film_record.h"
#include "records/member_record.h"
#include "records/reservation_file.h"
#include "records/shop.h"
#include "records/stock_record.h"
#include "text/format.h"

namespace kelvo::bench {

namespace {

using records::FilmRecord;
using records::MemberRecord;
using records::StockRecord;
using text::DateTime;
using text::u16;

constexpr std::array kAdjectives = {u"Silent", u"Crimson", u"Last", u"Hidden", u"Broken", u"Golden", u"Dark",
                                    u"Lost", u"Electric", u"Frozen", u"Wild", u"Distant", u"Burning", u"Quiet",
                                    u"Iron", u"Midnight", u"Savage", u"Endless", u"Secret", u"Lucky"};
constexpr std::array kNouns = {u"River", u"Empire", u"Garden", u"Storm", u"Harbour", u"Witness", u"Planet",
                               u"Kingdom", u"Summer", u"Highway", u"Mirror", u"Legacy", u"Station", u"Shadow",
                               u"Frontier", u"Orchard", u"Signal", u"Voyage", u"Carnival", u"Island"};
constexpr std::array kCategories = {u"ACT", u"COM", u"DRA", u"HOR", u"KID", u"SCI", u"DOC", u"THR", u"GAM"};
constexpr std::array kCategoryNames = {u"Action", u"Comedy", u"Drama", u"Horror", u"Children",
                                       u"Science fiction", u"Documentary", u"Thriller", u"Games"};
constexpr std::array kCertificates = {u"U", u"PG", u"12", u"15", u"18"};
constexpr std::array kSuppliers = {u"ABC", u"NOR", u"WST", u"DLT"};
constexpr std::array kFirstNames = {u"Anna", u"Ben", u"Clara", u"David", u"Emma", u"Frank", u"Grace", u"Hugo",
                                    u"Iris", u"Jack", u"Kate", u"Leo", u"Maria", u"Noah", u"Olive", u"Paul"};
constexpr std::array kLastNames = {u"Archer", u"Baker", u"Carter", u"Dawson", u"Ellis", u"Fisher", u"Gray",
                                   u"Hughes", u"Irving", u"Jones", u"Kemp", u"Lowe", u"Morgan", u"Nash",
                                   u"O'Neill", u"Price", u"Quinn", u"Reed", u"Shaw", u"Turner"};
constexpr std::array kStreets = {u"Mill Lane", u"High Street", u"Station Road", u"Church Walk", u"Park Avenue",
                                 u"Queens Road", u"Elm Grove", u"Bridge Street"};
constexpr std::array kTowns = {u"Ashford", u"Brampton", u"Colwick", u"Denholm", u"Eastleigh", u"Fairby"};
constexpr std::array kStockGoods = {u"Popcorn", u"Cola", u"Crisps", u"Chocolate bar", u"Blank disc",
                                    u"Disc cleaner", u"Gift card", u"Ice cream", u"Lemonade", u"Nachos"};
constexpr std::array kStockSizes = {u"small", u"medium", u"large", u"family pack", u"single"};

constexpr const char16_t* kAddress[records::AddressLines::kLines] = {
    u"CORNER VIDEO", u"14 Market Square", u"Ashford", u"AS1 4MQ", u"Tel 01234 567890",
    u"Open 10:00 - 22:00", u"CORNER VIDEO"};

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  // Plain modulo keeps the output identical across standard libraries for the same seed.
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
  bool percent(int p) { return below(100) < p; }
  uint32_t bits() { return engine_(); }
  template <class T, size_t N>
  const T& of(const std::array<T, N>& a) { return a[below(static_cast<int>(N))]; }
  float money(int max_cents) { return static_cast<float>(below(max_cents) + 1) * 0.01f; }
  std::mt19937& engine() { return engine_; }

 private:
  std::mt19937 engine_;
};

// Moves a date by whole days. The civil calendar agrees with the program's in every year a
// generated shop reaches (1900 and 2100 are the only years where they part).
DateTime shift_days(DateTime d, int days) {
  using namespace std::chrono;
  const year_month_day ymd{sys_days{year{d.year} / d.month / d.day} + std::chrono::days{days}};
  d.year = static_cast<int>(ymd.year());
  d.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  d.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  d.weekday = text::weekday_of(d.year, d.month, d.day);
  return d;
}

DateTime at_time(DateTime d, int hour, int minute) {
  d.hour = hour;
  d.minute = minute;
  d.second = 0;
  return d;
}

u16 date_text(const DateTime& d) { return text::make_date(d.day, d.month, d.year); }

struct Loan {
  int64_t film_slot;
  int64_t member_slot;
  DateTime rented;
  DateTime due;
};

// Everything decided before a byte is written, so that films and members agree.
struct Plan {
  std::vector<int64_t> film_numbers;    // per slot, -1 when deleted
  std::vector<int64_t> member_numbers;  // per slot, -1 when deleted
  std::vector<int64_t> live_members;    // numbers, for renter windows
  std::vector<Loan> loans;
  std::vector<int> film_loan;                  // per film slot: index into loans, or -1
  std::vector<std::vector<int>> member_loans;  // per member slot: indexes into loans
};

// Numbers follow the slots, as in a shop that numbers its stock as it buys it, with a few
// swapped so that the index build has some sorting to do.
std::vector<int64_t> numbering(Random& rnd, int count, int64_t first, int deleted_percent) {
  std::vector<int64_t> numbers(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) numbers[i] = first + i;
  for (int k = 0; k < count / 20; ++k) std::swap(numbers[rnd.below(count)], numbers[rnd.below(count)]);
  for (auto& n : numbers)
    if (rnd.percent(deleted_percent)) n = -1;
  return numbers;
}

Plan make_plan(Random& rnd, const ShopSize& size, const DateTime& today) {
  if (size.films < 1 || size.members < 1 || size.stock < 1)
    throw std::runtime_error("a shop needs at least one film, one member and one stock line");
  Plan p;
  p.film_numbers = numbering(rnd, size.films, 1000, 3);
  p.member_numbers = numbering(rnd, size.members, 1, 3);
  for (auto n : p.member_numbers)
    if (n > 0) p.live_members.push_back(n);

  std::vector<int64_t> pool;
  for (int64_t s = 0; s < size.films; ++s)
    if (p.film_numbers[s] > 0) pool.push_back(s);
  std::shuffle(pool.begin(), pool.end(), rnd.engine());

  p.film_loan.assign(static_cast<size_t>(size.films), -1);
  p.member_loans.resize(static_cast<size_t>(size.members));
  size_t next = 0;
  // Two films stay back for the deliberate faults of an inconsistent shop.
  const size_t keep = 2;
  for (int64_t m = 0; m < size.members; ++m) {
    if (p.member_numbers[m] <= 0 || rnd.below(5) != 0) continue;
    for (int k = 1 + rnd.below(5); k > 0 && next + keep < pool.size(); --k) {
      // Most loans are a few days old; a few were forgotten weeks ago.
      const int rented_ago = rnd.percent(15) ? 7 + rnd.below(24) : rnd.below(5);
      int period = 1 + rnd.below(7);
      // Never due today: whether that counts as late depends on the hour the shop is opened.
      if (period == rented_ago) ++period;
      Loan loan;
      loan.film_slot = pool[next++];
      loan.member_slot = m;
      loan.rented = at_time(shift_days(today, -rented_ago), 10 + rnd.below(10), rnd.below(60));
      loan.due = shift_days(loan.rented, period);
      p.film_loan[loan.film_slot] = static_cast<int>(p.loans.size());
      p.member_loans[m].push_back(static_cast<int>(p.loans.size()));
      p.loans.push_back(loan);
    }
  }
  if (size.inconsistent) {
    if (next + keep > pool.size() || pool.size() < 3 || p.live_members.empty())
      throw std::runtime_error("too few live films to make an inconsistent shop");
    // A loan only the film knows of, to a member who holds nothing of it.
    Loan stray;
    stray.film_slot = pool[next];
    stray.member_slot = -1;
    stray.rented = at_time(today, 11, 0);
    stray.due = shift_days(stray.rented, 2);
    p.film_loan[stray.film_slot] = static_cast<int>(p.loans.size());
    p.loans.push_back(stray);
    // A live number given to a second film.
    const int64_t twin = pool[next + 1];
    const int64_t original = twin == pool[next + 2] ? pool[0] : pool[next + 2];
    p.film_numbers[twin] = p.film_numbers[original];
  }
  return p;
}

void write_file(const std::filesystem::path& file, const uint8_t* data, size_t len) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(len));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

u16 film_title(Random& rnd) {
  u16 t = rnd.percent(40) ? u"The " : u"";
  t += rnd.of(kAdjectives);
  t += u' ';
  t += rnd.of(kNouns);
  if (rnd.percent(10)) t += text::format(" %d", {2 + rnd.below(3)});
  return t;
}

// Rental days of the last month, busier for some titles than for others; bit 0 is the day of
// the last rental itself.
void fill_day_maps(Random& rnd, FilmRecord& f) {
  uint32_t map = rnd.bits() & ((1u << 30) - 1);
  if (rnd.percent(50)) map &= rnd.bits();
  map |= 1u;
  f.set_hire_days_30(map);
  f.set_hire_days_7(static_cast<uint8_t>(map & 0x7f));
}

void make_film(Random& rnd, const Plan& p, int64_t slot, const DateTime& today, FilmRecord& f) {
  f.clear();
  const int64_t number = p.film_numbers[slot];
  f.set_number(number);
  if (number > 0) f.set_title(film_title(rnd));
  const int c = rnd.below(static_cast<int>(kCategories.size()));
  f.set_category(kCategories[c]);
  f.set_certificate(rnd.of(kCertificates));
  f.set_supplier(rnd.of(kSuppliers));
  f.set_actor_1(text::format("%s %s", {rnd.of(kFirstNames), rnd.of(kLastNames)}));
  f.set_actor_2(text::format("%s %s", {rnd.of(kFirstNames), rnd.of(kLastNames)}));
  f.set_director(text::format("%s %s", {rnd.of(kFirstNames), rnd.of(kLastNames)}));
  f.set_format(kCategories[c] == std::u16string_view(u"GAM") ? u"PLA" : u"DVD");
  f.set_language(rnd.percent(90) ? u"English" : u"French");
  f.set_location(text::format("%c%d", {static_cast<char16_t>(u'A' + rnd.below(12)), 1 + rnd.below(40)}));
  if (rnd.percent(10)) f.set_website(text::format("www.example.com/item/%I64d", {number}));
  const int band = 1 + rnd.below(8);
  f.set_charge_band(band);
  f.set_date_added(date_text(shift_days(today, -rnd.below(5 * 365))));
  f.set_cost(rnd.money(2500));
  if (rnd.percent(5)) f.set_notes(u"Case cracked, disc fine");

  const int loan = p.film_loan[slot];
  const int rentals = rnd.below(60) + (loan >= 0 ? 1 : 0);
  f.set_rentals(rentals);
  f.set_revenue(static_cast<float>(rentals) * (1.0f + static_cast<float>(band % 3) * 0.5f));
  if (rentals == 0) return;
  for (int k = std::min(rentals, 10) - (loan >= 0 ? 1 : 0); k > 0; --k)
    f.push_renter(p.live_members[rnd.below(static_cast<int>(p.live_members.size()))]);
  fill_day_maps(rnd, f);
  if (loan < 0) {
    f.set_last_hire(text::make_stamp(at_time(shift_days(today, -1 - rnd.below(400)), 10 + rnd.below(10), rnd.below(60))));
    f.set_return_date(u"               ");
    return;
  }
  const Loan& l = p.loans[loan];
  const int64_t holder = l.member_slot >= 0 ? p.member_numbers[l.member_slot] : p.live_members.back();
  f.push_renter(holder);
  f.set_on_loan_to(holder);
  f.set_last_hire(text::make_stamp(l.rented));
  f.set_return_date(text::make_stamp(l.due));
}

// Past loans, oldest first, ending at the most recent index as the counter keeps them.
void fill_history(Random& rnd, const Plan& p, const DateTime& today, int returns, MemberRecord& m) {
  const int recent = std::min(returns, MemberRecord::kHistory);
  DateTime when = at_time(shift_days(today, -2 * recent - 1), 12, 0);
  u16 last;
  for (int i = MemberRecord::kHistory - recent; i < MemberRecord::kHistory; ++i) {
    const int64_t item = p.film_numbers[rnd.below(static_cast<int>(p.film_numbers.size()))];
    m.set_previous_items(i, item > 0 ? item : 1000);
    m.set_previous_rented(i, text::make_stamp(when));
    when = shift_days(when, 2);
    last = text::make_stamp(when);
    m.set_previous_returned(i, last);
  }
  if (recent > 0) m.set_last_returned(last);
  const int older = std::min(returns - recent, MemberRecord::kHistory);
  for (int i = MemberRecord::kHistory - older; i < MemberRecord::kHistory; ++i)
    m.set_older_items(i, 1000 + rnd.below(static_cast<int>(p.film_numbers.size())));
}

void make_member(Random& rnd, const Plan& p, int64_t slot, const DateTime& today, MemberRecord& m) {
  m.clear();
  const int64_t number = p.member_numbers[slot];
  m.set_number(number);
  const auto first = rnd.of(kFirstNames);
  const auto last = rnd.of(kLastNames);
  m.set_title(rnd.percent(50) ? u"Mr" : u"Ms");
  m.set_initial(first);
  if (number > 0) m.set_name(last);
  m.set_road(text::format("%d %s", {1 + rnd.below(200), rnd.of(kStreets)}));
  m.set_area(rnd.of(kTowns));
  m.set_town(u"Kent");
  m.set_post_code(text::format("AS%d %dQT", {1 + rnd.below(9), 1 + rnd.below(9)}));
  m.set_telephone1(text::format("01234 %06d", {rnd.below(1000000)}));
  m.set_email(text::format("%s.%s%d@example.com", {first, last, rnd.below(100)}));
  const int kind = rnd.below(1000);
  m.set_category(kind == 0 ? MemberRecord::kCardLost : kind == 1 ? MemberRecord::kCardSuspended : 1 + kind % 4);
  m.set_type_of_membership(1 + rnd.below(3));
  m.set_pin(text::format("%04d", {rnd.below(10000)}));
  m.set_born(date_text(shift_days(today, -(18 * 365 + rnd.below(50 * 365)))));
  m.set_join_date(date_text(shift_days(today, -rnd.below(8 * 365))));
  const int r = rnd.below(100);
  m.set_owed(r < 15 ? rnd.money(4000) : r < 30 ? -rnd.money(2000) : 0.0f);
  if (number <= 0) {
    m.set_last_used(u"NEW");
    return;
  }

  const auto& loans = p.member_loans[slot];
  const int returns = rnd.percent(30) ? 0 : rnd.below(rnd.percent(10) ? 250 : 60);
  m.set_rented(returns + static_cast<int>(loans.size()));
  fill_history(rnd, p, today, returns, m);
  m.set_last_used(returns > 0 ? m.previous_rented(MemberRecord::kHistory - 1) : u16(u"NEW"));
  for (size_t i = 0; i < loans.size(); ++i) {
    const Loan& l = p.loans[loans[i]];
    m.set_on_loan(static_cast<int>(i), p.film_numbers[l.film_slot]);
    m.set_on_loan_rented(static_cast<int>(i), text::make_stamp(l.rented));
    m.set_on_loan_due(static_cast<int>(i), text::make_stamp(l.due));
    m.set_last_used(text::make_stamp(l.rented));
  }
  m.refresh_on_loan_flag();
}

void make_stock(Random& rnd, int64_t slot, StockRecord& s) {
  s.clear();
  s.set_number(rnd.percent(2) ? -1 : slot + 1);
  s.set_description(text::format("%s, %s", {rnd.of(kStockGoods), rnd.of(kStockSizes)}));
  s.set_quantity(rnd.below(120));
  s.set_reorder_quantity(5 + rnd.below(20));
  const float cost = rnd.money(800);
  s.set_cost_price(cost);
  s.set_sale_price(cost * 1.5f);
}

// The record file built in one buffer and written with one call.
template <class Record, class Make>
int64_t write_records(const std::filesystem::path& file, int64_t count, Make make) {
  std::vector<uint8_t> buf(static_cast<size_t>(count) * Record::kSize);
  Record r;
  int64_t deleted = 0;
  for (int64_t slot = 0; slot < count; ++slot) {
    make(slot, r);
    if (r.number() <= 0) ++deleted;
    std::memcpy(&buf[static_cast<size_t>(slot) * Record::kSize], r.data(), Record::kSize);
  }
  write_file(file, buf.data(), buf.size());
  return deleted;
}

void write_config(Random& rnd, const std::filesystem::path& file, const DateTime& today) {
  records::ConfigBlock c;
  c.set_first_run_defaults(today);
  // The open day is today's: opening on this day closes nothing.
  c.set_i32(records::cfg::kRolledDay, today.day);
  c.set_i32(records::cfg::kLastShutdownMonth, today.month);
  for (int i = 0; i < static_cast<int>(kCategoryNames.size()); ++i)
    c.set_str(records::cfg::category_name(i + 1), records::cfg::kCategoryNameWidth, kCategoryNames[i]);
  for (int k = 0; k < records::cfg::kHistoryDays; ++k)
    c.set_f32(records::cfg::history_entry(k), static_cast<float>(50 + rnd.below(400)) + rnd.money(99));
  c.set_f32(records::cfg::kTakingsPreviousDay, c.f32(records::cfg::history_entry(0)));
  c.set_takings_today(static_cast<float>(rnd.below(200)) + 0.5f);
  c.set_i32(records::cfg::kTransactionCounter, 1 + rnd.below(100000));
  if (c.save(file) != records::SaveResult::Ok) throw std::runtime_error("cannot write " + file.string());
}

void write_reservations(const std::filesystem::path& file) {
  std::vector<uint8_t> buf(records::kReservationDaySize * records::kReservationDays, 0);
  for (int n = 0; n < records::kReservationDays; ++n)
    text::put_i32(&buf[records::kReservationDaySize * n], n);
  write_file(file, buf.data(), buf.size());
}

void write_address(const std::filesystem::path& file) {
  records::AddressLines lines;
  for (int i = 1; i <= records::AddressLines::kLines; ++i) lines.set_line(i, kAddress[i - 1]);
  if (lines.save(file) != records::SaveResult::Ok) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

std::vector<std::string> ShopSummary::lines() const {
  auto count = [](const char* what, int64_t slots, int64_t deleted) {
    std::string s = std::string(what) + " records: " + std::to_string(slots);
    if (deleted > 0) s += " (" + std::to_string(deleted) + " deleted)";
    return s;
  };
  return {count("Film", film_slots, films_deleted),
          count("Member", member_slots, members_deleted),
          count("Stock", stock_slots, stock_deleted),
          "Return deadline: 20:00",
          "Active members: " + std::to_string(active_members),
          "Active films: " + std::to_string(films_on_loan),
          "Overdue: " + std::to_string(overdue)};
}

DateTime generated_shop_day() {
  DateTime d;
  d.year = 2024;
  d.month = 3;
  d.day = 15;
  d.hour = 14;
  d.minute = 30;
  d.weekday = text::weekday_of(d.year, d.month, d.day);
  return d;
}

ShopSummary generate_shop(const std::filesystem::path& folder, const ShopSize& size, uint32_t seed) {
  namespace files = records::files;
  std::filesystem::create_directories(folder);
  // A mistyped folder must never cost a real shop its data.
  for (auto name : {files::kFilm, files::kMember, files::kStock, files::kConfig, files::kReservations, files::kAddress})
    if (std::filesystem::exists(folder / name))
      throw std::runtime_error((folder / name).string() + " exists; a shop is only generated into a fresh folder");
  const DateTime today = generated_shop_day();
  Random rnd(seed);
  const Plan plan = make_plan(rnd, size, today);

  ShopSummary sum;
  sum.film_slots = size.films;
  sum.member_slots = size.members;
  sum.stock_slots = size.stock;
  for (const auto& loan : plan.loans) {
    ++sum.films_on_loan;
    // Due strictly before the shop's day (never on it), so late whatever the hour.
    const DateTime due = loan.due;
    if (std::tie(due.year, due.month, due.day) < std::tie(today.year, today.month, today.day)) ++sum.overdue;
  }
  for (const auto& held : plan.member_loans) sum.active_members += held.empty() ? 0 : 1;

  sum.films_deleted = write_records<FilmRecord>(folder / files::kFilm, size.films, [&](int64_t slot, FilmRecord& f) {
    make_film(rnd, plan, slot, today, f);
  });
  sum.members_deleted = write_records<MemberRecord>(folder / files::kMember, size.members, [&](int64_t slot, MemberRecord& m) {
    make_member(rnd, plan, slot, today, m);
  });
  sum.stock_deleted = write_records<StockRecord>(folder / files::kStock, size.stock, [&](int64_t slot, StockRecord& s) {
    make_stock(rnd, slot, s);
  });
  write_config(rnd, folder / files::kConfig, today);
  write_reservations(folder / files::kReservations);
  write_address(folder / files::kAddress);
  return sum;
}

void settle_on_disk(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::syncfs(fd);
  ::close(fd);
}

}  // namespace kelvo::bench
