#include "reports/film_lists.h"

#include <algorithm>

#include "catalogue/list_window.h"
#include "records/config_layout.h"
#include "reports/alpha_sort.h"
#include "reports/film_selection.h"
#include "reports/list_prompts.h"
#include "reports/list_rows.h"

namespace kelvo::reports {

namespace {

using catalogue::ListRow;
using records::FilmRecord;
namespace cfg = records::cfg;

using FilmTest = std::function<bool(const FilmRecord&)>;

records::IndexWalk<FilmRecord> film_walk(records::Shop& shop, catalogue::ListScreens& screens, int64_t from = 1) {
  return records::IndexWalk<FilmRecord>(shop, shop.films, records::files::kFilm, screens.progress(), from);
}

// Pages through the films from a number on that pass the test, each shown by `row`. The film
// file is read once in file order before the first page.
void show_films(records::Shop& shop, catalogue::ListScreens& screens, text::u16view title, FilmTest test,
                std::function<ListRow(const FilmRecord&)> row = film_row, int64_t from = 1) {
  std::vector<ListRow> rows;
  const bool read = records::select_in_number_order<FilmRecord, ListRow>(
      shop, shop.films, records::files::kFilm, screens.progress(), from, records::kMaxNumber,
      [&](const FilmRecord& f, std::vector<ListRow>& out) {
        if (test(f)) out.push_back(row(f));
      },
      rows);
  screens.progress().finish();
  if (read) catalogue::show_list(shop.op(), screens.views(), title, rows);
}

void list_by_person(records::Shop& shop, catalogue::ListScreens& screens, text::u16view question, text::u16view title,
                    bool director) {
  auto typed = ask_text(shop, question);
  if (!typed) return;
  show_films(shop, screens, title, [&](const FilmRecord& f) {
    return director ? person_matches(f.director(), *typed)
                    : person_matches(f.actor_1(), *typed) || person_matches(f.actor_2(), *typed);
  });
}

// The films remembered in the configuration block, most recent first, that are still on file.
void list_remembered(records::Shop& shop, catalogue::ListScreens& screens, size_t offset, text::u16view title) {
  constexpr int kKept = 18, kShown = 12;
  std::vector<ListRow> rows;
  for (int i = kKept - 1; i >= kKept - kShown; --i) {
    const int64_t number = shop.config.i64(offset + 8 * static_cast<size_t>(i));
    FilmRecord f;
    if (number <= 0 || !shop.films.index().contains(number) || !records::read_film(shop, number, f)) continue;
    // Who rented it, whether or not it has come back since.
    rows.push_back(recent_row(f, f.last_rental_by()));
  }
  catalogue::show_list(shop.op(), screens.views(), title, rows);
}

}  // namespace

void list_films_from(records::Shop& shop, catalogue::ListScreens& screens) {
  auto from = ask_start_number(shop, u"List from number:");
  if (!from) return;
  show_films(shop, screens, u"Film list", [](const FilmRecord&) { return true; }, film_row, *from);
}

void list_films_alphabetically(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_alpha_range(shop);
  if (!range) return;
  const bool sorted = sort_films_into_work_file(shop, *range, screens.progress());
  screens.progress().finish();
  if (!sorted) return;
  // The work file holds title, category and band; the last column comes from the film itself.
  WorkFileRows rows(shop, kFilmWorkFile, [&](const WorkRecord& w) {
    FilmRecord f;
    if (records::read_film(shop, w.number(), f)) return film_row(f);
    return ListRow{text::format("%I64d", {w.number()}), w.text1(), w.text2(), {}};
  });
  catalogue::show_list(shop.op(), screens.views(), u"Alphabetical film list", rows);
}

void list_films_by_category(records::Shop& shop, catalogue::ListScreens& screens) {
  auto typed = ask_text(shop, u"Film category:");
  if (!typed) return;
  show_films(shop, screens, u"Film list by category",
             [&](const FilmRecord& f) { return begins_with_folded(f.category(), *typed); });
}

void list_films_by_format(records::Shop& shop, catalogue::ListScreens& screens) {
  auto typed = ask_text(shop, u"Format:");
  if (!typed) return;
  show_films(shop, screens, u"Film list by format",
             [&](const FilmRecord& f) { return begins_with_folded(f.format(), *typed); });
}

void list_films_by_band(records::Shop& shop, catalogue::ListScreens& screens) {
  auto band = ask_int(shop, u"Enter band (1-8):", 1, 8);
  if (!band) return;
  show_films(shop, screens, text::format("Films band %s", {text::format("%d", {*band})}),
             [&](const FilmRecord& f) { return f.charge_band() == *band; });
}

void list_films_by_actor(records::Shop& shop, catalogue::ListScreens& screens) {
  list_by_person(shop, screens, u"Actor: (?=Wildcard)", u"Film list by actor", false);
}

void list_films_by_director(records::Shop& shop, catalogue::ListScreens& screens) {
  list_by_person(shop, screens, u"Director: (?=Wildcard)", u"Film list by director", true);
}

void list_active_films(records::Shop& shop, catalogue::ListScreens& screens) {
  show_films(shop, screens, u"Films active", [](const FilmRecord& f) { return f.on_loan_to() != 0; },
             [&](const FilmRecord& f) { return active_row(f, shop.locale()); });
}

void list_overdue_films(records::Shop& shop, catalogue::ListScreens& screens, OverdueKind kind) {
  int days = 1;
  if (kind != OverdueKind::AnyDays) {
    auto typed = ask_days_overdue(shop);
    if (!typed) return;
    days = *typed;
  }
  const text::DateTime now = shop.now();
  const text::u16 deadline = shop.config.return_deadline();
  show_films(shop, screens, u"Overdue items", [&](const FilmRecord& f) {
    const int late = film_days_overdue(f, now, deadline);
    if (late < 1) return false;
    return kind == OverdueKind::Below ? late < days : late >= days;
  }, [&](const FilmRecord& f) { return active_row(f, shop.locale()); });
}

void list_films_rented_today(records::Shop& shop, catalogue::ListScreens& screens) {
  const text::DateTime now = shop.now();
  const text::u16 today = text::make_date(now.day, now.month, now.year);
  show_films(shop, screens, u"Films rented today",
             [&](const FilmRecord& f) { return stamp_date(f.last_hire()) == today; }, rented_row);
}

void list_films_rented_on(records::Shop& shop, catalogue::ListScreens& screens) {
  auto day = ask_day(shop);
  if (!day) return;
  show_films(shop, screens, text::format("Films rented %s", {*day}),
             [&](const FilmRecord& f) { return stamp_date(f.last_hire()) == *day; }, rented_row);
}

void list_just_rented(records::Shop& shop, catalogue::ListScreens& screens) {
  list_remembered(shop, screens, cfg::kLastRentedItems, u"Recent rentals");
}

void list_just_returned(records::Shop& shop, catalogue::ListScreens& screens) {
  list_remembered(shop, screens, cfg::kLastReturnedItems, u"Recent returns");
}

void list_highest_historic(records::Shop& shop, catalogue::ListScreens& screens) {
  std::vector<text::u16> choices{u"All categories"};
  // Only the categories the shop has named are offered.
  for (int i = 1; i <= cfg::kCategoryCount; ++i) {
    auto name = shop.config.str(cfg::category_name(i), cfg::kCategoryNameWidth);
    if (!name.empty()) choices.push_back(name);
  }
  auto chosen = shop.op().choose(u"Select category", choices, 0);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(choices.size())) return;
  const bool all = *chosen == 0;
  const text::u16 category = choices[*chosen];

  // The hundred films with the most rentals; a film takes the place of the smallest entry
  // only when it has more.
  struct Top {
    int rentals = 0;
    WorkRecord record;
  };
  std::vector<Top> table(100);
  auto walk = film_walk(shop, screens);
  FilmRecord f;
  while (walk.next(f)) {
    if (!all && f.category() != category) continue;
    auto smallest = std::min_element(table.begin(), table.end(),
                                     [](const Top& a, const Top& b) { return a.rentals < b.rentals; });
    if (f.rentals() <= smallest->rentals) continue;
    smallest->rentals = f.rentals();
    smallest->record.set_number(f.number());
    smallest->record.set_text1(f.title());
    smallest->record.set_text2(text::format("%d", {f.rentals()}));
    smallest->record.set_text3(stamp_date(f.last_hire()));
  }
  screens.progress().finish();
  if (walk.cancelled_or_failed()) return;
  std::stable_sort(table.begin(), table.end(), [](const Top& a, const Top& b) { return a.rentals > b.rentals; });
  std::vector<WorkRecord> out;
  for (const Top& t : table)
    if (t.rentals > 0) out.push_back(t.record);
  if (!write_work_file(shop.path(kFilmWorkFile), out)) {
    platform::problem(shop.op(), u"Data file: f2.dat.");
    return;
  }
  auto at = [&](size_t i) { return i < category.size() ? category[i] : u' '; };
  const text::u16 title =
      all ? text::u16(u"Top films: All categories") : text::format("Top films for category %c%c%c", {at(0), at(1), at(2)});
  WorkFileRows rows(shop, kFilmWorkFile, [](const WorkRecord& w) {
    return ListRow{text::format("%I64d", {w.number()}), w.text1(), w.text2(), w.text3()};
  });
  catalogue::show_list(shop.op(), screens.views(), title, rows);
}

void list_stock(records::Shop& shop, catalogue::ListScreens& screens) {
  auto from = ask_start_number(shop, u"List from number:");
  if (!from) return;
  IndexRows<records::StockRecord> rows(
      records::IndexWalk<records::StockRecord>(shop, shop.stock, records::files::kStock, screens.progress(), *from),
      [](const records::StockRecord& s, std::vector<ListRow>& out) { out.push_back(stock_row(s)); });
  catalogue::show_list(shop.op(), screens.views(), u"Stock list", rows);
  screens.progress().finish();
}

}  // namespace kelvo::reports
