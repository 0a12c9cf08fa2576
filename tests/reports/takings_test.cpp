#include "reports/takings.h"

#include "reports/graph.h"

#include <sys/stat.h>

#include "figures_fixture.h"
#include "platform/recording_printer.h"
#include "records/journal.h"

namespace kelvo::testing {
namespace {

namespace cfg = records::cfg;
using reports::Ymd;

class Takings : public FiguresTest {};

TEST_F(Takings, TypedDatesAreReadByPositionAndRefusedByEveryRule) {
  const text::DateTime today = at(2026, 12, 7);
  struct Case {
    const char16_t* typed;
    bool today_allowed;
    int index;  // -2: refused
  } cases[] = {
      {u"06-12-2026", false, 0},     // yesterday
      {u"06/12/2026", false, 0},     // separators are not examined
      {u"07-12-2026", false, -2},    // today
      {u"07-12-2026", true, -1},     // today, for an amendment
      {u"08-12-2026", true, -2},     // later than today
      {u"01-12-2025", false, 370},   // the earliest day
      {u"30-11-2025", false, -2},    // one day before it
      {u"31-11-2026", false, -2},    // beyond the month's length
      {u"29-02-2024", false, -2},    // neither this year nor the last
      {u"00-12-2026", false, -2},
      {u"01-13-2026", false, -2},
      {u"1-12-2026", false, -2},     // read by position: month "2-", year "026"
      {u"dd-mm-yyyy", true, -2},
  };
  for (const auto& c : cases) {
    auto d = reports::read_history_day(c.typed, today, c.today_allowed);
    EXPECT_EQ(d ? d->index : -2, c.index) << u8(c.typed);
  }
}

TEST_F(Takings, ListRowsRunToYesterdayWithMonthTotalsOnMonthEnds) {
  for (int k = 0; k < cfg::kHistoryDays; ++k) set_history(k, 2.0f);
  config().set_f32(cfg::series_entry(18, 6), 1.5f);   // arrears paid on 30 November
  config().set_f32(cfg::series_entry(17, 6), 0.25f);  // late fees paid
  auto rows = reports::takings_rows(shop_, *reports::read_history_day(u"06-12-2026", shop_.now(), false));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(u8(rows[0][0]), "Sun 6 Dec 26");
  rows = reports::takings_rows(shop_, *reports::read_history_day(u"29-11-2026", shop_.now(), false));
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(u8(rows[1][1]), "Arrears: 1.50,   Lates: 0.25");
  EXPECT_EQ(u8(rows[1][2]), "2.00");
  EXPECT_EQ(u8(rows[1][3]), "Month: 60.00");
  EXPECT_EQ(u8(rows[2][3]), "");

  platform::RecordingPrinter printer;
  ASSERT_EQ(printer.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  config().set_i64(cfg::kListIndent, 3);
  reports::draw_takings(printer, shop_, *reports::read_history_day(u"29-11-2026", shop_.now(), false));
  const auto texts = printer.texts();
  EXPECT_EQ(u8(texts[0]), "Video Corner Takings: December 7 2026  Page: 1");
  EXPECT_EQ(u8(texts[2]), "Monday      30/11/2026  A: 1.50,  L: 0.25,  Total: 2.00  Month: 60.00");
  EXPECT_EQ(u8(texts.back()), "End output.");
  EXPECT_EQ(printer.find_text(u"End output.")->y, 11 * printer.char_height());  // 8 days from line 2, one blank
  EXPECT_EQ(printer.find_text(texts[2])->x, 3 * printer.char_width());
}

TEST_F(Takings, AmendmentOfTodayAndOfAnEarlierDayIsLoggedByteForByte) {
  config().set_takings_today(10.0f);
  set_history(2, 7.0f);
  op_.texts = {u"07-12-2026", u"12.5", u"04-12-2026", u" 8.10"};
  reports::amend_takings(shop_);
  reports::amend_takings(shop_);
  EXPECT_FLOAT_EQ(config().takings_today(), 12.5f);
  EXPECT_FLOAT_EQ(config().f32(cfg::history_entry(2)), 8.1f);
  EXPECT_EQ(u8(log_text()).substr(u8(log_text()).find("\r\n14:05 07/12/2026  Takings amendment")),
            "\r\n14:05 07/12/2026  Takings amendment\r\nfor 7/12/2026: 12.50\r\n"
            "\r\n14:05 07/12/2026  Takings amendment\r\nfor 4/12/2026:  8.10\r\n");
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_FLOAT_EQ(saved.takings_today(), 12.5f);
}

TEST_F(Takings, AmendmentRefusedWithoutChangeForBadAmountsDatesOrAnUnwritableLog) {
  config().set_takings_today(10.0f);
  op_.texts = {u"07-12-2026", u"12,50", u"31-02-2026"};
  reports::amend_takings(shop_);
  reports::amend_takings(shop_);
  EXPECT_TRUE(op_.saw("Problem", "Invalid amount"));
  EXPECT_TRUE(op_.saw("Problem", "Non valid date"));
  EXPECT_EQ(log_text().find(u"Takings amendment"), text::u16::npos);

  ASSERT_TRUE(shop_.save_config());
  std::filesystem::remove(shop_.path(records::kJournalFile));
  std::filesystem::create_directory(shop_.path(records::kJournalFile));  // the change cannot be journalled
  op_.texts = {u"07-12-2026", u"99"};
  reports::amend_takings(shop_);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: lgb4.dat, not present."));
  EXPECT_FLOAT_EQ(config().takings_today(), 10.0f);
  EXPECT_EQ(log_text().find(u"Takings amendment"), text::u16::npos);
}

TEST_F(Takings, PurgeClearsEntriesUpTo389AndLeavesTheRest) {
  for (int k = 0; k < cfg::kHistoryDays; ++k) {
    set_history(k, 1.0f);
    config().set_f32(cfg::series_entry(23, k), 1.0f);
  }
  op_.replies = {platform::Answer::Cancel};
  reports::purge_takings(shop_);
  EXPECT_FLOAT_EQ(config().f32(cfg::history_entry(0)), 1.0f);
  reports::purge_takings(shop_);
  EXPECT_TRUE(op_.saw("Purge entire takings history", "Are you sure?"));
  EXPECT_FLOAT_EQ(config().f32(cfg::history_entry(389)), 0.0f);
  EXPECT_FLOAT_EQ(config().f32(cfg::history_entry(390)), 1.0f);
  EXPECT_FLOAT_EQ(config().f32(cfg::series_entry(23, 389)), 0.0f);
  EXPECT_FLOAT_EQ(config().f32(cfg::series_entry(23, 390)), 1.0f);
}

TEST_F(Takings, CsvLinesWithAndWithoutTheByteOrderMark) {
  set_day(2026, 12, 3);
  set_history(0, 3.25f);
  config().set_f32(cfg::series_entry(18, 0), 1.0f);
  config().set_takings_today(4.0f);
  reports::TakingsExport r;
  r.period = reports::ExportPeriod::Week;  // 3 - 7 steps into November: 26/11 to 2/12
  ASSERT_TRUE(reports::export_takings(shop_, r));
  auto bytes = *records::read_whole(shop_.path("Takings.csv"));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  const std::string csv = u8(text::from_utf16le(bytes.data() + 2, bytes.size() - 2));
  const std::string first = "26/11/2026, A: 0.00,  L: 0.00,  Total: 0.00\r\n";
  const std::string last = "02/12/2026, A: 1.00,  L: 0.00,  Total: 3.25\r\n";
  EXPECT_EQ(csv.substr(0, first.size()), first);
  EXPECT_EQ(csv.size(), 7 * first.size());
  EXPECT_EQ(csv.substr(csv.size() - last.size()), last);
  EXPECT_TRUE(op_.saw("Export", "Complete."));

  r = {reports::ExportPeriod::Day, u"day.csv", false};
  ASSERT_TRUE(reports::export_takings(shop_, r));
  bytes = *records::read_whole(shop_.path("day.csv"));
  EXPECT_EQ(u8(text::from_utf16le(bytes.data(), bytes.size())), "03/12/2026, A: 0.00,  L: 0.00,  Total: 4.00\r\n");

  r.file_name = u"no-such-folder/x.csv";
  EXPECT_FALSE(reports::export_takings(shop_, r));
  EXPECT_TRUE(op_.saw("Problem", "Unable to open file."));
  const auto film_size = std::filesystem::file_size(shop_.path(records::files::kFilm));
  r.file_name = u"film.dat";
  EXPECT_FALSE(reports::export_takings(shop_, r));
  EXPECT_EQ(std::filesystem::file_size(shop_.path(records::files::kFilm)), film_size);
}

// "Display averages" on a 1400 x 700 window: unit 100, base 630, top 50, step 1200 / 54. The
// weeks are entries 0-6, 7-13, ... 364-370: entry 371 is past the last one and must not count.
TEST_F(Takings, WeeklyAveragesSetTheScaleAndTheLineRunsBackAWeekAStep) {
  const double step = 1200.0 / 54;
  struct Case { std::vector<std::pair<int, float>> history; text::DateTime today; const char *min, *max, *first_month;
                std::vector<std::pair<double, double>> line; } cases[] = {
      // min 1 and max 3: scale 580 / 2; the empty week 2 and weeks 4-51 draw no point
      {{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {13, 7}, {21, 3}, {22, 3}, {23, 3}, {24, 3}, {25, 3},
        {26, 3}, {27, 3}, {364, 0}, {370, 14}, {371, 700}}, at(2026, 12, 7), "1", "3", "Jan",
       {{1300 + step, 340}, {1300, 630}, {1300 + step - 3 * step, 50}, {1300 + step - 52 * step, 340}}},
      {{{6, 35}, {370, 35}}, at(2026, 6, 1), "5", "5", "Jul",  // equal: all on the base
       {{1300 + step / 7, 630}, {1300 + step / 7 - 52 * step, 630}}},
  };
  for (const auto& c : cases) {
    for (int k = 0; k < cfg::kHistoryDays; ++k) set_history(k, 0);
    for (auto [k, v] : c.history) set_history(k, v);
    const auto g = reports::graph_geometry(reports::weekly_averages(config()), c.today, 1400, 700);
    EXPECT_EQ(u8(g.months[0].text) + u8(g.min_label.text) + u8(g.max_label.text), std::string(c.first_month) + c.min + c.max);
    ASSERT_EQ(g.line.size(), c.line.size()) << c.min;
    for (size_t i = 0; i < c.line.size(); ++i) {
      EXPECT_NEAR(g.line[i].x, c.line[i].first, 1e-6) << i;
      EXPECT_NEAR(g.line[i].y, c.line[i].second, 1e-3) << i;
    }
  }
}

}  // namespace
}  // namespace kelvo::testing
