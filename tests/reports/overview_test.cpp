#include "reports/overview.h"

#include "figures_fixture.h"
#include "platform/recording_printer.h"
#include "reports/day_figures.h"

namespace kelvo::testing {
namespace {

namespace cfg = records::cfg;
using reports::Ymd;

TEST(DayFigures, WeekEndsStepBackIntoThePreviousMonthByItsLength) {
  struct Case {
    text::DateTime today;
    int days;
    Ymd expected;
  } cases[] = {
      {at(2026, 12, 9), 8, {1, 12, 2026}},   // still this month
      {at(2026, 12, 8), 8, {30, 11, 2026}},  // 0 steps back
      {at(2027, 1, 1), 1, {31, 12, 2026}},   // January into December of the year before
      {at(2027, 1, 1), 8, {24, 12, 2026}},
      {at(2028, 3, 1), 1, {29, 2, 2028}},    // February of a year divisible by 4
      {at(2027, 3, 1), 1, {28, 2, 2027}},
  };
  for (const auto& c : cases) EXPECT_EQ(reports::step_back(c.today, c.days), c.expected) << c.today.day << "/" << c.today.month;
}

class TaxPortion : public FiguresTest {};

TEST_F(TaxPortion, FourCasesInSinglePrecision) {
  struct Case {
    int64_t active1, rate1, active2, rate2, compound;
    float total;
    const char* expected;
  } cases[] = {
      {2, 1750, 0, 0, 0, 100.0f, " (T1: 14.89)"},
      {0, 0, 2, 500, 0, 105.0f, " (T2: 5.00)"},
      {0, 1000, 2, 500, 0, 105.0f, ""},         // tax 2 alone with a tax 1 rate stored
      {2, 1000, 2, 500, 0, 115.0f, " (T1: 10.00, T2: 5.00)"},
      {2, 1250, 2, 1250, 0, 123.45f, " (T1: 12.35, T2: 12.35)"},  // equal rates: T2 printed as T1
      {2, 1000, 2, 500, 2, 115.0f, " (T1: 9.96, T2: 5.47)"},      // divisor 11550
      {0, 1000, 0, 500, 0, 115.0f, ""},
      {2, 1000, 0, 0, 0, 0.0f, ""},
  };
  for (const auto& c : cases) {
    config().set_i64(cfg::kTax1Active, c.active1);
    config().set_i64(cfg::kTax1Rate, c.rate1);
    config().set_i64(cfg::kTax2Active, c.active2);
    config().set_i64(cfg::kTax2Rate, c.rate2);
    config().set_i64(cfg::kTax2OnTotal, c.compound);
    EXPECT_EQ(u8(reports::tax_portion(config(), c.total)), c.expected) << c.rate1 << "/" << c.rate2;
  }
}

TEST_F(TaxPortion, MonthlyTotalsWalkTwelveMonthsThenTheMonthToDate) {
  for (int k = 0; k < cfg::kHistoryDays; ++k) set_history(k, 1.0f);
  config().set_takings_today(2.5f);
  config().set_i64(cfg::kTax1Active, 2);
  config().set_i64(cfg::kTax1Rate, 1000);
  auto lines = reports::monthly_totals(config(), at(2026, 12, 7));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(u8(lines[0]), "December   2025: 31.00 (T1: 2.82)");
  EXPECT_EQ(u8(lines[2]), "February   2026: 28.00 (T1: 2.55)");
  EXPECT_EQ(u8(lines[11]), "November   2026: 30.00 (T1: 2.73)");
  EXPECT_EQ(u8(lines[12]), "December   2026: 8.50");  // entries 0-5 and today

  // On the 1st the month to date is today alone; a year change walks all of the last year.
  lines = reports::monthly_totals(config(), at(2027, 1, 1));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(u8(lines[0]), "January    2026: 31.00 (T1: 2.82)");
  EXPECT_EQ(u8(lines[12]), "January    2027: 2.50");
}

class Status : public FiguresTest {};

TEST_F(Status, WeeklyComparisonAndFormatsOnTheFirstOfAMonth) {
  set_day(2027, 1, 1);
  for (int k = 0; k < 7; ++k) set_history(k, 10.0f);
  for (int k = 7; k < 14; ++k) set_history(k, 5.0f);
  set_history(6, 12.0f);
  set_history(14, 100.0f);  // two weeks back: in neither total
  config().set_i64(cfg::kRentalsToday, 3);
  config().set_f32(cfg::kFormat1RentalsToday, 1.0f);
  text::DateTime off = at(2026, 12, 31, 18, 30);
  const auto s = reports::status_texts(shop_, off);
  auto has = [&](const std::string& line) {
    for (const auto& l : s.lines)
      if (u8(l) == line) return true;
    ADD_FAILURE() << "no line " << line;
    return false;
  };
  EXPECT_EQ(u8(s.title), "QUENDRIX STATUS Friday January 1 2027 ");
  has("Offtime: 18:30 Thu 31 Dec 26");
  has("Ontime: 09:03");
  has("Format 1 (DVD): 33% (1 rented)");  // integer division
  has("Format 2 (PLA): 0% (0 rented)");
  has("Last Friday: 12.00");
  has("W/E Thu 31 Dec 26: 72.00");
  has("W/E Thu 24 Dec 26: 35.00");
  has("W/E Thu 31 Dec 26 vs W/E Thu 24 Dec 26: 205.71%");
  has("Highest film number: -1");
  has("Backup: none");  // a fresh shop, never backed up
  const int midnight[5] = {0, 0, 31, 12, 2026};  // minute, hour, day, month, year: still a backup
  for (int i = 0; i < 5; ++i) config().set_i32(cfg::kLastBackup + 4 * i, midnight[i]);
  EXPECT_EQ(u8(reports::status_texts(shop_, off).lines.at(2)), "Backup: 00:00 Thu 31 Dec 26");
  off.day = off.month = off.year = 0;  // never switched off before: a fresh shop
  EXPECT_EQ(u8(reports::status_texts(shop_, off).lines.at(0)), "Offtime: none");
}

TEST_F(Status, PrintedOverviewLinesSitAtTheirNumbersWithZeroForms) {
  config().set_takings_today(20.0f);
  for (int k = 0; k < 7; ++k) set_history(k, 4.0f);
  set_history(6, 0.0f);  // nothing a week ago: the zero form
  config().set_f32(cfg::kLateFeesPaid, 1.5f);
  config().set_f32(cfg::kOfferRentalsToday + 8, 2.9f);
  config().set_f32(cfg::kStockLineSales + 36, 7.25f);
  const auto lines = reports::overview_lines(shop_);
  auto at_line = [&](int n) -> const reports::OverviewLine& {
    for (const auto& l : lines)
      if (l.line == n) return l;
    static reports::OverviewLine none;
    ADD_FAILURE() << "no line " << n;
    return none;
  };
  EXPECT_EQ(u8(at_line(0).text), "Video Corner  14:05 Monday December 7 2026");
  EXPECT_EQ(u8(at_line(10).text), "Late feespaid: 1.50");
  EXPECT_EQ(u8(at_line(17).text), "Today vs. last Monday: 0.00%");
  EXPECT_EQ(u8(at_line(18).text), "Current vs. last week: ");
  EXPECT_EQ(u8(at_line(18).tail), "0.00%");  // last week had nothing
  EXPECT_EQ(u8(at_line(20).text), "Current weeks total: 24.00");
  EXPECT_EQ(u8(at_line(27).text), "Special offer 3 rentals: 2");
  EXPECT_EQ(u8(at_line(41).text), "Line 9   0.00");
  EXPECT_EQ(u8(at_line(42).text), "Line 10  7.25");
  EXPECT_EQ(u8(at_line(45).text), "Monthly totals:");
  EXPECT_EQ(u8(at_line(58).text), "December   2026: 44.00");
  EXPECT_EQ(lines.back().line, 58);
}

// 50-unit lines, a line n fitting while 52 * (n + 1) <= the page height: every line prints once,
// in order, and line 58 lands where the break left it.
TEST_F(Status, PrintedOverviewContinuesOnTheNextPageWhereItStopped) {
  const auto lines = reports::overview_lines(shop_);
  std::vector<text::u16> expected;
  for (const auto& l : lines)
    if (expected.push_back(l.text); !l.tail.empty()) expected.push_back(l.tail);
  for (auto [height, pages, last_y] : {std::tuple{1560, 2, 28 * 50}, {520, 6, 8 * 50}}) {
    platform::RecordingPrinter p;
    p.set_page(2400, height);
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    reports::draw_overview(p, lines);
    ASSERT_TRUE(p.end());
    EXPECT_EQ(p.pages(), pages) << height;
    std::vector<text::u16> drawn;
    for (const auto& op : p.ops())
      if (op.kind == platform::RecordingPrinter::Kind::Text) {
        EXPECT_LE(52 * (op.y / 50 + 1), height) << u8(op.text);
        drawn.push_back(op.text);
      }
    EXPECT_EQ(drawn, expected);
    ASSERT_EQ(lines.back().line, 58);
    EXPECT_EQ(p.find_text(lines.back().text)->page, pages);
    EXPECT_EQ(p.find_text(lines.back().text)->y, last_y);
  }
}

}  // namespace
}  // namespace kelvo::testing
