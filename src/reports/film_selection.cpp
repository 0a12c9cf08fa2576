#include "reports/film_selection.h"

#include "catalogue/film_display.h"
#include "catalogue/search_text.h"
#include "text/format.h"

namespace kelvo::reports {

bool begins_with_folded(text::u16view field, text::u16view typed) {
  if (field.size() < typed.size()) return false;
  for (size_t i = 0; i < typed.size(); ++i)
    if (text::fold_upper(field[i]) != text::fold_upper(typed[i])) return false;
  return true;
}

bool person_matches(text::u16view name, text::u16view typed) {
  if (!typed.empty() && typed[0] == u'=') return catalogue::contains(name, typed.substr(1));
  if (name.size() < typed.size()) return false;
  return catalogue::starts_with(name, typed, false);
}

int film_days_overdue(const records::FilmRecord& f, const text::DateTime& now, text::u16view deadline) {
  if (f.on_loan_to() == 0) return 0;
  return text::days_overdue(now, f.return_date(), deadline);
}

text::u16 stamp_date(text::u16view stamp) {
  if (stamp.size() < 12) return {};
  return text::u16(stamp.substr(5));
}

text::u16 short_date(const platform::Locale& locale, text::u16view stamp) {
  if (auto d = catalogue::long_date(locale, stamp)) return *d;
  return stamp_date(stamp);
}

text::u16 stamp_time(text::u16view stamp) {
  auto at = [&](size_t i) { return i < stamp.size() ? stamp[i] : u' '; };
  return text::format("%c%c:%c%c", {at(0), at(1), at(3), at(4)});
}

bool not_rented_since(const records::FilmRecord& f, int year, int month) {
  const text::StampDate d = text::parse_stamp(f.last_hire());
  if (!d.valid) return true;
  return d.year < year || (d.year == year && d.month <= month);
}

catalogue::ListRow film_row(const records::FilmRecord& f) {
  return {text::format("%I64d", {f.number()}), f.title(), f.category(),
          text::format("%s, %s, %.2f", {f.certificate(), f.format(), f.cost()})};
}

catalogue::ListRow rented_row(const records::FilmRecord& f) {
  catalogue::ListRow row = film_row(f);
  if (f.on_loan_to() != 0) row[3] = stamp_time(f.last_hire()) + text::format(", %I64d", {f.on_loan_to()});
  return row;
}

catalogue::ListRow active_row(const records::FilmRecord& f, const platform::Locale& locale) {
  return {text::format("%I64d", {f.number()}), f.title(), text::format("%I64d", {f.on_loan_to()}),
          short_date(locale, f.last_hire())};
}

catalogue::ListRow recent_row(const records::FilmRecord& f, int64_t member) {
  return {text::format("%I64d", {f.number()}), f.title(), stamp_time(f.last_hire()),
          text::format("%I64d", {member})};
}

catalogue::ListRow stock_row(const records::StockRecord& s) {
  return {text::format("%I64d", {s.number()}), s.description(),
          text::format("%.2f, %.2f", {s.cost_price(), s.sale_price()}), text::format("%d", {s.quantity()})};
}

}  // namespace kelvo::reports
