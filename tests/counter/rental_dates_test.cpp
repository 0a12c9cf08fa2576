// Due dates (days box, band days, closed day, leap years, the year's end) and the day maps
// of the film record.
#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

class DueTest : public RentalTest {
 protected:
  // Rents film 7 with the days box set to `days`; the due stamp stored for it.
  std::u16string due_for(std::u16string days) {
    screen_.script = [this, days](RentalModel& m) {
      m.set_days(days);
      op_.type(u"7");
      m.add_items(false);
      return RentalEnd::Finish;
    };
    EXPECT_TRUE(rent().finished);
    return member_on_file().on_loan_due(0);
  }
};

TEST_F(DueTest, ClosedDayAddsOneDayOrTwo) {
  today(testing::at(2026, 12, 7, 9, 30));       // a Monday
  shop_.config.set_i32(cfg::kClosedDay, 3);     // closed on Tuesdays
  EXPECT_EQ(due_for(u"1"), u"09:3009/12/2026");
}

TEST_F(DueTest, ClosedForTwoDays) {
  today(testing::at(2026, 12, 7, 9, 30));
  shop_.config.set_i32(cfg::kClosedDay, 3);
  shop_.config.set_i32(cfg::kClosedTwoDays, 2);
  EXPECT_EQ(due_for(u"1"), u"09:3010/12/2026");
}

TEST_F(DueTest, FebruaryOfALeapYearHasTwentyNineDays) {
  today(testing::at(2028, 2, 27, 11, 0));
  EXPECT_EQ(due_for(u"2"), u"11:0029/02/2028");
}

TEST_F(DueTest, FebruaryOfAnOrdinaryYearHasTwentyEight) {
  today(testing::at(2027, 2, 27, 11, 0));
  EXPECT_EQ(due_for(u"2"), u"11:0001/03/2027");
}

TEST_F(DueTest, ThirtyFirstOfDecemberRollsIntoTheNextYear) {
  today(testing::at(2026, 12, 31, 18, 45));
  EXPECT_EQ(due_for(u"1"), u"18:4501/01/2027");
}

TEST_F(DueTest, DaysBoxRecomputesTheDueLineOnlyFromOneToTwentyEight) {
  screen_.script = [](RentalModel& m) {
    EXPECT_EQ(m.days(), u"3");
    EXPECT_EQ(m.due(), u"10/12/2026 14:05");
    m.set_days(u"5");
    EXPECT_EQ(m.due(), u"12/12/2026 14:05");
    m.set_days(u"29");
    EXPECT_EQ(m.due(), u"12/12/2026 14:05");
    return RentalEnd::Cancel;
  };
  rent();
  // Up to 179 days still rents for that long.
  EXPECT_EQ(due_for(u"40"), u"14:0516/01/2027");
}

TEST_F(DueTest, BandDaysGiveTheBandsDaysPlusOne) {
  shop_.config.set_i32(cfg::kBandDays, 1);
  shop_.config.set_i32(cfg::kBandDays + 4, 1);  // band 1: one day
  screen_.script = [this](RentalModel& m) {
    EXPECT_EQ(m.header().type, u"Bands");
    EXPECT_EQ(m.days(), u"Film");
    EXPECT_EQ(m.due(), u"");
    op_.type(u"7");
    m.add_items(false);
    EXPECT_EQ(m.days(), u"2");
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_EQ(member_on_file().on_loan_due(0), u"14:0509/12/2026");
}

class HireMapTest : public RentalTest {
 protected:
  records::FilmRecord rent_film_last_hired(std::u16string last_hire, uint32_t map30, uint8_t map7) {
    change_film(7, [&](records::FilmRecord& f) {
      f.set_last_hire(last_hire);
      f.set_hire_days_30(map30);
      f.set_hire_days_7(map7);
    });
    items({u"7"});
    EXPECT_TRUE(rent().finished);
    return film_on_file(7);
  }
};

TEST_F(HireMapTest, SameDayLeavesTheMapsAlone) {
  auto f = rent_film_last_hired(u"09:0007/12/2026", 0b100001, 0b100001);
  EXPECT_EQ(f.hire_days_30(), 0b100001u);
  EXPECT_EQ(f.hire_days_7(), 0b100001);
}

TEST_F(HireMapTest, ThreeDaysAgoShiftsBothMaps) {
  auto f = rent_film_last_hired(u"09:0004/12/2026", 0b100001, 0b100001);
  EXPECT_EQ(f.hire_days_30(), (1u << 0) | (1u << 3) | (1u << 8));
  EXPECT_EQ(f.hire_days_7(), (1 << 0) | (1 << 3));
}

TEST_F(HireMapTest, ThirtyOneDaysAgoOrNeverKeepsOnlyToday) {
  auto f = rent_film_last_hired(u"09:0006/11/2026", 0x3ffffff, 0x7f);
  EXPECT_EQ(f.hire_days_30(), 1u);
  EXPECT_EQ(f.hire_days_7(), 1);
}

TEST_F(HireMapTest, TheEleventhRenterPushesTheFirstOut) {
  change_film(7, [](records::FilmRecord& f) {
    for (int i = 0; i < 10; ++i) f.push_renter(100 + i);
  });
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  auto f = film_on_file(7);
  EXPECT_EQ(f.renter(0), 101);
  EXPECT_EQ(f.previous_to_last_rental_by(), 109);
  EXPECT_EQ(f.last_rental_by(), 42);
}

}  // namespace
}  // namespace kelvo::renttest
