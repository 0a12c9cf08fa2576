#include "till/configuration_settings.h"

#include <cmath>
#include <string>

#include "counter/payment.h"

namespace kelvo::till {

namespace cfg = records::cfg;

namespace {

text::u16 number_text(int64_t v) { return text::from_utf8(std::to_string(v)); }

// A check box over a field with its own idea of "on". An unchanged box leaves the field as it
// was, so a value this window does not know survives being looked at.
struct Flag {
  size_t offset;
  bool wide;  // int64, else int
  bool (*is_on)(int64_t);
  int64_t on, off;

  int64_t get(const records::ConfigBlock& c) const { return wide ? c.i64(offset) : c.i32(offset); }
  bool read(const records::ConfigBlock& c) const { return is_on(get(c)); }
  void write(records::ConfigBlock& c, bool ticked) const {
    if (read(c) == ticked) return;
    const int64_t v = ticked ? on : off;
    if (wide)
      c.set_i64(offset, v);
    else
      c.set_i32(offset, static_cast<int32_t>(v));
  }
};

bool zero_or_less(int64_t v) { return v <= 0; }
bool zero(int64_t v) { return v == 0; }
bool two(int64_t v) { return v == 2; }
bool not_two(int64_t v) { return v != 2; }

constexpr Flag kCashTendered{cfg::kCashTenderedOff, true, zero_or_less, 0, 2};
constexpr Flag kMemberList{cfg::kMemberSearchList, false, two, 2, 0};
constexpr Flag kChargePerDay{cfg::kRentalChargeRule, true, zero, 0, 1};
constexpr Flag kSelectAll{cfg::kSelectAllOnReturn, false, two, 2, 0};
constexpr Flag kAutoOffer{cfg::kAutoOfferOff, true, zero, 0, 2};
constexpr Flag kSundryByList{cfg::kSundrySaleByScanner, false, not_two, 0, 2};

constexpr size_t kDeadlineWidth = 12, kFormatWidth = 12, kCurrencyWidth = 10;

text::u16 cut(text::u16view s, size_t n) { return text::u16(s.substr(0, n)); }

bool digit(char16_t c) { return c >= u'0' && c <= u'9'; }

size_t rental_price_offset(int band) {
  return band == BandSettings::kRentalBands ? cfg::kDayReturnPrice : cfg::band_price(band);
}

}  // namespace

bool valid_return_deadline(text::u16view t) {
  if (t.size() != 5 || t[2] != u':' || !digit(t[0]) || !digit(t[1]) || !digit(t[3]) || !digit(t[4])) return false;
  const int hour = (t[0] - u'0') * 10 + (t[1] - u'0');
  const int minute = (t[3] - u'0') * 10 + (t[4] - u'0');
  return hour < 24 && minute < 60;
}

GeneralSettings GeneralSettings::load(const records::ConfigBlock& c) {
  GeneralSettings s;
  s.rental_days = number_text(c.i64(cfg::kDefaultRentalDays));
  s.return_deadline = c.return_deadline();
  s.format1 = c.str(cfg::kFormat1Name, kFormatWidth);
  s.format2 = c.str(cfg::kFormat2Name, kFormatWidth);
  s.till_total = counter::money_text(c.f32(cfg::kDefaultTillTotal));
  s.items_per_customer = number_text(c.i32(cfg::kItemsPerCustomer));
  for (int i = 1; i <= cfg::kCategoryCount; ++i) s.categories[i - 1] = c.store_category(i);
  s.cash_tendered = kCashTendered.read(c);
  s.member_list = kMemberList.read(c);
  s.charge_per_day = kChargePerDay.read(c);
  s.select_all_on_return = kSelectAll.read(c);
  s.auto_offer = kAutoOffer.read(c);
  s.sundry_by_list = kSundryByList.read(c);
  const int32_t detail = c.i32(cfg::kOverduePrintDetail);
  s.overdue_detail = detail >= 0 && detail < 4 ? detail : 0;
  return s;
}

void GeneralSettings::store(records::ConfigBlock& c) const {
  if (auto v = text::whole_number_in_range(rental_days, kMinRentalDays, kMaxRentalDays)) c.set_i64(cfg::kDefaultRentalDays, *v);
  if (valid_return_deadline(return_deadline)) c.set_str(cfg::kReturnDeadline, kDeadlineWidth, return_deadline);
  c.set_str(cfg::kFormat1Name, kFormatWidth, cut(format1, kFormatLength));
  c.set_str(cfg::kFormat2Name, kFormatWidth, cut(format2, kFormatLength));
  // Shown to two places: an untouched figure keeps whatever precision it was stored with.
  if (till_total != counter::money_text(c.f32(cfg::kDefaultTillTotal)))
    if (auto v = counter::read_amount(till_total); v && *v >= 0) c.set_f32(cfg::kDefaultTillTotal, *v);
  if (auto v = text::whole_number_in_range(items_per_customer, 0, kMaxItemsPerCustomer))
    c.set_i32(cfg::kItemsPerCustomer, static_cast<int32_t>(*v));
  for (int i = 1; i <= cfg::kCategoryCount; ++i)
    c.set_str(cfg::category_name(i), cfg::kCategoryNameWidth, cut(categories[i - 1], kCategoryLength));
  kCashTendered.write(c, cash_tendered);
  kMemberList.write(c, member_list);
  kChargePerDay.write(c, charge_per_day);
  kSelectAll.write(c, select_all_on_return);
  kAutoOffer.write(c, auto_offer);
  kSundryByList.write(c, sundry_by_list);
  if (overdue_detail >= 0 && overdue_detail < 4) c.set_i32(cfg::kOverduePrintDetail, overdue_detail);
}

const std::array<const char16_t*, 4>& GeneralSettings::overdue_details() {
  static const std::array<const char16_t*, 4> choices = {
      u"Item, rented, customer, owed", u"Item, rented, customer, band", u"Item, rented, customer, category",
      u"Item, rented, customer, owed, band, category (no spacing)"};
  return choices;
}

BandSettings BandSettings::load(const records::ConfigBlock& c) {
  BandSettings s;
  for (int b = 1; b <= kRentalBands; ++b) s.rental[b - 1] = number_text(c.i32(rental_price_offset(b)));
  for (int b = 1; b <= kOverdueBands; ++b) s.overdue[b - 1] = number_text(c.i64(cfg::overdue_rate(b)));
  s.currency_symbol = c.str(cfg::kCurrencySymbol, kCurrencyWidth);
  return s;
}

void BandSettings::store(records::ConfigBlock& c) const {
  for (int b = 1; b <= kRentalBands; ++b)
    if (auto v = text::whole_number_in_range(rental[b - 1], 1, kMaxPrice)) c.set_i32(rental_price_offset(b), static_cast<int32_t>(*v));
  for (int b = 1; b <= kOverdueBands; ++b)
    if (auto v = text::whole_number_in_range(overdue[b - 1], 1, kMaxPrice)) c.set_i64(cfg::overdue_rate(b), *v);
  c.set_str(cfg::kCurrencySymbol, kCurrencyWidth, cut(currency_symbol, kCurrencyLength));
  // The shop's own choice: the next start must not take the machine's symbol over it.
  c.set_u16(cfg::kCurrencyTaken, 2);
}

}  // namespace kelvo::till
