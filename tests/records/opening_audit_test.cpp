// Start-up and shutdown details that are easy to get subtly wrong: the day count on the last
// days of a month, the reservation line among the start lines, the record counts of the day's
// summary.
#include <gtest/gtest.h>

#include "records/counter_session.h"
#include "records/daily_summary.h"
#include "records/data_opening.h"
#include "records/day_close.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/reservation_file.h"
#include "support/scripted_operator.h"
#include "text/coding.h"

using namespace kelvo;
using namespace kelvo::records;
using kelvo::testing::at;
using kelvo::testing::ShopTest;

namespace {

class OpeningAudit : public ShopTest {
 protected:
  // A shop whose open day is `day`, shut down that evening with the given takings.
  void shop_closed_on(text::DateTime day, float takings) {
    clock_.set(day);
    ASSERT_TRUE(open_data(shop_));
    shop_.config.set_takings_today(takings);
    shop_.config.set_last_shutdown(day);
    ASSERT_TRUE(shop_.save_config());
  }
  bool reopen(text::DateTime day) {
    clock_.set(day);
    shop_.config = ConfigBlock{};
    return open_data(shop_);
  }
  std::vector<text::u16> start_lines() {
    std::vector<text::u16> out;
    for (auto& l : session_lines(shop_, 32))
      if (l != u"  ") out.push_back(l);
    return out;
  }
};

}  // namespace

// The day after the 30th is the 31st, not a month and more later, whatever the month before
// this one was; and the days of March beyond February's length count as days too.
TEST_F(OpeningAudit, DaysElapsedOnTheLastDaysOfLongMonths) {
  EXPECT_EQ(days_elapsed(30, at(2027, 5, 31)), 1);
  EXPECT_EQ(days_elapsed(29, at(2027, 5, 31)), 2);
  EXPECT_EQ(days_elapsed(28, at(2027, 3, 29)), 1);
  EXPECT_EQ(days_elapsed(29, at(2027, 3, 30)), 1);
  EXPECT_EQ(days_elapsed(30, at(2028, 3, 31)), 1);
  EXPECT_EQ(days_elapsed(30, at(2026, 12, 31)), 1);
  EXPECT_EQ(days_elapsed(15, at(2026, 10, 31)), 16);
  // Across a month end the length of the month just ended counts.
  EXPECT_EQ(days_elapsed(30, at(2027, 5, 1)), 1);
  EXPECT_EQ(days_elapsed(31, at(2027, 6, 1)), 1);
  EXPECT_EQ(days_elapsed(29, at(2027, 6, 2)), 4);
  // The same day of month in the next month: a whole month.
  EXPECT_EQ(days_elapsed(12, at(2027, 6, 12)), 31);
}

TEST_F(OpeningAudit, NextDayCloseOnThe31stKeepsTheDayInTheHistory) {
  shop_closed_on(at(2027, 5, 30, 20, 0), 55.5f);
  auto resn = read_whole(shop_.path(files::kReservations)).value();
  text::put_i32(&resn[kReservationDaySize * 1 + 804], 3);  // three reservations for tomorrow
  ASSERT_TRUE(write_file_atomic(shop_.path(files::kReservations), resn.data(), resn.size()));

  ASSERT_TRUE(reopen(at(2027, 5, 31, 9, 0)));
  EXPECT_TRUE(op_.messages.empty()) << "no date question on the next day";
  EXPECT_EQ(shop_.config.f32(cfg::kTakingsPreviousDay), 55.5f);
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(0)), 55.5f);
  resn = read_whole(shop_.path(files::kReservations)).value();
  EXPECT_EQ(text::get_i32(&resn[804]), 3) << "tomorrow's reservations are today's now";
}

TEST_F(OpeningAudit, StartLinesNameTodaysReservationsWhenThereAreAny) {
  ASSERT_TRUE(open_counter_data(shop_));
  announce_start(shop_);
  for (auto& l : start_lines()) EXPECT_EQ(text::to_utf8(l).rfind("Reservations for today", 0), std::string::npos);

  auto resn = read_whole(shop_.path(files::kReservations)).value();
  text::put_i32(&resn[804], 4);
  ASSERT_TRUE(write_file_atomic(shop_.path(files::kReservations), resn.data(), resn.size()));
  auto lines = start_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), u"Reservations for today: 4");
  EXPECT_EQ(lines[lines.size() - 2].substr(0, 9), u"Overdue: ");
  auto all = session_lines(shop_, 32);
  EXPECT_EQ(all.back(), u"  ") << "followed by its separator like every start line";
}

TEST_F(OpeningAudit, SummaryCountsLiveRecordsNotSlots) {
  ASSERT_TRUE(open_counter_data(shop_));
  FilmRecord f;
  f.set_number(5);
  f.set_title(u"Heat");
  f.set_charge_band(1);
  ASSERT_TRUE(add_film(shop_, f));
  // The first-run film file holds one deleted record; the new film took its slot, so add two
  // more and delete one to leave a deleted slot behind.
  for (int64_t n : {6, 7}) {
    f.set_number(n);
    ASSERT_TRUE(add_film(shop_, f));
  }
  ASSERT_TRUE(delete_film(shop_, 6));
  ASSERT_EQ(shop_.films.counts().total, 3);
  ASSERT_EQ(shop_.films.counts().live, 2);
  text::u16 s = summary_text(shop_, shop_.now());
  EXPECT_NE(s.find(u"\r\nFilms on the system: 2, Members on the system: 0\r\n"), text::u16::npos)
      << text::to_utf8(s);
}
