#include "reports/day_figures.h"

#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

Ymd ymd(const text::DateTime& t) { return {t.day, t.month, t.year}; }

text::DateTime as_datetime(const Ymd& d) {
  text::DateTime t;
  t.day = d.day;
  t.month = d.month;
  t.year = d.year;
  t.weekday = text::weekday_of(d.year, d.month, d.day);
  return t;
}

Ymd next(const Ymd& d) {
  if (d.day < text::month_length(d.month, d.year)) return {d.day + 1, d.month, d.year};
  if (d.month < 12) return {1, d.month + 1, d.year};
  return {1, 1, d.year + 1};
}

bool before(const Ymd& a, const Ymd& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

Ymd step_back(const text::DateTime& today, int n) {
  Ymd d{today.day - n, today.month, today.year};
  if (d.day < 1) {
    if (--d.month < 1) {
      d.month = 12;
      --d.year;
    }
    d.day += text::month_length(d.month, d.year);
  }
  return d;
}

Ymd first_of_month_year_back(const text::DateTime& today) { return {1, today.month, today.year - 1}; }

int days_before(const Ymd& d, const text::DateTime& today) {
  const Ymd end = ymd(today);
  int n = 0;
  for (Ymd x = d; before(x, end); x = next(x)) ++n;
  return n;
}

std::optional<text::u16> short_date(const platform::Locale& locale, const Ymd& d) {
  return locale.format_date(as_datetime(d), u"ddd d MMM yy");
}

float history(const records::ConfigBlock& c, int k) {
  if (k < 0 || k >= cfg::kHistoryDays) return 0;
  return c.f32(cfg::history_entry(k));
}
float arrears_history(const records::ConfigBlock& c, int k) { return c.f32(cfg::series_entry(18, k)); }
float lates_history(const records::ConfigBlock& c, int k) { return c.f32(cfg::series_entry(17, k)); }

float history_sum(const records::ConfigBlock& c, int from, int to) {
  float sum = 0;
  for (int k = from; k <= to; ++k) sum += history(c, k);
  return sum;
}

std::optional<float> month_total(const records::ConfigBlock& c, const Ymd& d, int index) {
  const int length = text::month_length(d.month, d.year);
  if (d.day != length || index < 0 || index >= 366) return std::nullopt;
  return history_sum(c, index, index + length - 1);
}

text::u16 tax_portion(const records::ConfigBlock& c, float total) {
  if (total == 0) return {};
  const int64_t rate1 = c.i64(cfg::kTax1Rate), rate2 = c.i64(cfg::kTax2Rate);
  const bool active1 = c.i64(cfg::kTax1Active) != 0, active2 = c.i64(cfg::kTax2Active) != 0;
  if (rate1 > 0 && active1 && !active2)
    return text::format(" (T1: %.2f)", {total * 10000 / static_cast<float>(rate1 + 10000) * static_cast<float>(rate1) / 10000});
  if (rate1 == 0 && active2 && !active1)
    return text::format(" (T2: %.2f)", {total * 10000 / static_cast<float>(rate2 + 10000) * static_cast<float>(rate2) / 10000});
  if (!(rate1 > 0 && rate2 > 0 && active1 && active2)) return {};
  const bool compound = c.i64(cfg::kTax2OnTotal) != 0;
  const int64_t divisor = compound ? 10000 + rate1 + rate2 + (rate1 * rate2 + rate2) / 10000 : rate1 + rate2 + 10000;
  // The net is rounded to cents as printed, so the portions add up to what the receipts show.
  const float net = static_cast<float>(
      text::parse_double(text::format("%.2f", {total * 10000 / static_cast<float>(divisor)})));
  const float t1 = static_cast<float>(rate1) * net / 10000;
  const float t2 = !compound && rate1 == rate2 ? t1 : total - net - t1;
  return text::format(" (T1: %.2f, T2: %.2f)", {t1, t2});
}

std::vector<text::u16> monthly_totals(const records::ConfigBlock& c, const text::DateTime& today) {
  std::vector<text::u16> out;
  const Ymd end = ymd(today);
  Ymd d = first_of_month_year_back(today);
  int index = days_before(d, today) - 1;
  for (; before(d, end); d = next(d), --index) {
    if (auto total = month_total(c, d, index))
      out.push_back(text::format("%-10s %d: %.2f", {text::month_name(d.month), d.year, *total}) + tax_portion(c, *total));
  }
  const float month_to_date = history_sum(c, 0, today.day - 2) + c.takings_today();
  out.push_back(text::format("%-10s %d: %.2f", {text::month_name(today.month), today.year, month_to_date}));
  return out;
}

text::u16 hh_mm(const text::DateTime& t) { return text::format("%02d:%02d", {t.hour, t.minute}); }

text::u16 day_text(const platform::Locale& locale, const Ymd& d) {
  if (auto s = short_date(locale, d)) return *s;
  return text::format("%2d/%2d/%d", {d.day, d.month, d.year});
}

}  // namespace kelvo::reports
