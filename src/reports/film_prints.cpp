#include "reports/film_prints.h"

#include "records/config_layout.h"
#include "reports/alpha_sort.h"
#include "reports/film_selection.h"
#include "reports/list_prompts.h"
#include "reports/print_walk.h"

namespace kelvo::reports {

namespace {

using records::FilmRecord;
namespace cfg = records::cfg;

using FilmTest = std::function<bool(const FilmRecord&)>;
using FilmLine = std::function<text::u16(const FilmRecord&)>;

text::u16 numeric_line(const FilmRecord& f) {
  return text::format("%-16I64d  %-40s  %-6s    %.2f", {f.number(), f.title(), f.category(), f.cost()});
}

// The film file is read once in file order, then the lines are printed in number order.
void print_films(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading, NumberRange range, FilmTest test,
                 FilmLine line = numeric_line) {
  std::vector<text::u16> texts;
  const bool read = records::select_in_number_order<FilmRecord, text::u16>(
      shop, shop.films, records::files::kFilm, screens.progress(), range.from, range.to,
      [&](const FilmRecord& f, std::vector<text::u16>& out) {
        if (test(f)) out.push_back(line(f));
      },
      texts);
  if (!read) {
    screens.progress().finish();
    return;
  }
  print_texts(shop, screens, std::move(heading), texts);
}

// The amount an overdue film owes: the band's daily rate in cents x 0.01 x days late.
float amount_due(const records::ConfigBlock& config, const FilmRecord& f, int days) {
  const int band = f.charge_band();
  const int64_t cents = band >= 1 && band <= 8 ? config.i64(cfg::overdue_rate(band)) : 0;
  return static_cast<float>(cents) * 0.01f * static_cast<float>(days);
}

// The "Overdue print detail" setting decides what ends the line.
text::u16 overdue_line(const records::ConfigBlock& config, const FilmRecord& f, int days) {
  const text::u16 date = stamp_date(f.last_hire());
  switch (config.i32(cfg::kOverduePrintDetail)) {
    case 1:
      return text::format("%-16I64d  %-40s  %s, %-6I64d %d", {f.number(), f.title(), date, f.on_loan_to(), f.charge_band()});
    case 2:
      return text::format("%-16I64d  %-40s  %s, %-6I64d %s", {f.number(), f.title(), date, f.on_loan_to(), f.category()});
    case 3:
      return text::format("%-16I64d  %-30s  %s, %I64d, %.2f, %d, %s",
                          {f.number(), f.title(), date, f.on_loan_to(), amount_due(config, f, days), f.charge_band(),
                           f.category()});
    default:
      return text::format("%-16I64d  %-40s  %s, %-6I64d %.2f",
                          {f.number(), f.title(), date, f.on_loan_to(), amount_due(config, f, days)});
  }
}

text::u16 rented_line(const FilmRecord& f) {
  return text::format("%-16I64d  %-40s  %-6s  ", {f.number(), f.title(), f.category()}) + stamp_time(f.last_hire()) +
         u" " + stamp_date(f.last_hire());
}

}  // namespace

void print_films_from(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Numeric film list: "), *range, [](const FilmRecord&) { return true; });
}

void print_films_alphabetically(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_alpha_range(shop);
  if (!range) return;
  const bool sorted = sort_films_into_work_file(shop, *range, screens.progress());
  screens.progress().finish();
  if (!sorted) return;
  print_work_file(shop, screens, catalogue::heading_start(shop, u"Alphabetical film list: "), kFilmWorkFile,
                  [](const WorkRecord& r, platform::PageWriter& w) {
                    w.line(text::format("%-16I64d  %-40s %-6s %-6s", {r.number(), r.text1(), r.text2(), r.text3()}));
                  });
}

void print_active_films(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Active film list: "), *range,
              [](const FilmRecord& f) { return f.on_loan_to() != 0; },
              [](const FilmRecord& f) {
                return text::format("%-16I64d  %-40s  %s, %I64d",
                                    {f.number(), f.title(), stamp_date(f.last_hire()), f.on_loan_to()});
              });
}

void print_films_by_category(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  auto typed = ask_text(shop, u"Category:", shop.config.str(cfg::category_name(1), cfg::kCategoryNameWidth));
  if (!typed) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Film category list: "), *range,
              [&](const FilmRecord& f) { return begins_with_folded(f.category(), *typed); });
}

void print_films_not_rented_since(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  auto year = ask_int(shop, u"Print films not rented since (YYYY):", 1990, 9999, u"2000");
  if (!year) return;
  auto month = ask_int(shop, u"Please enter the month (MM):", 1, 12, u"01");
  if (!month) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Rental gap film list: "), *range,
              [&](const FilmRecord& f) { return not_rented_since(f, *year, *month); },
              [](const FilmRecord& f) {
                const text::u16 date = stamp_date(f.last_hire());
                return date.empty() ? text::format("%-16I64d  %-40s  %-6s  Not rented", {f.number(), f.title(), f.category()})
                                    : text::format("%-16I64d  %-40s  %-6s  %s", {f.number(), f.title(), f.category(), date});
              });
}

void print_overdue_films(records::Shop& shop, catalogue::ListScreens& screens, bool ask_days) {
  int at_least = 1;
  if (ask_days) {
    auto days = ask_days_overdue(shop);
    if (!days) return;
    at_least = *days;
  }
  const text::DateTime now = shop.now();
  const text::u16 deadline = shop.config.return_deadline();
  print_films(shop, screens, catalogue::heading_start(shop, u"Overdue film list: "), NumberRange{},
              [&](const FilmRecord& f) { return film_days_overdue(f, now, deadline) >= at_least; },
              [&](const FilmRecord& f) { return overdue_line(shop.config, f, film_days_overdue(f, now, deadline)); });
}

void print_films_rented_today(records::Shop& shop, catalogue::ListScreens& screens) {
  const text::DateTime now = shop.now();
  const text::u16 today = text::make_date(now.day, now.month, now.year);
  print_films(shop, screens, catalogue::heading_start(shop, u"Films rented today: "), NumberRange{},
              [&](const FilmRecord& f) { return stamp_date(f.last_hire()) == today; },
              rented_line);
}

void print_films_rented_on(records::Shop& shop, catalogue::ListScreens& screens) {
  auto day = ask_day(shop);
  if (!day) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Films rented on a set day: "), NumberRange{},
              [&](const FilmRecord& f) { return stamp_date(f.last_hire()) == *day; },
              rented_line);
}

void print_films_due_on(records::Shop& shop, catalogue::ListScreens& screens) {
  auto day = ask_day(shop);
  if (!day) return;
  print_films(shop, screens, catalogue::heading_start(shop, u"Films due on a set day: "), NumberRange{},
              [&](const FilmRecord& f) { return f.on_loan_to() != 0 && stamp_date(f.return_date()) == *day; });
}

void print_films_by_band(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  auto band = ask_int(shop, u"Enter the band (1-8):", 1, 8);
  if (!band) return;
  const text::DateTime now = shop.now();
  const text::u16 date = shop.locale().format_date(now, u"MMMM d yyyy").value_or(text::make_date(now.day, now.month, now.year));
  print_films(shop, screens,
              text::format("%s  Film, charge band %I64d:  ", {shop.address.store_name(), static_cast<long long>(*band)}) + date,
              *range, [&](const FilmRecord& f) { return f.charge_band() == *band; });
}

void print_stock(records::Shop& shop, catalogue::ListScreens& screens) {
  auto from = ask_start_number(shop, u"Print stock lines from number:");
  if (!from) return;
  print_walk<records::StockRecord>(
      shop, screens, catalogue::heading_start(shop, u"Numeric stock list: "),
      records::IndexWalk<records::StockRecord>(shop, shop.stock, records::files::kStock, screens.progress(), *from),
      [](const records::StockRecord& s, platform::PageWriter& w) {
        w.line(text::format("%-16I64d  %-42s  %.2f, %.2f    %d",
                            {s.number(), s.description(), s.cost_price(), s.sale_price(), s.quantity()}));
      });
}

}  // namespace kelvo::reports
