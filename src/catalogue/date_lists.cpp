#include "catalogue/date_lists.h"

#include "text/format.h"

namespace kelvo::catalogue {

std::vector<text::u16> DateLists::days() const {
  std::vector<text::u16> out;
  for (int d = with_zero ? 0 : 1; d <= 31; ++d) out.push_back(text::format("%d", {d}));
  return out;
}

std::vector<text::u16> DateLists::months() const {
  std::vector<text::u16> out;
  if (with_zero) out.push_back(u"0");
  for (int m = 1; m <= 12; ++m) out.push_back(text::month_short(m));
  return out;
}

std::vector<text::u16> DateLists::years() const {
  std::vector<text::u16> out;
  if (with_zero) out.push_back(u"0");
  for (int y = first_year; y <= last_year; ++y) out.push_back(text::format("%d", {y}));
  return out;
}

bool DateLists::offers(const DateChoice& c) const {
  auto in = [&](int v, int lo, int hi) { return (with_zero && v == 0) || (v >= lo && v <= hi); };
  return in(c.day, 1, 31) && in(c.month, 1, 12) && in(c.year, first_year, last_year);
}

DateLists purchase_lists(int y) { return {false, 1990, y}; }
DateLists last_rental_lists(int y) { return {true, 1990, y}; }
DateLists birth_lists(int y) { return {true, 1900, y}; }
DateLists join_lists(int y) { return {false, 1990, y}; }
DateLists expiry_lists(int y) { return {true, 2006, y + 10}; }

DateChoice today_choice(const text::DateTime& now) { return {now.day, now.month, now.year}; }

namespace {
bool all_digits(text::u16view s) {
  if (s.empty()) return false;
  for (char16_t c : s)
    if (c < u'0' || c > u'9') return false;
  return true;
}
}  // namespace

DateChoice choice_from_date(text::u16view d) {
  if (d.size() < 10 || d[2] != u'/' || d[5] != u'/') return {};
  auto day = d.substr(0, 2), month = d.substr(3, 2), year = d.substr(6, 4);
  if (!all_digits(day) || !all_digits(month) || !all_digits(year)) return {};
  return {static_cast<int>(text::parse_int64(day)), static_cast<int>(text::parse_int64(month)),
          static_cast<int>(text::parse_int64(year))};
}

DateChoice choice_from_stamp(text::u16view stamp) {
  if (stamp.size() < 15) return {};
  return choice_from_date(stamp.substr(5));
}

text::u16 chosen_date_or(const DateChoice& c, text::u16view stored) {
  return c.complete() ? text::make_date(c.day, c.month, c.year) : text::u16(stored);
}

text::u16 optional_date(const DateChoice& c) {
  return c.complete() ? text::make_date(c.day, c.month, c.year) : text::u16();
}

text::u16 expiry_date(const DateChoice& c) {
  if (!c.complete()) return {};
  // The lists offer 31 days in every month; the day is brought into the chosen month by the
  // program's own calendar, so a leap-year 29 February (a 30-day expiry can land on it) stays.
  int day = c.day;
  const int last = text::month_length(c.month, c.year);
  if (day > last) day = last;
  return text::make_date(day, c.month, c.year);
}

text::u16 last_hire_stamp(const DateChoice& c, text::u16view stored) {
  if (!c.complete()) return {};
  text::u16 time = stored.size() >= 12 ? text::u16(stored.substr(0, 5)) : text::u16(u"00:00");
  return time + text::make_date(c.day, c.month, c.year);
}

DateChoice days_ahead(const text::DateTime& now, int days) {
  text::DateTime d = now;
  for (int i = 0; i < days; ++i) d = text::next_day(d);
  return today_choice(d);
}

}  // namespace kelvo::catalogue
