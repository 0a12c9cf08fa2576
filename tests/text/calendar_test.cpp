#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/locale.h"
#include "text/calendar.h"

namespace kelvo::text {
namespace {

DateTime at(int day, int month, int year, int hour = 10, int minute = 30) {
  DateTime t;
  t.day = day, t.month = month, t.year = year, t.hour = hour, t.minute = minute;
  t.weekday = weekday_of(year, month, day);
  return t;
}

TEST(Calendar, MonthLengthsFollowTheShopRule) {
  EXPECT_EQ(month_length(2, 2027), 28);
  EXPECT_EQ(month_length(2, 2028), 29);
  EXPECT_EQ(month_length(2, 2100), 29);  // centuries too
  EXPECT_EQ(month_length(4, 2026), 30);
  EXPECT_EQ(month_length(12, 2026), 31);
  EXPECT_EQ(weekday_of(2026, 12, 7), 1);  // a Monday
  EXPECT_EQ(weekday_of(2000, 1, 1), 6);
}

TEST(Calendar, StampsAreWrittenAndReadAtFixedPositions) {
  EXPECT_EQ(make_stamp(at(7, 12, 2026, 14, 5)), u"14:0507/12/2026");
  EXPECT_EQ(make_date(1, 3, 2028), u"01/03/2028");
  const StampDate s = parse_stamp(u"09:4531/01/2027");
  EXPECT_TRUE(s.valid);
  EXPECT_EQ(s.hour, 9);
  EXPECT_EQ(s.minute, 45);
  EXPECT_EQ(s.day, 31);
  EXPECT_EQ(s.month, 1);
  EXPECT_EQ(s.year, 2027);
  EXPECT_TRUE(parse_stamp(u"00:0001/02/2").valid);  // twelve characters still read
  EXPECT_FALSE(parse_stamp(u"00:0001/02/").valid);
  EXPECT_FALSE(parse_stamp(u"NEW").valid);
  EXPECT_FALSE(parse_stamp(u"               ").valid);
  EXPECT_FALSE(parse_stamp(u"00:00x1/02/2026").valid);
}

TEST(Calendar, DueDateCountsDayByDay) {
  EXPECT_EQ(due_date(at(30, 1, 2027, 18, 7), 3), u"18:0702/02/2027");
  EXPECT_EQ(due_date(at(28, 2, 2027), 1), u"10:3001/03/2027");
  EXPECT_EQ(due_date(at(28, 2, 2028), 1), u"10:3029/02/2028");
  EXPECT_EQ(due_date(at(28, 2, 2100), 1), u"10:3029/02/2100");
  EXPECT_EQ(due_date(at(31, 12, 2026), 1), u"10:3001/01/2027");
  EXPECT_EQ(due_date(at(7, 12, 2026), 0), u"10:3007/12/2026");
  EXPECT_EQ(due_date(at(1, 1, 2027), 365), u"10:3001/01/2028");
  EXPECT_EQ(next_day(at(6, 12, 2026)).weekday, 1);
}

TEST(Calendar, DaysSinceRecentRentals) {
  const DateTime today = at(7, 3, 2028);
  EXPECT_EQ(days_since(today, u""), 40);
  EXPECT_EQ(days_since(today, u"10:3007/03/2"), 40);  // year out of range
  EXPECT_EQ(days_since(today, u"10:3007/03/2028"), 0);
  EXPECT_EQ(days_since(today, u"23:5904/03/2028"), 3);
  EXPECT_EQ(days_since(today, u"08:0015/02/2028"), 21);  // 7 + 29 - 15 in a leap year
  EXPECT_EQ(days_since(at(7, 3, 2027), u"08:0015/02/2027"), 20);
  EXPECT_EQ(days_since(today, u"08:0006/02/2028"), 30);
  EXPECT_EQ(days_since(today, u"08:0005/02/2028"), 40);  // 31 days ago
  EXPECT_EQ(days_since(today, u"08:0031/01/2028"), 40);
  EXPECT_EQ(days_since(today, u"08:0001/04/2028"), 40);  // later month of this year
  EXPECT_EQ(days_since(at(3, 1, 2028), u"12:0020/12/2027"), 14);
  EXPECT_EQ(days_since(today, u"08:0000/03/2028"), 40);
  EXPECT_EQ(days_since(today, u"08:0007/13/2028"), 40);
  EXPECT_EQ(days_since(today, u"08:0007/03/1979"), 40);
}

TEST(Calendar, DaysSinceNeverGivesAShiftOutsideTheMaps) {
  const DateTime today = at(7, 3, 2028);
  EXPECT_EQ(days_since(today, u"08:0009/03/2028"), 40);  // later this month
  EXPECT_EQ(days_since(today, u"08:0007/03/2027"), 40);  // a year ago to the day
  EXPECT_EQ(days_since(today, u"08:0001/01/2029"), 40);  // next year
  EXPECT_EQ(days_since(at(3, 1, 2028), u"12:0020/12/2026"), 40);  // December, but a year earlier
  EXPECT_EQ(days_since(at(1, 3, 2027), u"12:0031/02/2027"), 40);  // no such day
  for (int day = 1; day <= 31; ++day) {
    for (int month = 1; month <= 12; ++month) {
      const int d = days_since(at(15, 6, 2028), make_stamp(at(day, month, 2028)));
      EXPECT_TRUE((d >= 0 && d <= 30) || d == 40) << day << "/" << month;
    }
  }
}

TEST(Calendar, DaysOverdueAroundTheDeadline) {
  const u16 due = u"19:0007/12/2026";
  EXPECT_EQ(days_overdue(at(7, 12, 2026, 17, 59), due, u"18:00"), 0);
  EXPECT_EQ(days_overdue(at(7, 12, 2026, 18, 0), due, u"18:00"), 1);
  EXPECT_EQ(days_overdue(at(8, 12, 2026, 17, 59), due, u"18:00"), 1);
  EXPECT_EQ(days_overdue(at(8, 12, 2026, 18, 0), due, u"18:00"), 2);
  EXPECT_EQ(days_overdue(at(6, 12, 2026, 23, 0), due, u"18:00"), 0);   // due later this month
  EXPECT_EQ(days_overdue(at(30, 11, 2026, 23, 0), due, u"18:00"), 0);  // later month
  EXPECT_EQ(days_overdue(at(30, 12, 2025, 23, 0), due, u"18:00"), 0);  // later year
  EXPECT_EQ(days_overdue(at(8, 12, 2026), u"               ", u"18:00"), 0);
  EXPECT_EQ(days_overdue(at(8, 12, 2026), u"", u"18:00"), 0);
}

TEST(Calendar, DaysOverdueAcrossMonthAndYearEnds) {
  EXPECT_EQ(days_overdue(at(1, 3, 2028, 12, 0), u"10:0028/02/2028", u"20:00"), 2);
  EXPECT_EQ(days_overdue(at(1, 3, 2027, 12, 0), u"10:0028/02/2027", u"20:00"), 1);
  EXPECT_EQ(days_overdue(at(2, 5, 2027, 21, 0), u"10:0030/03/2027", u"20:00"), 34);  // April whole
  // Months in between count February as 28 even in a leap year.
  EXPECT_EQ(days_overdue(at(1, 3, 2028, 12, 0), u"10:0031/01/2028", u"20:00"), 29);
  EXPECT_EQ(days_overdue(at(2, 1, 2027, 12, 0), u"10:0030/12/2026", u"20:00"), 3);
  // Due on the last day of the year, returned on the first of the next, before and at the deadline.
  EXPECT_EQ(days_overdue(at(1, 1, 2027, 19, 59), u"10:0031/12/2026", u"20:00"), 1);
  EXPECT_EQ(days_overdue(at(1, 1, 2027, 20, 0), u"10:0031/12/2026", u"20:00"), 2);
  EXPECT_EQ(days_overdue(at(5, 12, 2027, 12, 0), u"10:0010/12/2026", u"20:00"), 360);  // not a few days
  EXPECT_EQ(days_overdue(at(2, 2, 2027, 21, 0), u"10:0030/11/2026", u"20:00"), 65);
  // More than a year late is not charged as a few days.
  EXPECT_EQ(days_overdue(at(2, 1, 2028, 12, 0), u"10:0030/12/2026", u"20:00"), 368);
  EXPECT_EQ(days_overdue(at(1, 5, 2027, 12, 0), u"10:0031/04/2027", u"20:00"), 0);  // no 31 April
}

TEST(PlainPlatform, EnglishDatesAndTheSystemClock) {
  const platform::EnglishLocale english;
  const DateTime d = at(7, 12, 2026);
  EXPECT_EQ(english.format_date(d, u"dddd MMMM d yyyy"), u"Monday December 7 2026");
  EXPECT_EQ(english.format_date(d, u"ddd d MMM yy"), u"Mon 7 Dec 26");
  EXPECT_EQ(english.format_date(at(5, 1, 2009), u"ddd MMM dd yy"), u"Mon Jan 05 09");
  EXPECT_EQ(english.format_date(d, u"MMM d yyyy"), u"Dec 7 2026");
  EXPECT_EQ(english.format_date(d, u"dd/MM/yyyy 'day' M"), u"07/12/2026 day 12");
  EXPECT_EQ(english.format_date(at(29, 2, 2100), u"d MMM yyyy"), std::nullopt);
  EXPECT_EQ(english.format_date(at(29, 2, 2028), u"ddd d MMM yy"), u"Tue 29 Feb 28");
  EXPECT_EQ(english.format_date(at(0, 13, 2026), u"d"), std::nullopt);

  const DateTime now = platform::SystemClock().now();
  EXPECT_GE(now.year, 2024);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, month_length(now.month, now.year));
  EXPECT_EQ(now.weekday, weekday_of(now.year, now.month, now.day));
}

}  // namespace
}  // namespace kelvo::text
