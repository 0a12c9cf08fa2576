#include "reports/overview.h"

#include <cmath>

#include "platform/page_writer.h"
#include "records/data_opening.h"
#include "reports/day_figures.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

long long i64(const records::ConfigBlock& c, size_t off) { return static_cast<long long>(c.i64(off)); }

long long highest(const records::NumberIndex& index) {
  return index.size() == 0 ? 0 : static_cast<long long>(index.entries().back().number);
}

// "... %02d:%02d %s" with the short date, or the numeric form "%d/%d/%d" after the time.
text::u16 clock_line(const platform::Locale& locale, const char* label, int hour, int minute, const Ymd& d) {
  // A stamp never set (a fresh shop: no switch-off, no backup yet) holds no date, and "00:00
  // 0/0/0" would read as one.
  if (d.day == 0 && d.month == 0 && d.year == 0) return text::format(std::string(label) + ": none", {});
  if (auto s = short_date(locale, d)) return text::format(std::string(label) + ": %02d:%02d %s", {hour, minute, *s});
  return text::format(std::string(label) + ": %02d:%02d %d/%d/%d", {hour, minute, d.day, d.month, d.year});
}

text::u16 percent(float part, float whole, const char* zero) {
  if (part == 0 || whole == 0) return text::from_utf8(zero);
  return text::format("%.2f%%", {part * 100 / whole});
}

std::vector<text::u16> week_lines(const records::Shop& shop, const text::DateTime& today) {
  const float current = shop.activity.this_week, last = shop.activity.last_week;
  const Ymd end1 = step_back(today, 1), end8 = step_back(today, 8);
  const auto s1 = short_date(shop.locale(), end1), s8 = short_date(shop.locale(), end8);
  std::vector<text::u16> out;
  text::u16 compare;
  if (s1 && s8) {
    out.push_back(text::format("W/E %s: %-4.2f", {*s1, current}));
    out.push_back(text::format("W/E %s: %-4.2f", {*s8, last}));
    compare = text::format("W/E %s vs W/E ", {*s1}) + *s8 + u":";
  } else {
    out.push_back(text::format("W/E %d/%d/%d: %-4.2f", {end1.day, end1.month, end1.year, current}));
    out.push_back(text::format("W/E %d/%d/%d total: %-4.2f", {end8.day, end8.month, end8.year, last}));
    compare = text::format("W/E %d/%d/%d vs W/E %d/%d/%d:", {end1.day, end1.month, end1.year, end8.day, end8.month, end8.year});
  }
  compare += current == 0 || last == 0 ? text::u16(u" 0.0%") : text::format(" %.2f%%", {current * 100 / last});
  out.push_back(compare);
  return out;
}

}  // namespace

text::u16 format_line(const records::ConfigBlock& c, int which) {
  const int rented = static_cast<int>(c.f32(which == 1 ? cfg::kFormat1RentalsToday : cfg::kFormat2RentalsToday));
  const long long all = i64(c, cfg::kRentalsToday);
  if (rented == 0 || all == 0)
    return text::format(which == 1 ? "Format 1 (%s): 0%% (0 rented)" : "Format 2 (%s): 0%% (0 rented)", {c.format_name(which)});
  return text::format(which == 1 ? "Format 1 (%s): %d%% (%d rented)" : "Format 2 (%s): %d%% (%d rented)",
                      {c.format_name(which), rented * 100LL / all, rented});
}

StatusTexts status_texts(records::Shop& shop, const text::DateTime& previous_shutdown) {
  records::count_activity(shop);
  const records::ConfigBlock& c = shop.config;
  const text::DateTime today = shop.now();
  const platform::Locale& locale = shop.locale();
  StatusTexts s;
  s.title = text::format("QUENDRIX STATUS %s ", {locale.format_date(today, u"dddd MMMM d yyyy").value_or(u"")});
  int b[5];  // last backup: minute, hour, day, month, year
  for (int i = 0; i < 5; ++i) b[i] = c.i32(cfg::kLastBackup + 4 * static_cast<size_t>(i));
  auto& l = s.lines;
  l.push_back(clock_line(locale, "Offtime", previous_shutdown.hour, previous_shutdown.minute, ymd(previous_shutdown)));
  l.push_back(text::format("Ontime: %02d:%02d", {shop.started.hour, shop.started.minute}));
  l.push_back(clock_line(locale, "Backup", b[1], b[0], {b[2], b[3], b[4]}));
  l.push_back(text::format("Films on the system: %d", {static_cast<long long>(shop.films.counts().live)}));
  l.push_back(text::format("Active: %d", {shop.activity.active_films}));
  l.push_back(text::format("Highest film number: %I64d", {highest(shop.films.index())}));
  l.push_back(text::format("Members on the system: %d", {static_cast<long long>(shop.members.counts().live)}));
  l.push_back(text::format("Active: %d", {shop.activity.active_members}));
  l.push_back(text::format("Highest member number: %I64d", {highest(shop.members.index())}));
  l.push_back(text::format("Today Rent: %I64d", {i64(c, cfg::kRentalsToday)}));
  l.push_back(text::format("Yesterday Rent: %I64d", {i64(c, cfg::kRentalsPreviousDay)}));
  l.push_back(text::format("Today Return: %I64d", {i64(c, cfg::kReturnsToday)}));
  l.push_back(text::format("Yesterday Return: %I64d", {i64(c, cfg::kReturnsPreviousDay)}));
  l.push_back(text::format("Total owed: %.2f", {shop.activity.total_owed}));
  l.push_back(text::format("Total debits: %.2f", {std::fabs(shop.activity.total_credit)}));
  l.push_back(format_line(c, 1));
  l.push_back(format_line(c, 2));
  l.push_back(text::format("Stock sales: %.2f", {c.f32(cfg::kStockSalesToday)}));
  l.push_back(text::format("Rental items sold (%d): %.2f",
                           {static_cast<int>(c.f32(cfg::kItemsSoldCount)), c.f32(cfg::kItemsSoldAmount)}));
  l.push_back(text::format("Today's takings: %.2f", {c.takings_today()}));
  l.push_back(text::format("Last %s: %.2f", {text::weekday_name(today.weekday), history(c, 6)}));
  l.push_back(text::format("Yesterday's takings: %.2f", {c.f32(cfg::kTakingsPreviousDay)}));
  for (auto& w : week_lines(shop, today)) l.push_back(std::move(w));
  l.push_back(text::format("Overdue: %d", {shop.activity.overdue}));
  s.arrears = {text::format("%.2f", {c.f32(cfg::kArrearsPaid)}), text::format("%.2f", {c.f32(cfg::kArrearsWrittenOff)})};
  s.late_fees = {text::format("%.2f", {c.f32(cfg::kLateFeesPaid)}), text::format("%.2f", {c.f32(cfg::kLateFeesOwing)}),
                 text::format("%.2f", {c.f32(cfg::kLateFeesWrittenOff)}), text::format("%.2f", {c.f32(cfg::kLateFeesTotal)})};
  return s;
}

std::vector<OverviewLine> overview_lines(records::Shop& shop) {
  records::count_activity(shop);
  const records::ConfigBlock& c = shop.config;
  const text::DateTime now = shop.now();
  const records::ActivityCounts& a = shop.activity;
  std::vector<OverviewLine> out;
  auto put = [&out](int line, text::u16 s, text::u16 tail = {}) { out.push_back({line, std::move(s), std::move(tail)}); };
  const text::u16 long_date = shop.locale().format_date(now, u"dddd MMMM d yyyy").value_or(u"");
  put(0, text::format("%s  %s %s", {shop.address.store_name(), hh_mm(now), long_date}));
  put(1, text::format("Today's takings: %.2f", {c.takings_today()}));
  put(3, u"Status:");
  put(4, text::format("Ontime: %02d:%02d  Transaction number: %d",
                      {shop.started.hour, shop.started.minute, c.transaction_counter()}));
  put(5, text::format("Films on the system: %d, Members on the system: %d",
                      {static_cast<long long>(shop.films.counts().live), static_cast<long long>(shop.members.counts().live)}));
  put(6, text::format("New members: %I64d", {i64(c, cfg::kNewMembersToday)}));
  put(7, text::format("Active Members: %d, Active films: %d", {a.active_members, a.active_films}));
  put(8, text::format("Overdue: %d", {a.overdue}));
  put(9, text::format("Today Rent: %I64d Return: %I64d", {i64(c, cfg::kRentalsToday), i64(c, cfg::kReturnsToday)}));
  put(10, text::format("Late feespaid: %.2f", {c.f32(cfg::kLateFeesPaid)}));
  put(11, text::format("Late fees left owing: %.2f", {c.f32(cfg::kLateFeesOwing)}));
  put(12, text::format("Late fees written off: %.2f", {c.f32(cfg::kLateFeesWrittenOff)}));
  put(13, text::format("Late fees total: %.2f", {c.f32(cfg::kLateFeesTotal)}));
  put(14, text::format("Arrears paid: %.2f", {c.f32(cfg::kArrearsPaid)}));
  put(15, text::format("Arrears written off: %.2f", {c.f32(cfg::kArrearsWrittenOff)}));
  put(16, text::format("Yesterday Rent: %I64d Return: %I64d",
                       {i64(c, cfg::kRentalsPreviousDay), i64(c, cfg::kReturnsPreviousDay)}));
  put(17, text::format("Today vs. last %s: ", {text::weekday_name(now.weekday)}) +
              percent(c.takings_today(), history(c, 6), "0.00%"));
  put(18, u"Current vs. last week: ", percent(a.this_week, a.last_week, "0.00%"));
  put(19, text::format("Last weeks total: %.2f", {a.last_week}));
  put(20, text::format("Current weeks total: %.2f", {a.this_week}));
  put(22, format_line(c, 1));
  put(23, format_line(c, 2));
  for (int k = 1; k <= 4; ++k)
    put(24 + k, text::format("Special offer %d rentals: %d",
                             {k, static_cast<int>(c.f32(cfg::kOfferRentalsToday + 4 * static_cast<size_t>(k - 1)))}));
  put(30, text::format("Rental items sold (%d): %.2f",
                       {static_cast<int>(c.f32(cfg::kItemsSoldCount)), c.f32(cfg::kItemsSoldAmount)}));
  put(32, text::format("Stock sales (%.2f):", {c.f32(cfg::kStockSalesToday)}));
  for (int n = 1; n <= 10; ++n)
    put(32 + n, text::format(n < 10 ? "Line %d   %.2f" : "Line %d  %.2f",
                             {n, c.f32(cfg::kStockLineSales + 4 * static_cast<size_t>(n - 1))}));
  put(45, u"Monthly totals:");
  int line = 46;
  for (auto& m : monthly_totals(c, now)) put(line++, std::move(m));
  return out;
}

// The line numbers count down one page of enough height. On a shorter page the writer starts
// again at the top after a break while the numbers run on, so only the blank lines between two
// numbers are carried over: the report goes on where the page stopped.
void draw_overview(platform::Printer& printer, const std::vector<OverviewLine>& lines) {
  platform::PageWriter w(printer, {});
  int previous = -1;
  for (const OverviewLine& l : lines) {
    w.skip(l.line - previous - 1);
    previous = l.line;
    w.line(l.text);
    if (!l.tail.empty()) {
      const int x = static_cast<int>(l.text.size()) * printer.char_width() + 10;
      printer.text(x, platform::line_y(printer, w.next_line() - 1), l.tail);
    }
  }
}

bool begin_document(platform::Printer& printer) {
  return printer.begin(u"QUENDRIX", {}) == platform::PrintStart::Started;
}

bool print_overview(records::Shop& shop, platform::Printer& printer) {
  const auto lines = overview_lines(shop);
  if (!begin_document(printer)) return false;
  draw_overview(printer, lines);
  return printer.end();
}

void use_list_font(platform::Printer& printer, const records::ConfigBlock& c) {
  const int64_t lines = c.i64(cfg::kListFontSize);
  if (lines > 0) printer.set_font({.lines_per_page = static_cast<int>(lines)});
}

int list_indent(const records::ConfigBlock& c) {
  const int64_t v = c.i64(cfg::kListIndent);
  return v < 0 || v > 40 ? 0 : static_cast<int>(v);
}

std::array<text::u16, 18> category_fields(const records::ConfigBlock& c, bool month) {
  std::array<text::u16, 18> out;
  for (int i = 1; i <= 18; ++i) {
    const size_t off = i <= 9 ? (month ? cfg::kCategoryLowMonth : cfg::kCategoryLowToday) + 4 * static_cast<size_t>(i - 1)
                              : (month ? cfg::kCategoryHighMonth : cfg::kCategoryHighToday) + 4 * static_cast<size_t>(i - 10);
    out[i - 1] = text::format("%s %d", {c.store_category(i), c.i32(off)});
  }
  return out;
}

std::array<BandRow, 9> band_rows(const records::ConfigBlock& c) {
  std::array<BandRow, 9> out;
  for (int b = 1; b <= 9; ++b)
    out[b - 1] = {c.i32(cfg::kBandCountToday + 4 * static_cast<size_t>(b)), c.i32(cfg::kBandCountMonth + 4 * static_cast<size_t>(b))};
  return out;
}

}  // namespace kelvo::reports
