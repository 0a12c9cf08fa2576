#pragma once
// The one calendar of the program: month lengths with February 29 in every year divisible by 4,
// time-date stamps "hh:mmdd/mm/yyyy", dd/mm/yyyy dates, and the day arithmetic of rentals.
#include "text/utf16.h"

namespace kelvo::text {

struct DateTime {
  int year = 2000, month = 1, day = 1;  // month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0;
  int weekday = 6;  // 0 Sunday ... 6 Saturday
};

// February has 29 days when year % 4 == 0 (the program's rule, centuries included).
int month_length(int month, int year);
// Weekday of a date by the civil calendar, 0 Sunday ... 6 Saturday.
int weekday_of(int year, int month, int day);
// The next calendar day by the program's month lengths; the weekday moves on with it.
DateTime next_day(const DateTime& d);

// "%02d:%02d%02d/%02d/%d": hour, minute, day, month, year (15 characters for 4-digit years).
u16 make_stamp(const DateTime& t);
// "%02d/%02d/%d".
u16 make_date(int day, int month, int year);

struct StampDate {
  bool valid = false;
  int hour = 0, minute = 0, day = 0, month = 0, year = 0;
};
// Reads the digits at their fixed positions (hour 0-1, minute 3-4, day 5-6, month 8-9,
// year 11-14). A stamp shorter than 12 characters counts as no date (valid false).
StampDate parse_stamp(u16view stamp);

// Time-date stamp of now plus `days` days, at now's hour and minute.
u16 due_date(const DateTime& now, int days);
// Whole days from the stamp's date to today: 0 to 30, or 40 for no valid date, a later month of
// this year, or more than 30 days ago.
int days_since(const DateTime& now, u16view stamp);
// Whole days an item due on the stamp's date is late, given the return deadline "hh:mm".
int days_overdue(const DateTime& now, u16view return_date, u16view deadline);

// English names: month 1-12 ("January"), weekday 0-6 ("Sunday"); short forms of three letters.
const char16_t* month_name(int month);
const char16_t* weekday_name(int weekday);
u16 month_short(int month);
u16 weekday_short(int weekday);

}  // namespace kelvo::text
