// The displayed lists: the sorted work file, the selections and the paging of the list window.
#include <gtest/gtest.h>

#include <filesystem>

#include "records/file_io.h"
#include "reports/alpha_sort.h"
#include "reports/film_lists.h"
#include "reports/film_prints.h"
#include "reports/film_selection.h"
#include "reports/member_lists.h"
#include "records/config_layout.h"
#include "reports/list_fixture.h"
#include "reports/work_file.h"
#include "text/coding.h"

namespace kelvo::listtest {
namespace {

using cattest::film;
using records::FilmRecord;

std::string text_at(const std::vector<uint8_t>& b, size_t off, size_t width) {
  return text::to_utf8(text::get_text(&b[off], width));
}

class SortedListTest : public ListTest {
 protected:
  // Titles the record layer would refuse (one character) can still be on file: written here
  // straight into the records after adding.
  void given_titles(const std::vector<std::u16string>& titles) {
    int64_t n = 100;
    for (const auto& t : titles) {
      FilmRecord f = film(++n, u"XX", 3);
      f.set_category(u"ACT");
      ASSERT_TRUE(records::add_film(shop_, f));
      change_film(n, [&](FilmRecord& r) { r.set_title(t); });
    }
    ASSERT_TRUE(records::open_data(shop_));  // the prefix table as the next start builds it
    reset_output();
  }
  std::vector<std::string> work_file_titles() {
    std::vector<std::string> out;
    auto bytes = records::read_whole(shop_.path(reports::kFilmWorkFile));
    if (!bytes) return out;
    for (size_t at = 0; at + 212 <= bytes->size(); at += 212) out.push_back(text_at(*bytes, at + 8, 84));
    return out;
  }
};

TEST_F(SortedListTest, AlphabeticalOrderListsEveryTitleOfTheRange) {
  // Equal once raised ("the abyss", "The Abyss") keeps the file's order; titles alike in their
  // first words are told apart further on; a film with no title is still listed.
  given_titles({u"THE END", u"Zé", u"9 to 5", u"Abyss", u"A_team", u"X", u"the birds", u"Éclair", u"Xanadu",
                u"2001 A Space", u"a bout de souffle", u"Zoë", u"(Untitled)", u"Azure", u"the abyss", u"The Abyss",
                u"The Adventures of Zorro", u"", u"THE ADVENTURES OF ROBIN"});
  struct Case {
    const char16_t *start, *end;
    std::vector<std::string> titles;
  };
  const std::vector<std::string> a_group = {"", "(Untitled)", "2001 A Space", "9 to 5", "Éclair", "a bout de souffle",
                                            "Abyss", "Azure", "A_team"};
  std::vector<std::string> all = a_group;
  const std::vector<std::string> b_to_t = {"the abyss", "The Abyss", "THE ADVENTURES OF ROBIN",
                                           "The Adventures of Zorro", "the birds", "THE END"};
  all.insert(all.end(), b_to_t.begin(), b_to_t.end());
  for (const char* t : {"X", "Xanadu", "Zoë", "Zé"}) all.push_back(t);
  const std::vector<Case> cases = {
      {u"A", u"Z", all},
      {u"a", u"a", a_group},
      {u"B", u"T", b_to_t},
      {u"X", u"x", {"X", "Xanadu"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::to_utf8(c.start) + ".." + text::to_utf8(c.end));
    auto range = reports::alpha_range(c.start, c.end);
    ASSERT_TRUE(range);
    ASSERT_TRUE(reports::sort_films_into_work_file(shop_, *range, screens_.progress()));
    EXPECT_EQ(work_file_titles(), c.titles);
  }
}

TEST_F(SortedListTest, WorkFileRecordsAreLaidOutAt212Bytes) {
  given_titles({u"Jaws"});
  op_.type(u"A");
  op_.type(u"Z");
  reports::list_films_alphabetically(shop_, screens_);
  auto bytes = records::read_whole(shop_.path(reports::kFilmWorkFile));
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 212u);
  EXPECT_EQ(text::get_i64(&(*bytes)[0]), 101);
  EXPECT_EQ(text_at(*bytes, 8, 84), "Jaws");
  EXPECT_EQ(text_at(*bytes, 92, 60), "ACT");
  EXPECT_EQ(text_at(*bytes, 152, 60), "3");
  ASSERT_EQ(views_.list_titles, std::vector<std::string>{"Alphabetical film list"});
  EXPECT_EQ(shown_rows(), std::vector<std::string>{"101 | Jaws | ACT | , , 0.00"});
}

// m2.dat: number, last name, title and first name at 0, 8, 92 and 152, in the order of the names,
// the range's last letter included.
TEST_F(SortedListTest, MemberWorkFileHoldsNameTitleAndFirstNameAt212Bytes) {
  auto with_title = [](records::MemberRecord m, const char16_t* title) {
    m.set_title(title);
    return m;
  };
  given_members({with_title(cattest::member(7, u"smith", u"Anne"), u"Ms"),
                 with_title(cattest::member(8, u"Adams", u"Bob Charles Dickens"), u"Mr"),
                 with_title(cattest::member(9, u"O'Brien", u"Cy"), u"Dr"), cattest::member(10, u"Taylor")});
  ASSERT_TRUE(records::open_data(shop_));
  ASSERT_TRUE(reports::sort_members_into_work_file(shop_, {u'A', u'S'}, screens_.progress()));
  auto bytes = records::read_whole(shop_.path(reports::kMemberWorkFile));
  ASSERT_TRUE(bytes);
  std::vector<std::string> records;
  for (size_t at = 0; at + 212 <= bytes->size(); at += 212)
    records.push_back(std::to_string(text::get_i64(&(*bytes)[at])) + " " + text_at(*bytes, at + 8, 84) + "|" +
                      text_at(*bytes, at + 92, 60) + "|" + text_at(*bytes, at + 152, 60));
  EXPECT_EQ(records, (std::vector<std::string>{"8 Adams|Mr|Bob Charles Dickens", "9 O'Brien|Dr|Cy",
                                               "7 smith|Ms|Anne"}));
  EXPECT_EQ(bytes->size(), 3u * 212);
}

TEST_F(SortedListTest, CancelledSortLeavesTheWorkFileInUseUntouched) {
  given_titles({u"Alien", u"Brazil"});
  ASSERT_TRUE(reports::sort_films_into_work_file(shop_, {u'A', u'Z'}, screens_.progress()));
  const auto before = records::read_whole(shop_.path(reports::kFilmWorkFile));
  given_films({film(300, u"Casablanca")});
  screens_.progress_.cancel_at = 0;
  op_.type(u"A");
  op_.type(u"Z");
  reports::list_films_alphabetically(shop_, screens_);
  EXPECT_EQ(records::read_whole(shop_.path(reports::kFilmWorkFile)), before);
  EXPECT_TRUE(views_.pages.empty());
  EXPECT_TRUE(op_.messages.empty());
}

TEST(AlphaRangeTest, LettersOfEitherCaseWithTheEndNotBeforeTheStart) {
  struct Case {
    const char16_t *start, *end;
    std::optional<std::pair<char16_t, char16_t>> range;
  };
  const Case cases[] = {
      {u"a", u"z", {{u'A', u'Z'}}}, {u"M", u"M", {{u'M', u'M'}}}, {u"Z", u"A", std::nullopt},
      {u"1", u"Z", std::nullopt},   {u"", u"Z", std::nullopt},   {u"A", u"[", std::nullopt},
  };
  for (const auto& c : cases) {
    auto r = reports::alpha_range(c.start, c.end);
    ASSERT_EQ(r.has_value(), c.range.has_value()) << text::to_utf8(c.start) << text::to_utf8(c.end);
    if (r) {
      EXPECT_EQ(std::make_pair(r->start, r->end), *c.range);
    }
  }
}

TEST(PersonMatchTest, WildcardPrefixOrExactFragment) {
  struct Case {
    const char16_t *name, *typed;
    bool match;
  };
  const Case cases[] = {
      {u"Harrison Ford", u"harr", true},   {u"Harrison Ford", u"H?rr", true},  {u"Harrison Ford", u"?arrison F", true},
      {u"Harrison Ford", u"Ford", false},  {u"Harrison Ford", u"=Ford", true}, {u"Harrison Ford", u"=ford", false},
      {u"Ford", u"Ford?", false},          {u"Ford", u"=", false},            {u"Meryl", u"MERYL", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(reports::person_matches(c.name, c.typed), c.match) << text::to_utf8(c.name) << " / " << text::to_utf8(c.typed);
}

TEST_F(ListTest, PagesOfThirteenWithMoreOnlyWhileRowsFollow) {
  for (int64_t n = 1; n <= 27; ++n) {
    FilmRecord f = film(n, u"Film " + text::format("%d", {n}));
    ASSERT_TRUE(records::add_film(shop_, f));
  }
  reset_output();
  op_.type(u"1");
  reports::list_films_from(shop_, screens_);
  ASSERT_EQ(views_.pages.size(), 3u);
  EXPECT_EQ(views_.pages[0].size(), 13u);
  EXPECT_EQ(views_.pages[2].size(), 1u);
  EXPECT_EQ(views_.more_left, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(text::to_utf8(views_.pages[2][0][0]), "27");

  // Cancel on the first page reads no further; a start number begins the list there.
  views_.pages.clear();
  views_.more_left.clear();
  views_.list_answers = {catalogue::ListAnswer::Cancel};
  op_.type(u"15");
  reports::list_films_from(shop_, screens_);
  ASSERT_EQ(views_.pages.size(), 1u);
  EXPECT_EQ(text::to_utf8(views_.pages[0][0][0]), "15");
}

TEST_F(ListTest, StartNumberBounds) {
  given_films({film(5, u"Alien")});
  struct Case {
    const char16_t* typed;
    const char* message;  // nullptr: the list is shown
  };
  const Case cases[] = {{u"0", "Outside range"},
                        {u"1", nullptr},
                        {u"100000000000000000", "No items on record."},
                        {u"100000000000000001", "Outside range"}};
  for (const auto& c : cases) {
    reset_output();
    views_.pages.clear();
    op_.type(c.typed);
    reports::list_films_from(shop_, screens_);
    if (c.message) {
      EXPECT_TRUE(op_.saw("Problem", c.message)) << text::to_utf8(c.typed);
      EXPECT_TRUE(views_.pages.empty());
    } else {
      EXPECT_EQ(views_.pages.size(), 1u);
    }
  }
}

TEST_F(ListTest, CancelWhileReadingShowsNoHalfMadePage) {
  for (int64_t n = 1; n <= 20; ++n) given_members({cattest::member(n, u"Member")});
  // Each member read is one step; a page needs its rows and one read ahead.
  for (auto [cancel_at, pages] : {std::pair{-1, 2u}, {13, 0u}, {14, 1u}}) {
    views_.pages.clear(), op_.type(u"1");
    screens_.progress_.steps = 0, screens_.progress_.cancel_at = cancel_at;
    reports::list_members_from(shop_, screens_);
    EXPECT_EQ(views_.pages.size(), pages) << cancel_at;
    EXPECT_TRUE(op_.messages.empty()) << cancel_at;  // a Cancel is no empty list
  }
}

// Nothing is shown or printed after the message naming the file.
TEST_F(ListTest, FilesThatCannotBeReadAreNamed) {
  namespace fs = std::filesystem;
  given_films({film(1, u"Alien"), film(2, u"Brazil")});
  given_members({cattest::member(1, u"Adams"), cattest::member(2, u"Brown")});
  auto cut_short = [&](std::string_view name) { fs::resize_file(shop_.path(name), fs::file_size(shop_.path(name)) - 100); };
  auto gone_after_sorting = [&](std::string_view work) { screens_.progress_.on_finish = [=, this] { fs::remove(shop_.path(work)); }; };
  using Command = void (*)(records::Shop&, catalogue::ListScreens&);
  const struct { const char* name; std::function<void()> damage; Command run; const char *caption, *message; } cases[] = {
      {"member.dat short", [&] { cut_short(records::files::kMember); }, reports::list_members_owing, "Problem", "Member.dat"},
      {"film.dat short", [&] { cut_short(records::files::kFilm); }, reports::list_films_alphabetically, "Problem", "Film.dat"},
      {"f2.dat unreadable", [&] { gone_after_sorting(reports::kFilmWorkFile); }, reports::print_films_alphabetically,
       "Fatal error", "Data file: f2.dat, not present."},
      {"m2.dat unreadable", [&] { gone_after_sorting(reports::kMemberWorkFile); }, reports::list_members_alphabetically,
       "Fatal error", "Data file: m2.dat, not present."},
  };
  const fs::path kept = folder_ / "kept";
  fs::create_directory(kept);
  const auto files = {records::files::kFilm, records::files::kMember};
  for (auto name : files) fs::copy_file(shop_.path(name), kept / name);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reset_output(), views_.pages.clear(), c.damage(), op_.type(u"A"), op_.type(u"Z");
    c.run(shop_, screens_);
    screens_.progress_.on_finish = nullptr;
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0].caption, c.caption);
    EXPECT_EQ(op_.messages[0].body, c.message);
    EXPECT_TRUE(views_.pages.empty() && screens_.printer_.documents() == 0);
    for (auto name : files) fs::copy_file(kept / name, shop_.path(name), fs::copy_options::overwrite_existing);
  }
}

TEST_F(ListTest, OverdueSelectionsAtTheirLimits) {
  // At 14:05 with the return deadline 20:00, a film due yesterday is one day late.
  const char16_t* due[] = {u"20:0007/12/2026", u"20:0006/12/2026", u"20:0005/12/2026", u"20:0004/12/2026"};
  for (int i = 0; i < 4; ++i) {
    given_films({film(10 + i, u"Film")});
    change_film(10 + i, [&](FilmRecord& f) {
      f.set_on_loan_to(7);
      f.set_return_date(due[i]);
      f.set_last_hire(u"10:0001/12/2026");
    });
  }
  given_films({film(20, u"In stock")});
  struct Case {
    reports::OverdueKind kind;
    const char16_t* days;
    std::vector<std::string> numbers;
  };
  const Case cases[] = {
      {reports::OverdueKind::AnyDays, nullptr, {"11", "12", "13"}},
      {reports::OverdueKind::AtLeast, u"2", {"12", "13"}},
      {reports::OverdueKind::Below, u"2", {"11"}},
      {reports::OverdueKind::Below, u"3", {"11", "12"}},
  };
  for (const auto& c : cases) {
    views_.pages.clear();
    if (c.days) op_.type(c.days);
    reports::list_overdue_films(shop_, screens_, c.kind);
    EXPECT_EQ(shown_numbers(), c.numbers);
  }
  EXPECT_EQ(views_.list_titles.back(), "Overdue items");
  EXPECT_EQ(text::to_utf8(views_.pages[0][0][2]), "7");
  EXPECT_EQ(text::to_utf8(views_.pages[0][0][3]), "Tue 1 Dec 26");
}

TEST_F(ListTest, HighestHistoricKeepsTheHundredMostRented) {
  namespace cfg = records::cfg;
  for (int i = 1; i <= cfg::kCategoryCount; ++i) shop_.config.set_str(cfg::category_name(i), cfg::kCategoryNameWidth, u"");
  shop_.config.set_str(cfg::category_name(1), cfg::kCategoryNameWidth, u"ACT");
  shop_.config.set_str(cfg::category_name(2), cfg::kCategoryNameWidth, u"DRA");
  // 101 films rented 1 to 101 times (the one rented once falls out), one never rented, and a
  // drama rented as often as the most rented action film.
  for (int64_t n = 1; n <= 101; ++n) {
    FilmRecord f = film(n, u"Action");
    f.set_category(u"ACT");
    ASSERT_TRUE(records::add_film(shop_, f));
    change_film(n, [&](FilmRecord& r) {
      r.set_rentals(static_cast<int>(n));
      r.set_last_hire(u"10:0001/12/2026");
    });
  }
  FilmRecord drama = film(200, u"Drama"), unrented = film(201, u"Unrented");
  drama.set_category(u"DRA");
  ASSERT_TRUE(records::add_film(shop_, drama));
  ASSERT_TRUE(records::add_film(shop_, unrented));
  change_film(200, [](FilmRecord& r) { r.set_rentals(101); });
  struct Case {
    int choice;
    std::string title;
    size_t rows;
    std::vector<std::string> first, last;
  };
  const Case cases[] = {
      {0, "Top films: All categories", 100, {"101", "200", "100"}, {"5", "4", "3"}},
      {1, "Top films for category ACT", 100, {"101", "100", "99"}, {"4", "3", "2"}},
      {2, "Top films for category DRA", 1, {"200"}, {"200"}},
  };
  for (const auto& c : cases) {
    views_.pages.clear();
    op_.choices.push_back(c.choice);
    reports::list_highest_historic(shop_, screens_);
    EXPECT_EQ(op_.lists.back(), (std::vector<std::string>{"All categories", "ACT", "DRA"}));
    EXPECT_EQ(views_.list_titles.back(), c.title);
    auto numbers = shown_numbers();
    ASSERT_EQ(numbers.size(), c.rows);
    EXPECT_EQ(std::vector<std::string>(numbers.begin(), numbers.begin() + c.first.size()), c.first);
    EXPECT_EQ(std::vector<std::string>(numbers.end() - c.last.size(), numbers.end()), c.last);
  }
  EXPECT_EQ(shown_rows().front(), "200 | Drama | 101 | ");  // no last rental date on file
}

TEST_F(ListTest, OverdueMembersWithTheirTransactionScreens) {
  given_overdue_member(1, u"Adams", 2);
  given_members({cattest::member(2, u"Brown")});
  given_overdue_member(3, u"Clark", 1);
  struct Case {
    std::deque<bool> answers;  // OK or Cancel in each "Transaction" screen
    size_t screens;
    std::vector<std::string> rows;
  };
  const std::vector<std::string> adams = {"1 | Adams |  Ann | T. 0114", "100 at 09:30 | on Tue 1 Dec 26 | 2 days | ",
                                          "101 at 09:30 | on Tue 1 Dec 26 | 2 days | "};
  std::vector<std::string> both = adams;
  both.insert(both.end(), {"3 | Clark |  Ann | T. 0114", "300 at 09:30 | on Tue 1 Dec 26 | 2 days | "});
  const Case cases[] = {{{}, 2, both}, {{true, false}, 2, adams}, {{false}, 1, {}}};
  for (const auto& c : cases) {
    views_.pages.clear();
    screens_.history_.transactions.clear();
    screens_.history_.transaction_answers = c.answers;
    reset_output();
    reports::list_overdue_members(shop_, screens_);
    EXPECT_EQ(screens_.history_.transactions.size(), c.screens);
    EXPECT_EQ(shown_rows(), c.rows);
    EXPECT_TRUE(op_.messages.empty());  // a Cancel is no empty list
  }
  EXPECT_EQ(text::to_utf8(screens_.history_.transactions[0].heading), "1,  Ann Adams");
}

}  // namespace
}  // namespace kelvo::listtest
