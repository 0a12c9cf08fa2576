#include "counter/pricing.h"

#include <cmath>
#include <limits>
#include <string>

#include "records/config_layout.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
using records::ConfigBlock;

namespace {

constexpr int kMaxBand = 8;
constexpr int kDayReturnBand = 9;

// Rule at 2072: 0 price per day, 1 price once per rental.
constexpr int64_t kPerDay = 0;
constexpr int64_t kPerRental = 1;

// x pence as money, times the days when the rental is charged per day.
float money(int64_t pence, int64_t charge_rule, int64_t days) {
  float m = static_cast<float>(pence) * 0.01f;
  if (charge_rule == kPerDay) m = m * static_cast<float>(days);
  return m;
}

text::u16 two_places(float v) { return text::format("%.2f", {v}); }

}  // namespace

int32_t band_price(const ConfigBlock& config, int band) {
  if (band < 1 || band > kDayReturnBand) return 0;
  return config.i32(cfg::band_price(band));
}

bool band_days_active(const ConfigBlock& config) { return config.i32(cfg::kBandDays) > 0; }

int32_t band_days(const ConfigBlock& config, int band) {
  if (band < 1 || band > kMaxBand) return 0;
  return config.i32(cfg::kBandDays + 4 * static_cast<size_t>(band));
}

bool offer_uses_band_days(const ConfigBlock& config, int k) {
  if (k < 1 || k > 4) return false;
  return config.i32(cfg::kOfferUsesBandDays + 4 * static_cast<size_t>(k - 1)) == 2;
}

bool credits_cover(int32_t rental_credits, int n, int free_before) {
  return rental_credits >= 1 && rental_credits >= n - free_before;
}

int32_t credits_after_rental(int32_t rental_credits, int new_items_not_free) {
  if (rental_credits <= 0) return rental_credits;
  int32_t left = rental_credits - new_items_not_free;
  return left < 0 ? 0 : left;
}

void price_item(const ConfigBlock& config, const OfferState& offers, RentalMode mode, int band,
                int64_t days, int n, float& sub_total) {
  if (mode.is_day_return()) {
    sub_total += static_cast<float>(band_price(config, kDayReturnBand)) * 0.01f;
    return;
  }
  const int64_t p = band_price(config, band);
  if (band_days_active(config)) {
    sub_total += static_cast<float>(p) * 0.01f;
    return;
  }
  const int64_t rule = config.i64(cfg::kRentalChargeRule);
  if (rule != kPerDay && rule != kPerRental) return;

  const int64_t o = offers.one_price, t2 = offers.any_two, t3 = offers.any_three;
  auto add = [&](int64_t pence) { sub_total += money(pence, rule, days); };
  auto set = [&](int64_t pence) { sub_total = money(pence, rule, days); };

  // The rules are checked one after another, not as alternatives: with several offers in use
  // their conditions on n keep all but one from applying.
  if (o == 0 && t2 == 0 && t3 == 0) add(p);
  if (o != 0 && (t2 == 0 || n < 2) && (t3 == 0 || n < 3)) add(p < o ? p : o);
  if (t2 != 0) {
    const int64_t half = t2 / 2;
    if (n < 2 && o == 0) add(p);
    if (n == 2) {
      if (p < half) add(p);
      else set(t2);
    }
    if (n > 2 && t3 == 0) add(p < half ? p : half);
  }
  if (t3 != 0) {
    const int64_t third = t3 / 3;
    if (n < 3 && o == 0 && t2 == 0) add(p);
    if (n == 3) {
      if (p < third) add(p);
      else set(t3);
    }
    if (n > 3) add(p < third ? p : third);
  }
}

int64_t offer_days(const ConfigBlock& config, int k) { return config.i64(cfg::offer_days(k)); }

float offer_total(const ConfigBlock& config, int k) {
  return static_cast<float>(config.i64(cfg::offer_price(k))) / 100.0f;
}

int64_t rental_days(const ConfigBlock& config, int band, RentalMode mode, int64_t days) {
  if (mode.is_day_return()) return 0;
  // A band outside 1 to 8 has no band days: the item keeps the days it would have had anyway.
  const bool band_known = band >= 1 && band <= kMaxBand;
  if (mode.is_offer()) {
    if (offer_uses_band_days(config, mode.offer) && band_known) return band_days(config, band) + 1;
    return offer_days(config, mode.offer);
  }
  if (band_days_active(config) && band_known) return band_days(config, band) + 1;
  return days;
}

int64_t extend_for_closed_day(const ConfigBlock& config, int today_weekday, int64_t days) {
  const int32_t closed = config.i32(cfg::kClosedDay);
  if (closed < 1 || closed > 7) return days;
  const bool two_days = config.i32(cfg::kClosedTwoDays) == 2;
  int64_t extended = days;
  int weekday = (today_weekday + 1) % 7;
  for (int64_t i = 0; i < days; ++i) {
    if (weekday + 1 == closed) extended += two_days ? 2 : 1;
    weekday = (weekday + 1) % 7;
  }
  return extended;
}

int award_credits(const ConfigBlock& config, int64_t rented_before, int64_t rented_after,
                  int32_t& rental_credits) {
  const size_t rule = cfg::kRentalCreditsRule;
  if (config.i32(rule) != 2) return 0;
  const int64_t threshold = config.i32(rule + 4);
  const int32_t put = config.i32(rule + 8);
  const int64_t per = config.i32(rule + 12);
  const int64_t new_items = rented_after - rented_before;
  if (new_items <= 0 || rented_after == 0 || put == 0 || per == 0) return 0;
  if (threshold != 0 && rented_after < threshold + per) return 0;
  int awarded = 0;
  for (int64_t i = 1; i <= new_items; ++i) {
    if ((rented_before + i - threshold) % per == 0) {
      rental_credits += put;
      awarded += put;
    }
  }
  return awarded;
}

bool any_tax_active(const ConfigBlock& config) {
  return config.i64(cfg::kTax1Active) != 0 || config.i64(cfg::kTax2Active) != 0;
}
bool no_tax_on_overdue(const ConfigBlock& config) { return config.i64(cfg::kNoTaxOnOverdue) == 2; }
bool no_tax_on_stock_sale(const ConfigBlock& config) { return config.i32(cfg::kNoTaxOnStockSale) == 2; }

float read_money(text::u16view t) {
  // Read without the C library: it would take "inf", "nan" and hex, and under a Qt program it
  // follows the user's locale, where "2.50" can stop at the point.
  const double v = text::parse_double(t);
  // An amount no float can hold cannot be read either.
  if (!(std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max()))) return 0.0f;
  return static_cast<float>(v);
}

namespace {

TaxFigures taxes_of(const ConfigBlock& config, float sub_total, text::u16 sub_total_text) {
  TaxFigures f;
  if (!any_tax_active(config)) {
    f.total_text = std::move(sub_total_text);
    f.total = sub_total;
    return f;
  }
  f.taxed = true;
  if (sub_total <= 0) {
    f.tax1_text = u"0";
    f.tax2_text = u"0";
    f.total_text = std::move(sub_total_text);
    f.total = sub_total;
    return f;
  }
  const int64_t rate1 = config.i64(cfg::kTax1Rate), rate2 = config.i64(cfg::kTax2Rate);
  float tax1 = 0, tax2 = 0;
  if (config.i64(cfg::kTax1Active) != 0 && rate1 > 0)
    tax1 = sub_total * static_cast<float>(rate1) / 10000.0f;
  f.tax1_text = two_places(tax1);
  f.tax1 = read_money(f.tax1_text);
  if (config.i64(cfg::kTax2Active) != 0 && rate2 > 0) {
    const float base = config.i64(cfg::kTax2OnTotal) != 0 ? sub_total + f.tax1 : sub_total;
    tax2 = base * static_cast<float>(rate2) / 10000.0f;
  }
  f.tax2_text = two_places(tax2);
  f.tax2 = read_money(f.tax2_text);
  f.total = sub_total + f.tax1 + f.tax2;
  f.total_text = two_places(f.total);
  return f;
}

}  // namespace

TaxFigures compute_taxes(const ConfigBlock& config, text::u16view sub_total_text) {
  return taxes_of(config, read_money(sub_total_text), text::u16(sub_total_text));
}

TaxFigures compute_taxes(const ConfigBlock& config, float sub_total) {
  return taxes_of(config, sub_total, two_places(sub_total));
}

}  // namespace kelvo::counter
