// Every list and print command over one small shop: what it asks, which records it picks (the number
// starting each row or line), its window title or first heading and the exact text of its first line.
#include <gtest/gtest.h>

#include "records/config_layout.h"
#include "reports/film_lists.h"
#include "reports/film_prints.h"
#include "reports/list_fixture.h"
#include "reports/member_lists.h"

namespace kelvo::listtest {
namespace {

namespace cfg = records::cfg;

using Command = void (*)(records::Shop&, catalogue::ListScreens&);

struct Case { Command run; std::vector<std::u16string> answers; std::optional<catalogue::TypedRange> range; std::string title;
              std::vector<std::string> selection; std::string first; };

std::string heading(const char* list) { return std::string("TARKWELL SYSTEM ") + list + "December 7 2026  Page: 1"; }
std::string line(const char* format, std::initializer_list<text::FormatArg> args) { return text::to_utf8(text::format(format, args)); }

TEST_F(ListTest, EachListCommandPicksItsRecordsAndWritesItsLines) {  // on Monday 7 December 2026, 14:05
  struct Film { int64_t number; const char16_t *title, *category, *format, *actor, *director; int band; int64_t renter;
                const char16_t *hired, *due; bool out; };
  const Film films[] = {
      {1, u"Alien", u"SCI", u"DVD", u"Sigourney Weaver", u"Ridley Scott", 2, 10, u"09:1507/12/2026", u"20:0008/12/2026", true},
      {2, u"Brazil", u"COM", u"VHS", u"Jonathan Pryce", u"Terry Gilliam", 1, 11, u"10:0001/12/2026", u"20:0004/12/2026", true},
      {3, u"Casablanca", u"DRA", u"DVD", u"Humphrey Bogart", u"Michael Curtiz", 3, 0, u"", u"", false},
      {4, u"Duel", u"THR", u"BLU", u"Dennis Weaver", u"Steven Spielberg", 2, 12, u"16:4505/12/2026", u"               ", false},
      {5, u"1984", u"SCI", u"VHS", u"John Hurt", u"Michael Radford", 1, 12, u"11:0015/03/2019", u"               ", false},
  };
  for (const Film& s : films) {
    auto f = cattest::film(s.number, s.title, s.band);
    f.set_category(s.category), f.set_format(s.format), f.set_certificate(u"15"), f.set_cost(4.5f);
    f.set_actor_1(s.actor), f.set_director(s.director);
    ASSERT_TRUE(records::add_film(shop_, f));
    change_film(s.number, [&](records::FilmRecord& r) {
      if (s.renter != 0) r.push_renter(s.renter);
      r.set_on_loan_to(s.out ? s.renter : 0), r.set_last_hire(s.hired), r.set_return_date(s.due);
    });
  }
  // Most recent last: Brazil and Duel rented, Duel returned.
  shop_.config.set_i64(cfg::kLastRentedItems + 8 * 16, 2);
  shop_.config.set_i64(cfg::kLastRentedItems + 8 * 17, 4);
  shop_.config.set_i64(cfg::kLastReturnedItems + 8 * 17, 4);
  struct Member { int64_t number; const char16_t *title, *first, *name, *road, *last_used; float owed; int category; int64_t item; };
  const Member members[] = {
      {10, u"Ms", u"Ann", u"Adams", u"1 High St", u"09:1507/12/2026", 2.5f, 1, 1},
      {11, u"Mr", u"Bob", u"Brown", u"2 Low Rd", u"10:0001/12/2026", -1.0f, 2, 2},
      {12, u"Mr", u"Cy", u"Clark", u"3 Mill Ln", u"16:4505/12/2019", 0.0f, 1, 0},
      {13, u"", u"Dee", u"davis", u"4 Kiln Way", u"NEW", 0.0f, 1, 0},
  };
  for (const Member& s : members) {
    records::MemberRecord m = cattest::member(s.number, s.name, s.first, s.road);
    ASSERT_TRUE(records::add_member(shop_, m));
    ASSERT_TRUE(records::read_member(shop_, s.number, m));
    m.set_title(s.title), m.set_telephone1(text::format("0114 %I64d", {s.number})), m.set_last_used(s.last_used);
    m.set_owed(s.owed), m.set_category(s.category);
    if (s.item != 0)
      m.set_on_loan(0, s.item), m.set_on_loan_rented(0, films[s.item - 1].hired), m.set_on_loan_due(0, films[s.item - 1].due);
    m.refresh_on_loan_flag();
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  for (auto [n, description, quantity] : {std::tuple{3, u"Popcorn", 12}, std::tuple{9, u"Cola", 0}}) {
    records::StockRecord r;
    r.set_number(n), r.set_description(description), r.set_cost_price(0.4f), r.set_sale_price(1.25f), r.set_quantity(quantity);
    ASSERT_TRUE(records::add_stock(shop_, r));
  }
  reset_output();
  const catalogue::TypedRange all{u"1", u"100"};
  const char* numeric = "%-16I64d  %-40s  %-6s    %.2f";
  const char* member = "%-16I64d%-5s%-6s %-20s %s T: %s";
  using namespace reports;
  using catalogue::TypedRange;
  const std::string alien = "1 | Alien | SCI | 15, DVD, 4.50", brown = "11 | Brown | Mr Bob | 2 Low Rd";
  const std::vector<Case> cases = {
      {list_films_from, {u"2"}, {}, "Film list", {"2", "3", "4", "5"}, "2 | Brazil | COM | 15, VHS, 4.50"},
      {list_films_alphabetically, {u"A", u"Z"}, {}, "Alphabetical film list", {"5", "1", "2", "3", "4"}, "5 | 1984 | SCI | 15, VHS, 4.50"},
      {list_films_by_category, {u"sc"}, {}, "Film list by category", {"1", "5"}, alien},
      {list_films_by_format, {u"dv"}, {}, "Film list by format", {"1", "3"}, alien},
      {list_films_by_band, {u"2"}, {}, "Films band 2", {"1", "4"}, alien},
      {list_films_by_actor, {u"?ENNIS"}, {}, "Film list by actor", {"4"}, "4 | Duel | THR | 15, BLU, 4.50"},
      {list_films_by_actor, {u"=Weaver"}, {}, "Film list by actor", {"1", "4"}, alien},
      {list_films_by_director, {u"michael"}, {}, "Film list by director", {"3", "5"}, "3 | Casablanca | DRA | 15, DVD, 4.50"},
      {list_active_films, {}, {}, "Films active", {"1", "2"}, "1 | Alien | 10 | Mon 7 Dec 26"},
      {[](records::Shop& s, catalogue::ListScreens& l) { list_overdue_films(s, l, OverdueKind::AnyDays); }, {}, {},
       "Overdue items", {"2"}, "2 | Brazil | 11 | Tue 1 Dec 26"},
      {list_films_rented_today, {}, {}, "Films rented today", {"1"}, "1 | Alien | SCI | 09:15, 10"},
      {list_films_rented_on, {u"05/12/2026"}, {}, "Films rented 05/12/2026", {"4"}, "4 | Duel | THR | 15, BLU, 4.50"},
      {list_just_rented, {}, {}, "Recent rentals", {"4", "2"}, "4 | Duel | 16:45 | 12"},
      {list_just_returned, {}, {}, "Recent returns", {"4"}, "4 | Duel | 16:45 | 12"},
      {list_stock, {u"1"}, {}, "Stock list", {"3", "9"}, "3 | Popcorn | 0.40, 1.25 | 12"},
      {list_members_from, {u"11"}, {}, "Member list", {"11", "12", "13"}, brown},
      {list_members_alphabetically, {u"b", u"D"}, {}, "Alphabetical member list", {"11", "12", "13"}, brown},
      {list_members_owing, {}, {}, "Members with non zero credit", {"10", "11"}, "10 | 2.50, Adams | Ms Ann | 1 High St"},
      {list_active_members, {}, {}, "Member list active", {"10", "11"}, "10 | Adams | Ms Ann | 1 High St"},
      {list_members_not_category1, {}, {}, "Member list not category 1", {"11"}, "11 | 2, Brown | Mr Bob | 2 Low Rd"},
      {print_films_alphabetically, {u"B", u"D"}, {}, heading("Alphabetical film list: "), {"2", "3", "4"},
       line("%-16I64d  %-40s %-6s %-6s", {2LL, u"Brazil", u"COM", u"1"})},
      {print_active_films, {}, all, heading("Active film list: "), {"1", "2"},
       line("%-16I64d  %-40s  %s, %I64d", {1LL, u"Alien", u"07/12/2026", 10LL})},
      {print_films_by_category, {u"sci"}, TypedRange{u"2", u"5"}, heading("Film category list: "), {"5"},
       line(numeric, {5LL, u"1984", u"SCI", 4.5f})},
      {print_films_not_rented_since, {u"2019", u"03"}, all, heading("Rental gap film list: "), {"3", "5"},
       line("%-16I64d  %-40s  %-6s  Not rented", {3LL, u"Casablanca", u"DRA"})},
      {print_films_rented_today, {}, {}, heading("Films rented today: "), {"1"},
       line("%-16I64d  %-40s  %-6s  09:15 07/12/2026", {1LL, u"Alien", u"SCI"})},
      {print_films_rented_on, {u"05/12/2026"}, {}, heading("Films rented on a set day: "), {"4"},
       line("%-16I64d  %-40s  %-6s  16:45 05/12/2026", {4LL, u"Duel", u"THR"})},
      {print_films_due_on, {u"04/12/2026"}, {}, heading("Films due on a set day: "), {"2"}, line(numeric, {2LL, u"Brazil", u"COM", 4.5f})},
      {print_films_by_band, {u"2"}, all, heading(" Film, charge band 2:  "), {"1", "4"}, line(numeric, {1LL, u"Alien", u"SCI", 4.5f})},
      {print_stock, {u"4"}, {}, heading("Numeric stock list: "), {"9"},
       line("%-16I64d  %-42s  %.2f, %.2f    %d", {9LL, u"Cola", 0.4f, 1.25f, 0})},
      {print_members_from, {}, TypedRange{u"11", u"12"}, heading("Numeric member list: "), {"11", "12"},
       line(member, {11LL, u"Mr", u"Bob", u"Brown", u"2 Low Rd", u"0114 11"})},
      {print_members_alphabetically, {u"A", u"Z"}, {}, heading("Alphabetical member list: "), {"10", "11", "12", "13"},
       line("%-16I64d  %-30s %-6s %-6s", {10LL, u"Adams", u"Ms", u"Ann"})},
      {print_active_members, {}, {}, heading("Active member list: "), {"10", "11"},
       line(member, {10LL, u"Ms", u"Ann", u"Adams", u"1 High St", u"0114 10"})},
      {print_members_owing, {}, {}, heading("Debit / credit member list: "), {"10", "11"},
       line("%-16I64d %s %s %s, %s, T: %s, %.2f", {10LL, u"Ms", u"Ann", u"Adams", u"1 High St", u"0114 10", 2.5f})},
      {print_members_not_category1, {}, {}, heading("Non default category member list: "), {"11"},
       line(member, {11LL, u"Mr", u"Bob", u"Brown", u"2 Low Rd", u"0114 11"})},
      {print_members_not_seen_since, {u"2019"}, {}, heading("Useage gap member list: "), {"12", "13"},
       line(member, {12LL, u"Mr", u"Cy", u"Clark", u"3 Mill Ln", u"0114 12"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    views_.pages.clear(), views_.list_titles.clear(), screens_.printer_ = platform::RecordingPrinter();
    for (const auto& a : c.answers) op_.type(a);
    if (c.range) screens_.ranges.push_back(*c.range);
    c.run(shop_, screens_);
    EXPECT_TRUE(op_.answers.empty() && screens_.ranges.empty() && op_.messages.empty());
    const bool print = screens_.printer_.documents() > 0;
    auto rows = print ? printed(1) : shown_rows();
    ASSERT_TRUE(print ? rows.size() >= 2 && rows.back() == "End output." : !views_.list_titles.empty());
    EXPECT_EQ(print ? rows.front() : views_.list_titles.front(), c.title);
    if (print) rows = {rows.begin() + 1, rows.end() - 1};
    std::vector<std::string> selection;
    for (const auto& r : rows) selection.push_back(r.substr(0, r.find(' ')));
    EXPECT_EQ(selection, c.selection);
    if (!rows.empty()) {
      EXPECT_EQ(rows.front(), c.first);
    }
  }
}

}  // namespace
}  // namespace kelvo::listtest
