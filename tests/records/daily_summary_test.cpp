#include "records/daily_summary.h"

#include <fstream>

#include "flow_operator.h"
#include "records/file_io.h"
#include "support/temporaries.h"

namespace kelvo {
namespace {

namespace cfg = records::cfg;

std::string utf16le(text::u16view s) {
  std::string b;
  for (char16_t u : s) {
    b.push_back(static_cast<char>(u & 0xff));
    b.push_back(static_cast<char>(u >> 8));
  }
  return b;
}

std::string file_bytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class DailySummary : public flowtest::ShopFolder {
 protected:
  void known_day() {
    records::ConfigBlock& c = shop_.config;
    c.set_takings_today(12.5f);
    c.set_i32(cfg::kTransactionCounter, 17);
    c.set_i64(cfg::kNewMembersToday, 3);
    c.set_i64(cfg::kRentalsToday, 5);
    c.set_i64(cfg::kReturnsToday, 4);
    c.set_f32(cfg::kLateFeesPaid, 1.25f);
    c.set_f32(cfg::kLateFeesOwing, 0.75f);
    c.set_f32(cfg::kLateFeesWrittenOff, 0.5f);
    c.set_f32(cfg::kLateFeesTotal, 2.5f);
    c.set_f32(cfg::kArrearsPaid, 3.0f);
    c.set_f32(cfg::kArrearsWrittenOff, 1.0f);
    c.set_f32(cfg::kItemsSoldCount, 2.9f);  // printed truncated
    c.set_f32(cfg::kItemsSoldAmount, 9.98f);
    c.set_f32(cfg::kStockSalesToday, 4.5f);
    shop_.films.counts() = records::RecordCounts{8, 1, 7};  // slots, deleted, live
    shop_.members.counts() = records::RecordCounts{11, 2, 9};
    shop_.started = text::DateTime{2026, 12, 7, 9, 3, 0, 1};
    shop_.activity.active_films = 99;  // stale: the shutdown counts afresh
  }
  std::filesystem::path today_file() const { return dir_ / "2026" / "thed1207.dat"; }
};

TEST_F(DailySummary, WritesTheSixteenLinesByteForByte) {
  known_day();
  ASSERT_TRUE(records::write_daily_summary(shop_));
  const text::u16 expected =
      u"TARKWELL SYSTEM  14:05 Monday December 7 2026"
      u"\r\nToday's takings: 12.50"
      u"\r\nOntime: 09:03  Transaction number: 17"
      u"\r\nFilms on the system: 7, Members on the system: 9"
      u"\r\nNew members: 3"
      u"\r\nActive Members: 0, Active films: 0"
      u"\r\nOverdue: 0"
      u"\r\nToday Rent: 5 Return: 4"
      u"\r\nLate fees paid: 1.25"
      u"\r\nLate fees left owing: 0.75"
      u"\r\nLate fees written off: 0.50"
      u"\r\nLate fees total: 2.50"
      u"\r\nArrears paid: 3.00"
      u"\r\nArrears written off: 1.00"
      u"\r\nRental items sold (2): 9.98"
      u"\r\nStock sales (4.50):";
  EXPECT_EQ(file_bytes(today_file()), utf16le(expected));
  EXPECT_EQ(::leftover_temporaries(today_file().parent_path()), 0);
}

TEST_F(DailySummary, SecondShutdownReplacesTheFileAndYearFolderIsCreated) {
  ASSERT_FALSE(std::filesystem::exists(dir_ / "2026"));
  ASSERT_TRUE(records::write_daily_summary(shop_));
  std::string first = file_bytes(today_file());
  shop_.config.set_takings_today(40.0f);
  shop_.started = text::DateTime{2026, 12, 7, 13, 0, 0, 1};
  ASSERT_TRUE(records::write_daily_summary(shop_));
  text::u16 second = records::read_daily_summary(shop_, 2026, 12, 7);
  EXPECT_NE(second.find(u"Today's takings: 40.00"), text::u16::npos);
  EXPECT_NE(second.find(u"Ontime: 13:00"), text::u16::npos);
  EXPECT_EQ(second.find(u"Today's takings: 0.00"), text::u16::npos);

  // New year: its folder is made on demand.
  clock_.set(text::DateTime{2027, 1, 1, 0, 10, 0, 5});
  ASSERT_TRUE(records::write_daily_summary(shop_));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "2027" / "thed0101.dat"));
}

TEST_F(DailySummary, NothingWrittenWhenTheRunIsNotToBeSaved) {
  shop_.do_not_save = true;
  EXPECT_FALSE(records::write_daily_summary(shop_));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "2026"));
}

TEST_F(DailySummary, UnwritableYearFolderIsSilent) {
  std::ofstream(dir_ / "2026") << "a file where the folder should be";
  EXPECT_FALSE(records::write_daily_summary(shop_));
  EXPECT_TRUE(op_.shown.empty());
}

TEST_F(DailySummary, ViewerShowsNoDetailsOrAtMost3199Units) {
  EXPECT_EQ(records::read_daily_summary(shop_, 2026, 2, 31), u"No details");
  std::filesystem::create_directory(dir_ / "2025");
  text::u16 big(4000, u'x');
  big[3198] = u'y';
  std::ofstream(dir_ / "2025" / "thed0305.dat", std::ios::binary) << utf16le(big);
  text::u16 shown = records::read_daily_summary(shop_, 2025, 3, 5);
  EXPECT_EQ(shown.size(), 3199u);
  EXPECT_EQ(shown.back(), u'y');
}

TEST_F(DailySummary, PreviousOverviewPromptsProposeTodayAndRefuseSilently) {
  op_.answer({u"31", u"2", u"2026"});
  auto d = records::ask_summary_day(shop_);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->day, 31);
  EXPECT_EQ(d->month, 2);
  ASSERT_EQ(op_.asked.size(), 3u);
  EXPECT_EQ(op_.asked[0].question, u"Please enter the day (1-31)");
  EXPECT_EQ(op_.asked[0].options.proposal, u"7");
  EXPECT_EQ(op_.asked[1].question, u"Please enter the month (1-12)");
  EXPECT_EQ(op_.asked[1].options.proposal, u"12");
  EXPECT_EQ(op_.asked[2].question, u"Please enter the year (yyyy)");
  EXPECT_EQ(op_.asked[2].options.proposal, u"2026");
  EXPECT_EQ(records::read_daily_summary(shop_, d->year, d->month, d->day), u"No details");

  const std::initializer_list<const char16_t*> refused[] = {
      {u"32"}, {u"0"}, {u""}, {nullptr}, {u"5", u"13"}, {u"5", u"6", u"1999"}, {u"5", u"6", u"4001"},
  };
  for (auto script : refused) {
    op_.answer(script);
    EXPECT_FALSE(records::ask_summary_day(shop_));
    EXPECT_TRUE(op_.answers.empty());
  }
  op_.answer({u"1", u"1", u"4000"});
  EXPECT_TRUE(records::ask_summary_day(shop_));
  EXPECT_TRUE(op_.shown.empty());
}

}  // namespace
}  // namespace kelvo
