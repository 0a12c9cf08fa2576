#include "reports/receipts_lines.h"

#include "records/config_layout.h"
#include "text/calendar.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

// Characters of stored texts read at fixed places; a text cut short gives blanks there, not
// whatever follows it in memory.
char16_t at(text::u16view s, size_t i) { return i < s.size() ? s[i] : u' '; }

// Where the dd/mm/yyyy part starts: after the time of a time-date stamp, else at the front.
size_t date_start(text::u16view s) { return s.size() > 5 && s[2] == u':' ? 5 : 0; }

int two_digits(text::u16view s, size_t i) {
  const char16_t a = at(s, i), b = at(s, i + 1);
  if (a < u'0' || a > u'9' || b < u'0' || b > u'9') return 0;
  return (a - u'0') * 10 + (b - u'0');
}

// The three-letter month of a date text; a month outside 1 to 12 is "Jan".
text::u16 month_of(text::u16view date) {
  const int m = two_digits(date, date_start(date) + 3);
  return text::month_short(m >= 1 && m <= 12 ? m : 1);
}

}  // namespace

text::u16 page_item_line(const counter::ReceiptItem& item, text::u16view return_time) {
  const text::u16view rented = item.rented, due = item.due;
  const size_t rd = date_start(rented), dd = date_start(due);
  return text::format("%-6I64d %-35s at %c%c:%c%c %s %c%c due %s %s %c%c",
                      {item.number, item.title, at(rented, 0), at(rented, 1), at(rented, 3), at(rented, 4),
                       month_of(rented), at(rented, rd), at(rented, rd + 1), return_time, month_of(due), at(due, dd),
                       at(due, dd + 1)});
}

text::u16 till_item_line(const counter::ReceiptItem& item, text::u16view return_time) {
  const text::u16 title = item.title.substr(0, 10);
  const text::u16view due = item.due;
  const size_t dd = date_start(due);
  const int hour = two_digits(return_time, 0);
  if (hour >= 12)
    return text::format("%I64d %s due %s %c%c at %d:%c%cpm",
                        {item.number, title, month_of(due), at(due, dd), at(due, dd + 1),
                         hour == 12 ? 12 : hour - 12, at(return_time, 3), at(return_time, 4)});
  return text::format("%I64d %s due %s %c%c at %sam",
                      {item.number, title, month_of(due), at(due, dd), at(due, dd + 1), return_time});
}

bool late_fees_apply(const counter::RentalReceipt& r) { return r.arrears_settled != 0 && r.settlement_marker == 0; }

text::u16 tax_line(const records::ConfigBlock& config, int which, float amount) {
  const text::u16 description =
      config.str(which == 1 ? cfg::kTax1Description : cfg::kTax2Description, cfg::kTaxDescriptionWidth);
  const double rate = static_cast<double>(config.i64(which == 1 ? cfg::kTax1Rate : cfg::kTax2Rate)) / 100.0;
  const text::u16 value = text::format("%.2f", {amount});
  if (description.empty()) return text::format("Tax %d: %s (%.2f%%)", {which, value, rate});
  return text::format("%s: %s (%.2f%%)", {description, value, rate});
}

Totals totals(const counter::RentalReceipt& r, const records::ConfigBlock& config) {
  Totals t;
  t.late_fees_shown = late_fees_apply(r);
  t.late_fees = text::format("Late fees: %s", {text::format("%.2f", {t.late_fees_shown ? r.arrears_settled : 0.0f})});
  const float charge = r.rental_charge - r.discount;
  t.rentals_amount = text::format("%.2f", {r.tax1 != 0 || r.tax2 != 0 ? r.rentals_ex_tax : charge});
  t.rentals = u"Rentals: " + t.rentals_amount;
  t.sundries_shown = r.sundries != 0;
  t.sundries = text::format("Sundries: %s", {text::format("%.2f", {r.sundries})});
  t.tax1_shown = r.tax1 != 0;
  t.tax1 = tax_line(config, 1, r.tax1);
  t.tax2_shown = r.tax2 != 0;
  t.tax2 = tax_line(config, 2, r.tax2);
  // What the customer paid: the sundries' taxes are printed among the tax lines, yet they were
  // charged on top of the sundries shown, so the total counts them.
  const float sundries = r.sundries + r.sundries_taxes;
  t.total_amount = charge + sundries;
  if (t.late_fees_shown) t.total_amount = r.arrears_settled + charge + sundries;
  t.total = text::format("Total: %s%.2f", {currency(config), t.total_amount});
  return t;
}

std::vector<text::u16> Totals::lines() const {
  std::vector<text::u16> out;
  if (late_fees_shown) out.push_back(late_fees);
  out.push_back(rentals);
  if (sundries_shown) out.push_back(sundries);
  if (tax1_shown) out.push_back(tax1);
  if (tax2_shown) out.push_back(tax2);
  out.push_back(total);
  return out;
}

text::u16 currency(const records::ConfigBlock& config) { return config.str(cfg::kCurrencySymbol, 10); }

text::u16 footer(const records::ConfigBlock& config) {
  return config.str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth);
}

}  // namespace kelvo::reports
