#pragma once
// What the day's reports share: dates counted back from today by the shop's calendar, the
// takings history and its monthly sums, the tax portion of a month's takings, and the short
// date form with its numeric fallback.
#include <optional>
#include <vector>

#include "platform/locale.h"
#include "records/config_block.h"
#include "text/calendar.h"

namespace kelvo::reports {

struct Ymd {
  int day = 1, month = 1, year = 2000;
  bool operator==(const Ymd&) const = default;
};
Ymd ymd(const text::DateTime& t);
text::DateTime as_datetime(const Ymd& d);  // midnight, with its weekday
Ymd next(const Ymd& d);
bool before(const Ymd& a, const Ymd& b);

// Today's day minus n (n below a month), stepping back one month when the result is below 1:
// the week-end dates of the status window and the start of a weekly export.
Ymd step_back(const text::DateTime& today, int n);
// The 1st of the current month one year back: the earliest day the history reaches by month.
Ymd first_of_month_year_back(const text::DateTime& today);
// Days from the date to today by the shop's calendar (yesterday 1); the takings history index
// of a past day is this minus one.
int days_before(const Ymd& d, const text::DateTime& today);

// "ddd d MMM yy" in the system's own form, or nullopt when the date cannot be shown so.
std::optional<text::u16> short_date(const platform::Locale& locale, const Ymd& d);

float history(const records::ConfigBlock& c, int k);
// Series 18 holds each day's arrears paid, series 17 its late fees paid.
float arrears_history(const records::ConfigBlock& c, int k);
float lates_history(const records::ConfigBlock& c, int k);
// Takings history entries from..to inclusive, summed in that order in single precision.
float history_sum(const records::ConfigBlock& c, int from, int to);

// A month-end day whose whole month the history still holds (index below 366): the month's
// total, from its last day's index over the month's length.
std::optional<float> month_total(const records::ConfigBlock& c, const Ymd& d, int index);

// " (T1: %.2f)", " (T2: %.2f)", " (T1: %.2f, T2: %.2f)" or nothing, by the tax settings.
text::u16 tax_portion(const records::ConfigBlock& c, float total);

// "Monthly totals:" lines: each month that ended within the last year, "%-10s %d: %.2f" with
// its tax portion, then the current month to date (no tax portion).
std::vector<text::u16> monthly_totals(const records::ConfigBlock& c, const text::DateTime& today);

// "hh:mm" of a time, as the report headings and the closeout show it.
text::u16 hh_mm(const text::DateTime& t);

// "%2d/%2d/%d" or the short form, as the takings screens show a day.
text::u16 day_text(const platform::Locale& locale, const Ymd& d);

}  // namespace kelvo::reports
