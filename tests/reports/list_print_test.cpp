// The printed lists: page headings with their numbers, the list font and indent, "End output.",
// a member's overdue block kept whole, and Cancel abandoning the document.
#include <gtest/gtest.h>

#include "records/config_layout.h"
#include "reports/film_prints.h"
#include "reports/member_lists.h"
#include "reports/list_fixture.h"

namespace kelvo::listtest {
namespace {

using cattest::film;
using cattest::member;
using platform::RecordingPrinter;
namespace cfg = records::cfg;

class ListPrintTest : public ListTest {
 protected:
  void given_numbered_films(int count) {
    for (int64_t n = 1; n <= count; ++n) {
      records::FilmRecord f = film(n, u"Film " + text::format("%d", {n}));
      f.set_category(u"ACT");
      f.set_cost(4.5f);
      ASSERT_TRUE(records::add_film(shop_, f));
    }
    reset_output();
  }
};

TEST_F(ListPrintTest, NumericListHeadsEveryPageAndEndsWithEndOutput) {
  given_numbered_films(70);
  shop_.config.set_i64(cfg::kListIndent, 4);
  screens_.ranges.push_back(catalogue::TypedRange{u"1", u"65"});
  reports::print_films_from(shop_, screens_);
  const auto& p = screens_.printer_;
  ASSERT_EQ(p.documents(), 1);
  ASSERT_EQ(p.pages(), 2);  // 61 lines to a page of 3300 units with a 50-unit cell
  EXPECT_EQ(printed(1).front(), "TARKWELL SYSTEM Numeric film list: December 7 2026  Page: 1");
  EXPECT_EQ(printed(2).front(), "TARKWELL SYSTEM Numeric film list: December 7 2026  Page: 2");
  EXPECT_EQ(printed(1)[1], "1                 Film 1                                    ACT       4.50");
  EXPECT_EQ(printed(2)[1], text::to_utf8(text::format("%-16I64d  %-40s  %-6s    %.2f", {62LL, u"Film 62", u"ACT", 4.5f})));
  // The range stops after its last number; "End output." comes one line below the last.
  EXPECT_EQ(printed(2).size(), 1u + 4u + 1u);
  EXPECT_EQ(printed(2).back(), "End output.");
  const auto* end = p.find_text(u"End output.");
  const auto* last = p.find_text(text::format("%-16I64d  %-40s  %-6s    %.2f", {65LL, u"Film 65", u"ACT", 4.5f}));
  ASSERT_TRUE(end && last);
  EXPECT_EQ(end->y - last->y, 2 * p.char_height());
  EXPECT_EQ(last->x, 4 * p.char_width());
}

TEST_F(ListPrintTest, ListFontSizeSetsTheLinesOfAPage) {
  given_numbered_films(3);
  shop_.config.set_i64(cfg::kListFontSize, 100);
  screens_.ranges.push_back(catalogue::TypedRange{u"1", u"100000000000000000"});
  reports::print_films_from(shop_, screens_);
  bool font_set = false;
  for (const auto& op : screens_.printer_.ops())
    if (op.kind == RecordingPrinter::Kind::Font) font_set = font_set || op.font.lines_per_page == 100;
  EXPECT_TRUE(font_set);
}

TEST_F(ListPrintTest, RangeOutsideBoundsPrintsNothing) {
  given_numbered_films(1);
  screens_.ranges.push_back(catalogue::TypedRange{u"0", u"5"});
  screens_.ranges.push_back(catalogue::TypedRange{u"1", u"100000000000000001"});
  reports::print_films_from(shop_, screens_);
  reports::print_films_from(shop_, screens_);
  EXPECT_EQ(screens_.printer_.documents(), 0);
  EXPECT_EQ(op_.messages.size(), 2u);
  EXPECT_TRUE(op_.saw("Problem", "Outside range"));
}

TEST_F(ListPrintTest, OverdueMemberMovesWholeToTheNextPage) {
  // Lines 2 to 7 of each page hold the list.
  screens_.printer_.set_page(2400, 52 * 8);
  given_overdue_member(1, u"Adams", 2);  // lines 2-4
  given_overdue_member(2, u"Brown", 3);  // 4 lines do not fit in 5-7
  given_members({member(3, u"Clark")});  // nothing out: not listed
  reports::print_overdue_members(shop_, screens_);
  const auto page1 = printed(1), page2 = printed(2);
  ASSERT_EQ(page1.size(), 4u);
  EXPECT_EQ(page1[1], "1  Adams 1 High St 0114");  // number, title (empty), name, road, telephone
  EXPECT_EQ(page1[2], "100              at 09:30 on 01/12/2026, 2 days");
  ASSERT_EQ(page2.size(), 6u);
  EXPECT_EQ(page2[0], "TARKWELL SYSTEM Overdue member list: December 7 2026  Page: 2");
  EXPECT_EQ(page2[1], "2  Brown 1 High St 0114");
  EXPECT_EQ(page2.back(), "End output.");
}

TEST_F(ListPrintTest, CancelWhileReadingOrPrintingCompletesNoDocument) {
  given_numbered_films(20);
  struct Case {
    int64_t cancel_at;  // the reading takes one step here, then one step a line
    int aborted;
  };
  for (const Case c : {Case{0, 0}, Case{5, 1}}) {
    screens_.progress_.steps = 0;
    screens_.progress_.cancel_at = c.cancel_at;
    screens_.ranges.push_back(catalogue::TypedRange{u"1", u"100"});
    reports::print_films_from(shop_, screens_);
    EXPECT_EQ(screens_.printer_.aborted(), c.aborted);
    EXPECT_FALSE(screens_.printer_.open());
  }
  for (const auto& op : screens_.printer_.ops()) EXPECT_NE(op.kind, RecordingPrinter::Kind::End);
  EXPECT_EQ(screens_.printer_.find_text(u"End output."), nullptr);
  EXPECT_TRUE(op_.messages.empty());
}

TEST_F(ListPrintTest, OverdueFilmLineFollowsThePrintDetailSetting) {
  given_films({film(42, u"Jaws", 2)});
  change_film(42, [](records::FilmRecord& f) {
    f.set_category(u"THR");
    f.set_on_loan_to(9);
    f.set_last_hire(u"10:0001/12/2026");
    f.set_return_date(u"20:0004/12/2026");  // 3 days late
  });
  // Band 2 is charged 2.00 a day by default.
  const char* lines[] = {
      "42                Jaws                                      01/12/2026, 9      6.00",
      "42                Jaws                                      01/12/2026, 9      2",
      "42                Jaws                                      01/12/2026, 9      THR",
      "42                Jaws                            01/12/2026, 9, 6.00, 2, THR",
  };
  for (int detail = 0; detail < 4; ++detail) {
    shop_.config.set_i32(cfg::kOverduePrintDetail, detail);
    reports::print_overdue_films(shop_, screens_, false);
    EXPECT_NE(screens_.printer_.find_text(text::from_utf8(lines[detail])), nullptr) << detail;
  }
}

}  // namespace
}  // namespace kelvo::listtest
