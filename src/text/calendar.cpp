#include "text/calendar.h"

#include "text/format.h"

namespace kelvo::text {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr const char16_t* kMonthNames[12] = {u"January", u"February", u"March",     u"April",
                                             u"May",     u"June",     u"July",      u"August",
                                             u"September", u"October", u"November", u"December"};
constexpr const char16_t* kWeekdayNames[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                              u"Thursday", u"Friday", u"Saturday"};

// Months strictly between are counted with February at 28 in overdue days, unlike the
// month the item fell due in; the difference is the shop's own rule and fees depend on it.
int plain_month_length(int month) { return month >= 1 && month <= 12 ? kMonthDays[month - 1] : 0; }

bool digits_at(u16view s, size_t from, size_t to, int& value) {
  value = 0;
  if (to > s.size() || from >= to) return false;
  for (size_t i = from; i < to; ++i) {
    if (s[i] < u'0' || s[i] > u'9') return false;
    value = value * 10 + (s[i] - u'0');
  }
  return true;
}

int minutes_of_day(const DateTime& t) { return t.hour * 60 + t.minute; }

}  // namespace

int month_length(int month, int year) {
  if (month == 2 && year % 4 == 0) return 29;
  return plain_month_length(month);
}

int weekday_of(int year, int month, int day) {
  static constexpr int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 1 || month > 12) return 0;
  if (month < 3) --year;
  int w = (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
  return w < 0 ? w + 7 : w;
}

DateTime next_day(const DateTime& d) {
  DateTime n = d;
  n.weekday = (d.weekday + 1) % 7;
  if (++n.day > month_length(n.month, n.year)) {
    n.day = 1;
    if (++n.month > 12) {
      n.month = 1;
      ++n.year;
    }
  }
  return n;
}

u16 make_stamp(const DateTime& t) {
  return format("%02d:%02d%02d/%02d/%d", {t.hour, t.minute, t.day, t.month, t.year});
}

u16 make_date(int day, int month, int year) { return format("%02d/%02d/%d", {day, month, year}); }

StampDate parse_stamp(u16view stamp) {
  StampDate d;
  if (stamp.size() < 12) return d;
  const size_t year_end = stamp.size() < 15 ? stamp.size() : 15;
  d.valid = digits_at(stamp, 0, 2, d.hour) && digits_at(stamp, 3, 5, d.minute) &&
            digits_at(stamp, 5, 7, d.day) && digits_at(stamp, 8, 10, d.month) &&
            digits_at(stamp, 11, year_end, d.year);
  if (!d.valid) d = StampDate{};
  return d;
}

u16 due_date(const DateTime& now, int days) {
  DateTime d = now;
  for (int i = 0; i < days; ++i) d = next_day(d);
  return make_stamp(d);
}

int days_since(const DateTime& now, u16view stamp) {
  constexpr int kLongAgo = 40;
  const StampDate s = parse_stamp(stamp);
  if (now.month < 1 || now.month > 12) return kLongAgo;
  if (!s.valid || s.day < 1 || s.day > 31 || s.month < 1 || s.month > 12 || s.year < 1980 ||
      s.year > 2400)
    return kLongAgo;
  // Any date after today, or more than a year back, is not a recent rental. Callers shift the
  // day maps by the result, so a negative count (a later day of this month, a later year) or
  // an anniversary read as "today" would corrupt them; such dates count as long ago.
  if (s.year > now.year || s.year < now.year - 1) return kLongAgo;
  if (s.year == now.year && s.month > now.month) return kLongAgo;
  if (s.day == now.day && s.month == now.month) return s.year == now.year ? 0 : kLongAgo;
  if (s.year == now.year && s.month == now.month) {
    const int d = now.day - s.day;
    return d < 0 ? kLongAgo : d;
  }
  int between = 0;
  for (int m = s.month % 12 + 1; m != now.month; m = m % 12 + 1)
    between += month_length(m, now.year);
  const int d = now.day + between + month_length(s.month, now.year) - s.day;
  return d < 0 || d > 30 ? kLongAgo : d;
}

int days_overdue(const DateTime& now, u16view return_date, u16view deadline) {
  const StampDate due = parse_stamp(return_date);
  if (now.month < 1 || now.month > 12) return 0;
  if (!due.valid || due.month < 1 || due.month > 12 || due.day < 1 || due.day > 31) return 0;

  const int deadline_minutes = static_cast<int>(parse_int64(deadline.substr(0, 2)) * 60 +
                                                parse_int64(deadline.size() > 3 ? deadline.substr(3, 2) : u16view()));
  const int past_deadline = minutes_of_day(now) >= deadline_minutes ? 1 : 0;

  if (due.year == now.year && due.month == now.month && due.day == now.day) return past_deadline;
  if (due.year > now.year || (due.year == now.year && due.month > now.month) ||
      (due.year == now.year && due.month == now.month && due.day > now.day))
    return 0;
  if (due.year == now.year && due.month == now.month) return now.day - due.day + past_deadline;

  int between = 0;
  for (int m = due.month % 12 + 1; m != now.month; m = m % 12 + 1) between += plain_month_length(m);
  // Each further year in between adds a whole year of the same months, so a loan overdue for
  // more than a year is not charged as if it were a few days late.
  const int whole_years = now.year - due.year - (due.month < now.month ? 0 : 1);
  if (whole_years > 0) between += whole_years * 365;
  const int d = between + now.day + month_length(due.month, now.year) - due.day + past_deadline;
  // A day beyond its month's end (31/04) can make the count negative; it is simply not late.
  return d < 0 ? 0 : d;
}

const char16_t* month_name(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : u""; }

const char16_t* weekday_name(int weekday) { return weekday >= 0 && weekday <= 6 ? kWeekdayNames[weekday] : u""; }

u16 month_short(int month) { return u16(u16view(month_name(month)).substr(0, 3)); }

u16 weekday_short(int weekday) { return u16(u16view(weekday_name(weekday)).substr(0, 3)); }

}  // namespace kelvo::text
