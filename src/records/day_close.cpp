#include "records/day_close.h"
#include <cstring>

#include "records/file_io.h"
#include "records/reservation_file.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

int previous_month(int month) { return month == 1 ? 12 : month - 1; }

// The previous month's length, February counted by the current year.
int previous_month_length(const text::DateTime& today) {
  return text::month_length(previous_month(today.month), today.year);
}

void keep_yesterdays_counts(ConfigBlock& c) {
  c.set_i64(cfg::kRentalsPreviousDay, c.i64(cfg::kRentalsToday));
  c.set_i64(cfg::kReturnsPreviousDay, c.i64(cfg::kReturnsToday));
  c.set_i64(cfg::kRentalsToday, 0);
  c.set_i64(cfg::kReturnsToday, 0);
  c.set_i64(cfg::kNewMembersToday, 0);
  c.clear(cfg::kCategoryHighToday, 40);
  c.clear(cfg::kBandCountToday, 40);
  c.clear(cfg::kCategoryLowToday, 40);
}

bool write_month_archive(Shop& shop, const text::DateTime& today) {
  auto name = text::format("%s.dat", {text::month_name(previous_month(today.month))});
  const auto file = shop.folder() / std::filesystem::path(std::u16string(name));
  if (write_file_atomic(file, shop.config.data(), cfg::kSize)) return true;
  platform::problem(shop.op(), name);
  return false;
}

void clear_month_counters(ConfigBlock& c) {
  c.clear(cfg::kCategoryHighMonth, 40);
  c.clear(cfg::kBandCountMonth, 40);
  c.clear(cfg::kCategoryLowMonth, 40);
}

bool date_confirmed(Shop& shop, const text::DateTime& today) {
  const text::DateTime gap_from = shop.config.last_shutdown();
  auto today_text = shop.locale().format_date(today, u"ddd d MMM yy");
  auto from_text = shop.locale().format_date(gap_from, u"ddd d MMM yy");
  text::u16 caption, body;
  if (today_text && from_text) {
    caption = text::format("If system date %s is correct select OK", {*today_text});
    body = text::format("Warning: Usage gap from %s", {*from_text});
  } else {
    caption = text::format("If system date %d/%d/%d is correct select OK", {today.day, today.month, today.year});
    body = text::format("Warning: Usage gap from %d/%d/%d", {gap_from.day, gap_from.month, gap_from.year});
  }
  return shop.op().message(caption, body, platform::Buttons::OkCancel) == platform::Answer::Ok;
}

// The day's running figures, all cleared once the day has gone into the history.
void clear_the_day(ConfigBlock& c) {
  c.set_takings_today(0);
  c.clear(cfg::kDayCounters, 4 * cfg::kDayCounterCount);
  c.clear(cfg::kCashRefundsToday, 4);
  c.clear(cfg::kDayTotals, 4 * cfg::kDayTotalCount);
  c.clear(cfg::kDayValue2500, 8);
  c.clear(cfg::kDayFigures, cfg::kDayFiguresEnd - cfg::kDayFigures);
  c.clear(cfg::kMembershipTakingsToday, 4);
  c.clear(cfg::kTillRentals, cfg::kTillEnd - cfg::kTillRentals);
  c.clear(cfg::kReservationCounter, 4);
}

// Where the closed day's value of each history series comes from.
size_t series_source(int s) {
  if (s <= 10) return cfg::kDayCounters + 4 * static_cast<size_t>(s);
  if (s >= 13 && s <= 22) return cfg::kDayTotals + 4 * static_cast<size_t>(s - 13);
  if (s == 11) return cfg::kStockSalesToday;
  if (s == 12) return cfg::kItemsSoldAmount;
  return cfg::kMembershipTakingsToday;
}

void shift_run(ConfigBlock& c, size_t first_entry, int d, const uint8_t* closed_value) {
  uint8_t* base = c.data() + first_entry;
  const size_t kept = static_cast<size_t>(cfg::kHistoryDays - d);
  std::memmove(base + 4 * d, base, 4 * kept);
  std::memset(base, 0, 4 * static_cast<size_t>(d - 1));
  std::memcpy(base + 4 * (d - 1), closed_value, 4);
}

// Today is the day the block last rolled to: there is nothing to close.
bool day_still_open(const ConfigBlock& c, const text::DateTime& today) {
  return c.i32(cfg::kRolledDay) == today.day && c.i32(cfg::kLastShutdownMonth) == today.month;
}

}  // namespace

int days_elapsed(int stored_day, const text::DateTime& today) {
  // The open day is the latest date before today with the stored day of month, counted back
  // through the real month lengths: wrapping at the previous month's length would never reach
  // the 31st, nor the 29th to 31st of March, and would lose that day from the history.
  constexpr int kLongAgo = 62;
  int day = today.day, month = today.month, year = today.year;
  for (int d = 1; d < kLongAgo; ++d) {
    if (--day < 1) {
      if (--month < 1) {
        month = 12;
        --year;
      }
      day = text::month_length(month, year);
    }
    if (day == stored_day) return d;
  }
  return kLongAgo;
}

bool usage_gap(int stored_day, const text::DateTime& today) {
  const int p = previous_month_length(today);
  // Widened: the stored day is whatever wr.cfg holds, up to the largest int.
  return static_cast<int64_t>(stored_day) + 1 != today.day && !(stored_day == p && today.day == 1);
}

void shift_history(ConfigBlock& c, int d) {
  if (d < 1 || d >= 32) return;
  uint8_t closed[4];
  std::memcpy(closed, c.data() + cfg::kTakingsToday, 4);
  shift_run(c, cfg::history_entry(0), d, closed);
  for (int s = 0; s < cfg::kSeriesCount; ++s) {
    std::memcpy(closed, c.data() + series_source(s), 4);
    shift_run(c, cfg::series_entry(s, 0), d, closed);
  }
}

bool date_confirmed_if_gap(Shop& shop) {
  const text::DateTime today = shop.now();
  if (day_still_open(shop.config, today)) return true;
  return !usage_gap(shop.config.i32(cfg::kRolledDay), today) || date_confirmed(shop, today);
}

DayCloseResult close_previous_day(Shop& shop, bool date_asked) {
  ConfigBlock& c = shop.config;
  const text::DateTime today = shop.now();
  const int stored_day = c.i32(cfg::kRolledDay);
  const int stored_month = c.i32(cfg::kLastShutdownMonth);
  if (day_still_open(c, today)) return DayCloseResult::StillOpen;

  keep_yesterdays_counts(c);
  if (stored_month != today.month) {
    write_month_archive(shop, today);
    clear_month_counters(c);
  }
  if (!date_asked && usage_gap(stored_day, today) && !date_confirmed(shop, today)) return DayCloseResult::Cancelled;
  const int d = days_elapsed(stored_day, today);
  c.set_f32(cfg::kTakingsPreviousDay, d == 1 ? c.takings_today() : 0.0f);
  shift_history(c, d);
  clear_the_day(c);
  c.set_i32(cfg::kRolledDay, today.day);
  if (!roll_reservation_file(shop, d)) {
    platform::problem(shop.op(), u"Unable to open resn.dat for complete update in Opendata.");
    return DayCloseResult::Failed;
  }
  return DayCloseResult::Closed;
}

}  // namespace kelvo::records
