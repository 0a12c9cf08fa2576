#include "platform/locale.h"

#include "text/format.h"

namespace kelvo::platform {
namespace {

using text::u16;
using text::u16view;

// The system formatter refuses dates that do not exist in the civil calendar (29/02/2100, which
// the shop's own calendar allows); callers then show the plain digits instead.
bool is_civil_date(const text::DateTime& d) {
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.year < 1 || d.year > 9999) return false;
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  const int length = d.month == 2 ? (leap ? 29 : 28) : text::month_length(d.month, d.year);
  return d.day <= length;
}

size_t run_length(u16view s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && s[i + n] == s[i]) ++n;
  return n;
}

}  // namespace

std::optional<u16> EnglishLocale::format_date(const text::DateTime& d, u16view picture) const {
  if (!is_civil_date(d)) return std::nullopt;
  const int weekday = text::weekday_of(d.year, d.month, d.day);
  u16 out;
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      // Quoted text is literal; two quotes in a row stand for one.
      const size_t close = picture.find(u'\'', i + 1);
      if (close == i + 1) out.push_back(u'\'');
      else out.append(picture.substr(i + 1, close == u16view::npos ? u16view::npos : close - i - 1));
      i = close == u16view::npos ? picture.size() : close + 1;
      continue;
    }
    const size_t run = run_length(picture, i);
    size_t used = run > 4 ? 4 : run;
    if (c == u'd') {
      if (used == 1) out += text::format("%d", {d.day});
      else if (used == 2) out += text::format("%02d", {d.day});
      else if (used == 3) out += text::weekday_short(weekday);
      else out += text::weekday_name(weekday);
    } else if (c == u'M') {
      if (used == 1) out += text::format("%d", {d.month});
      else if (used == 2) out += text::format("%02d", {d.month});
      else if (used == 3) out += text::month_short(d.month);
      else out += text::month_name(d.month);
    } else if (c == u'y' && used >= 2) {
      used = used == 4 ? 4 : 2;
      if (used == 4) out += text::format("%04d", {d.year});
      else out += text::format("%02d", {d.year % 100});
    } else {
      used = 1;
      out.push_back(c);
    }
    i += used;
  }
  return out;
}

}  // namespace kelvo::platform
