// Opening a shop folder: the first run, the checks of every file, and the day close.
#include <gtest/gtest.h>

#include <fstream>

#include "records/data_opening.h"
#include "records/day_close.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/reservation_file.h"
#include "records/shop_check.h"
#include "records/transaction_log.h"
#include "support/scripted_operator.h"
#include "text/coding.h"

using namespace kelvo;
using namespace kelvo::records;
using kelvo::testing::at;
using kelvo::testing::ShopTest;

namespace {

void write_bytes(const std::filesystem::path& p, size_t n) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << std::string(n, '\0');
}

class Opening : public ShopTest {
 protected:
  // A shop created on 7 December 2026 and closed that evening.
  void make_shop_closed_on(text::DateTime day) {
    clock_.set(day);
    ASSERT_TRUE(open_data(shop_));
    shop_.config.set_last_shutdown(day);
    ASSERT_TRUE(shop_.save_config());
  }
  // A later start: a fresh shop object on the same folder, as a new run of the program.
  bool reopen(text::DateTime day) {
    clock_.set(day);
    shop_.config = ConfigBlock{};
    return open_data(shop_);
  }
  std::vector<uint8_t> file(std::string_view name) { return read_whole(shop_.path(name)).value_or(std::vector<uint8_t>{}); }
  ConfigBlock stored() {
    ConfigBlock c;
    c.load(shop_.path(files::kConfig));
    return c;
  }
};

}  // namespace

TEST_F(Opening, FirstRunCreatesEveryFileWithItsFirstRecord) {
  ASSERT_TRUE(open_data(shop_));
  auto film = file(files::kFilm);
  ASSERT_EQ(film.size(), 3040u);
  EXPECT_EQ(text::get_i64(film.data()), -1);
  EXPECT_EQ(text::get_text(film.data() + 8, 400), u"00");
  auto member = file(files::kMember);
  ASSERT_EQ(member.size(), 17660u);
  EXPECT_EQ(text::get_i64(member.data()), -1);
  EXPECT_EQ(text::get_text(member.data() + 140, 60), u"00");
  auto stock = file(files::kStock);
  ASSERT_EQ(stock.size(), 3116u);
  EXPECT_EQ(text::get_i64(stock.data()), -1);
  auto cfgfile = file(files::kConfig);
  ASSERT_EQ(cfgfile.size(), 92808u);
  EXPECT_EQ(text::get_i32(cfgfile.data() + 816), 150);
  EXPECT_EQ(text::get_text(cfgfile.data(), 12), u"20:00");
  auto resn = file(files::kReservations);
  ASSERT_EQ(resn.size(), 30u * 29092u);
  for (int n = 0; n < 30; ++n) EXPECT_EQ(text::get_i32(resn.data() + 29092 * n), n);
  EXPECT_EQ(shop_.config.i32(cfg::kRolledDay), 7);
  EXPECT_EQ(shop_.address.store_name(), u"TARKWELL SYSTEM");
  EXPECT_EQ(shop_.address.line(7), u"TARKWELL SYSTEM");
  EXPECT_EQ(startup_lines(shop_).at(0), u"Film records: 1 (1 deleted)");
  EXPECT_EQ(startup_lines(shop_).at(3), u"Return deadline: 20:00");
}

TEST_F(Opening, DamagedFilesAreRefusedWithTheirMessages) {
  ASSERT_TRUE(open_data(shop_));
  struct Case { std::string_view file; size_t size; const char* body; };
  const Case cases[] = {
      {files::kFilm, 3041, "Data file film.dat corrupt in Opendata."},
      {files::kFilm, 0, "Film.dat has no data in Opendata."},
      {files::kMember, 0, "Data file member.dat no data in Opendata."},
      {files::kMember, 17661, "Data file member.dat corrupt in Opendata."},
      {files::kStock, 0, "Data file mans.dat no data in Opendata."},
      {files::kStock, 3117, "Data file mans.dat corrupt in Opendata."},
  };
  for (const auto& c : cases) {
    const auto good = file(c.file);
    write_bytes(shop_.path(c.file), c.size);
    const auto cfg_before = file(files::kConfig);
    op_.messages.clear();
    EXPECT_FALSE(open_data(shop_)) << c.body;
    EXPECT_TRUE(op_.saw("Fatal error", c.body)) << c.body;
    EXPECT_EQ(file(files::kConfig), cfg_before) << "a refused start writes nothing";
    std::ofstream(shop_.path(c.file), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(good.data()), static_cast<std::streamsize>(good.size()));
  }
  std::filesystem::remove(shop_.path(files::kConfig));
  EXPECT_FALSE(open_data(shop_));
  EXPECT_TRUE(op_.saw("Fatal error", "Data file wr.cfg not present in Opendata."));
  EXPECT_FALSE(std::filesystem::exists(shop_.path(files::kConfig))) << "only an empty folder is a first run";
}

TEST_F(Opening, OddNumbersCountAsDeletedInTheIndex) {
  ASSERT_TRUE(open_data(shop_));
  std::vector<uint8_t> films(3040 * 4, 0);
  const int64_t numbers[] = {30, 0, -7, 10};
  for (int i = 0; i < 4; ++i) text::put_i64(&films[3040 * i], numbers[i]);
  ASSERT_TRUE(write_file_atomic(shop_.path(files::kFilm), films.data(), films.size()));
  ASSERT_TRUE(open_data(shop_));
  const auto& e = shop_.films.index().entries();
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0], (IndexEntry{-1, 1}));
  EXPECT_EQ(e[1], (IndexEntry{-1, 2}));
  EXPECT_EQ(e[2], (IndexEntry{10, 3}));
  EXPECT_EQ(e[3], (IndexEntry{30, 0}));
  EXPECT_EQ(startup_lines(shop_).at(0), u"Film records: 4 (2 deleted)");
}

TEST_F(Opening, NextDayClosesWithoutAQuestion) {
  make_shop_closed_on(at(2026, 12, 7, 20, 0));
  shop_.config.set_takings_today(123.5f);
  shop_.config.set_i64(cfg::kRentalsToday, 9);
  shop_.save_config();
  ASSERT_TRUE(reopen(at(2026, 12, 8, 9, 0)));
  EXPECT_TRUE(op_.messages.empty());
  EXPECT_EQ(shop_.config.f32(cfg::kTakingsPreviousDay), 123.5f);
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(0)), 123.5f);
  EXPECT_EQ(shop_.config.takings_today(), 0);
  EXPECT_EQ(shop_.config.i64(cfg::kRentalsPreviousDay), 9);
  EXPECT_EQ(shop_.config.i64(cfg::kRentalsToday), 0);
  EXPECT_EQ(shop_.config.i32(cfg::kRolledDay), 8);
}

TEST_F(Opening, SameDayStartClosesNothing) {
  make_shop_closed_on(at(2026, 12, 7, 12, 0));
  shop_.config.set_takings_today(5);
  shop_.save_config();
  ASSERT_TRUE(reopen(at(2026, 12, 7, 18, 0)));
  EXPECT_EQ(shop_.config.takings_today(), 5);
}

TEST_F(Opening, MonthEndsNeedNoQuestion) {
  EXPECT_FALSE(usage_gap(29, at(2028, 3, 1)));  // leap year
  EXPECT_FALSE(usage_gap(28, at(2027, 3, 1)));
  EXPECT_TRUE(usage_gap(28, at(2028, 3, 1)));
  EXPECT_FALSE(usage_gap(31, at(2027, 1, 1)));
  EXPECT_EQ(days_elapsed(29, at(2028, 3, 1)), 1);
  EXPECT_EQ(days_elapsed(28, at(2027, 3, 1)), 1);
  EXPECT_EQ(days_elapsed(28, at(2028, 3, 2)), 3);
  EXPECT_EQ(days_elapsed(7, at(2026, 12, 10)), 3);
}

TEST_F(Opening, ThreeDayGapAsksAndShiftsTheHistory) {
  make_shop_closed_on(at(2026, 12, 7, 20, 0));
  shop_.config.set_takings_today(40);
  shop_.config.set_f32(cfg::history_entry(0), 11);
  shop_.config.set_i32(cfg::kDayCounters, 6);
  shop_.save_config();
  ASSERT_TRUE(reopen(at(2026, 12, 10, 9, 0)));
  ASSERT_EQ(op_.messages.size(), 1u);
  EXPECT_EQ(op_.messages[0].caption, "If system date Thu 10 Dec 26 is correct select OK");
  EXPECT_EQ(op_.messages[0].body, "Warning: Usage gap from Mon 7 Dec 26");
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(0)), 0);
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(1)), 0);
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(2)), 40);
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(3)), 11);
  EXPECT_EQ(shop_.config.i32(cfg::series_entry(0, 2)), 6);
  EXPECT_EQ(shop_.config.f32(cfg::kTakingsPreviousDay), 0);
}

// The run's start is read before anything else, however long the date question stays up.
TEST_F(Opening, RunStartIsTakenBeforeTheDateQuestion) {
  make_shop_closed_on(at(2026, 12, 7, 20, 0));
  struct Ticking : platform::Clock {
    mutable text::DateTime t;
    text::DateTime now() const override { return t.minute++, t; }
  } ticking;
  ticking.t = at(2026, 12, 10, 9, 0);
  Shop later(folder_, op_, ticking, locale_);
  ASSERT_TRUE(open_data(later));
  ASSERT_EQ(op_.messages.size(), 1u);
  EXPECT_EQ(later.started.minute, 1);
  EXPECT_GT(ticking.t.minute, 2);
}

TEST_F(Opening, CancelAtTheDateQuestionLeavesWrCfgAlone) {
  make_shop_closed_on(at(2026, 12, 7, 20, 0));
  const auto before = file(files::kConfig);
  op_.replies.push_back(platform::Answer::Cancel);
  EXPECT_FALSE(reopen(at(2026, 12, 10, 9, 0)));
  EXPECT_EQ(file(files::kConfig), before);
}

TEST_F(Opening, NewMonthWritesTheArchiveOfTheMonthJustEnded) {
  make_shop_closed_on(at(2026, 11, 30, 20, 0));
  shop_.config.set_i32(cfg::kBandCountMonth, 17);
  shop_.save_config();
  ASSERT_TRUE(reopen(at(2026, 12, 1, 9, 0)));
  auto archive = file("November.dat");
  ASSERT_EQ(archive.size(), 92808u);
  EXPECT_EQ(text::get_i32(archive.data() + cfg::kBandCountMonth), 17);
  EXPECT_EQ(shop_.config.i32(cfg::kBandCountMonth), 0);
}

TEST_F(Opening, ReservationDaysRollForwardAndLongGapsStartAfresh) {
  make_shop_closed_on(at(2026, 12, 1, 20, 0));
  auto resn = file(files::kReservations);
  text::put_i32(&resn[29092 * 2 + 804], 5);  // day 2 holds five reservations
  ASSERT_TRUE(write_file_atomic(shop_.path(files::kReservations), resn.data(), resn.size()));
  ASSERT_TRUE(reopen(at(2026, 12, 2, 9, 0)));
  resn = file(files::kReservations);
  ASSERT_EQ(resn.size(), 30u * 29092u);
  EXPECT_EQ(text::get_i32(&resn[29092 * 1 + 804]), 5);
  EXPECT_EQ(text::get_i32(&resn[29092 * 1]), 1);
  EXPECT_EQ(text::get_i32(&resn[29092 * 2 + 804]), 0);
  for (int n = 0; n < 30; ++n) EXPECT_EQ(text::get_i32(&resn[29092 * n]), n);

  shop_.config.set_last_shutdown(at(2026, 12, 2, 20, 0));
  shop_.save_config();
  ASSERT_TRUE(reopen(at(2026, 12, 30, 9, 0)));  // 28 days later
  resn = file(files::kReservations);
  EXPECT_EQ(text::get_i32(&resn[29092 * 1 + 804]), 0);
}

TEST_F(Opening, LogRollsOverOnlyPastItsCapacity) {
  make_shop_closed_on(at(2026, 12, 7, 9, 0));
  shop_.config.set_i32(cfg::kLogCapacity, 2);
  shop_.save_config();
  write_bytes(shop_.path(files::kLog), 300000);
  ASSERT_TRUE(reopen(at(2026, 12, 7, 10, 0)));
  EXPECT_FALSE(std::filesystem::exists(shop_.path(files::kPreviousLog)));
  write_bytes(shop_.path(files::kLog), 300001);
  ASSERT_TRUE(reopen(at(2026, 12, 7, 11, 0)));
  EXPECT_EQ(*records::file_size(shop_.path(files::kPreviousLog)), 300001u);
  EXPECT_FALSE(std::filesystem::exists(shop_.path(files::kLog))) << "the next entry starts a fresh log";
}

TEST_F(Opening, CountingPassFindsLoansOverduesAndBalances) {
  ASSERT_TRUE(open_data(shop_));
  FilmRecord f;
  for (int n = 1; n <= 3; ++n) {
    f.clear();
    f.set_number(n);
    f.set_title(u"Film");
    f.set_charge_band(1);
    ASSERT_TRUE(add_film(shop_, f));
  }
  ASSERT_TRUE(read_film(shop_, 1, f));
  f.set_on_loan_to(5);
  f.set_return_date(u"10:0001/12/2026");  // overdue
  ASSERT_TRUE(rewrite_film(shop_, f));
  ASSERT_TRUE(read_film(shop_, 2, f));
  f.set_on_loan_to(5);
  f.set_return_date(u"10:0009/12/2026");  // not yet due
  ASSERT_TRUE(rewrite_film(shop_, f));
  MemberRecord m;
  m.set_number(5);
  m.set_name(u"Grey");
  m.set_category(1);
  ASSERT_TRUE(add_member(shop_, m));
  m.set_on_loan(0, 1);
  m.set_on_loan(1, 2);
  m.set_on_loan_flag(2);
  m.set_owed(-2.5f);
  ASSERT_TRUE(rewrite_member(shop_, m));
  ASSERT_TRUE(count_activity(shop_));
  EXPECT_EQ(shop_.activity.active_films, 2);
  EXPECT_EQ(shop_.activity.overdue, 1);
  EXPECT_EQ(shop_.activity.active_members, 1);
  EXPECT_EQ(shop_.activity.total_credit, -2.5f);

  LoanLedger ledger;
  ASSERT_TRUE(open_data(shop_, OpenMode::CheckOnly, &ledger));
  EXPECT_TRUE(find_inconsistencies(shop_, ledger).empty());
  EXPECT_EQ(shop_.activity.overdue, 1) << "the opening pass counts as the separate pass does";
  ASSERT_TRUE(read_film(shop_, 3, f));
  f.set_on_loan_to(5);
  ASSERT_TRUE(rewrite_film(shop_, f));
  ledger = LoanLedger{};
  ASSERT_TRUE(open_data(shop_, OpenMode::CheckOnly, &ledger));
  auto problems = find_inconsistencies(shop_, ledger);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "Film 3 is on loan to member 5, who does not hold it");
}

TEST_F(Opening, CheckModeWritesNothingEvenOnANewDay) {
  make_shop_closed_on(at(2026, 12, 7, 20, 0));
  const auto before = file(files::kConfig);
  const auto resn = file(files::kReservations);
  clock_.set(at(2027, 1, 3, 9, 0));
  ASSERT_TRUE(open_data(shop_, OpenMode::CheckOnly));
  EXPECT_TRUE(op_.messages.empty());
  EXPECT_EQ(file(files::kConfig), before);
  EXPECT_EQ(file(files::kReservations), resn);
  EXPECT_FALSE(std::filesystem::exists(shop_.path("December.dat")));
}

TEST_F(Opening, LogEntriesPagesAndPurge) {
  ASSERT_TRUE(open_data(shop_));
  shop_.config.set_i64(cfg::kSignedOnOperator, 12);
  shop_.config.set_operator_name(12, u"Kim");
  ASSERT_TRUE(append_log(shop_, log_prefix(shop_.now()) + u"  Switched on.\r\n"));
  ASSERT_TRUE(append_log(shop_, operator_trailer(shop_.config)));
  auto page = read_log_page(shop_.path(files::kLog), 0);
  EXPECT_EQ(page.text, u"\r\n14:05 07/12/2026  Switched on.\r\n\r\nOperator: 12, Kim\r\n");
  EXPECT_FALSE(page.has_next);
  auto bytes = file(files::kLog);
  EXPECT_EQ(bytes[0], '\r');
  EXPECT_EQ(bytes[1], 0) << "UTF-16LE without a byte-order mark";

  write_bytes(shop_.path(files::kLog), 2 * 31999);
  page = read_log_page(shop_.path(files::kLog), 0);
  EXPECT_EQ(page.text.size(), 31999u);
  EXPECT_TRUE(page.has_next);
  page = read_log_page(shop_.path(files::kLog), 1);
  EXPECT_TRUE(page.text.empty());
  EXPECT_FALSE(page.has_next);

  ASSERT_TRUE(adjust_takings(shop_, 12.5f));
  EXPECT_EQ(shop_.config.takings_today(), 12.5f);
  purge_logs(shop_);
  EXPECT_FALSE(std::filesystem::exists(shop_.path(files::kLog)));
  EXPECT_FALSE(read_log_page(shop_.path(files::kPreviousLog), 0).opened);
  EXPECT_TRUE(valid_log_day(u"07/12/2026"));
  EXPECT_FALSE(valid_log_day(u"7/12/2026"));
  EXPECT_FALSE(valid_log_day(u"07-12-2026"));
}
