#include "reports/tax_settings.h"

#include <optional>

#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

bool flag(const records::ConfigBlock& c, size_t off) { return c.i64(off) != 0; }
void set_flag(records::ConfigBlock& c, size_t off, bool on) { c.set_i64(off, on ? 2 : 0); }

std::optional<int64_t> read_rate(text::u16view typed) {
  const text::u16 t = text::trimmed(typed);
  if (t.empty() || t.size() > 4) return std::nullopt;
  for (char16_t ch : t)
    if (ch < u'0' || ch > u'9') return std::nullopt;
  return text::parse_int64(t);
}

}  // namespace

TaxSettings tax_settings(const records::ConfigBlock& c) {
  TaxSettings s;
  s.active1 = flag(c, cfg::kTax1Active);
  s.active2 = flag(c, cfg::kTax2Active);
  s.rate1 = text::format("%I64d", {static_cast<long long>(c.i64(cfg::kTax1Rate))});
  s.rate2 = text::format("%I64d", {static_cast<long long>(c.i64(cfg::kTax2Rate))});
  s.compound = flag(c, cfg::kTax2OnTotal);
  s.no_tax_on_overdue = flag(c, cfg::kNoTaxOnOverdue);
  s.no_tax_on_stock_sale = c.i32(cfg::kNoTaxOnStockSale) == 2;
  s.description1 = tax_description(c, 1);
  s.description2 = tax_description(c, 2);
  return s;
}

void store_tax_settings(records::ConfigBlock& c, const TaxSettings& s) {
  set_flag(c, cfg::kTax1Active, s.active1);
  set_flag(c, cfg::kTax2Active, s.active2);
  if (auto r = read_rate(s.rate1)) c.set_i64(cfg::kTax1Rate, *r);
  if (auto r = read_rate(s.rate2)) c.set_i64(cfg::kTax2Rate, *r);
  set_flag(c, cfg::kTax2OnTotal, s.compound);
  set_flag(c, cfg::kNoTaxOnOverdue, s.no_tax_on_overdue);
  c.set_i32(cfg::kNoTaxOnStockSale, s.no_tax_on_stock_sale ? 2 : 0);
  c.set_str(cfg::kTax1Description, cfg::kTaxDescriptionWidth, s.description1.substr(0, kTaxDescriptionLength));
  c.set_str(cfg::kTax2Description, cfg::kTaxDescriptionWidth, s.description2.substr(0, kTaxDescriptionLength));
}

text::u16 tax_description(const records::ConfigBlock& c, int which) {
  text::u16 d = c.str(which == 1 ? cfg::kTax1Description : cfg::kTax2Description, cfg::kTaxDescriptionWidth);
  if (d.empty()) return which == 1 ? u"Tax 1" : u"Tax 2";
  return d;
}

}  // namespace kelvo::reports
