#include "counter/offer_settings.h"

#include <limits>

#include "records/config_layout.h"
#include "records/shop.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
using records::ConfigBlock;

namespace {

text::u16 number_text(int64_t v) { return text::format("%I64d", {static_cast<long long>(v)}); }

// The typed value when it reads as a number within [lo, hi].
std::optional<int64_t> in_range(text::u16view typed, int64_t lo, int64_t hi) {
  auto v = read_whole_number(typed);
  if (!v || *v < lo || *v > hi) return std::nullopt;
  return v;
}

constexpr size_t kCreditsUse = cfg::kRentalCreditsRule;
constexpr size_t kCreditsThreshold = cfg::kRentalCreditsRule + 4;
constexpr size_t kCreditsPut = cfg::kRentalCreditsRule + 8;
constexpr size_t kCreditsPer = cfg::kRentalCreditsRule + 12;

size_t band_days_slot(int band) { return cfg::kBandDays + 4 * static_cast<size_t>(band); }
size_t offer_flag_slot(int k) { return cfg::kOfferUsesBandDays + 4 * static_cast<size_t>(k - 1); }

}  // namespace

std::optional<int64_t> read_whole_number(text::u16view t) {
  size_t i = 0;
  while (i < t.size() && (t[i] == u' ' || t[i] == u'\t')) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
  if (i >= t.size() || t[i] < u'0' || t[i] > u'9') return std::nullopt;
  int64_t v = 0;
  for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
    int d = t[i] - u'0';
    if (v > (std::numeric_limits<int64_t>::max() - d) / 10) return std::nullopt;
    v = v * 10 + d;
  }
  while (i < t.size() && (t[i] == u' ' || t[i] == u'\t')) ++i;
  if (i != t.size()) return std::nullopt;
  return negative ? -v : v;
}

// --- Special offers ----------------------------------------------------------------------------

SpecialOffersSettings SpecialOffersSettings::load(const ConfigBlock& config) {
  SpecialOffersSettings s;
  for (int k = 1; k <= 4; ++k) {
    auto& o = s.offers[k - 1];
    o.total = number_text(config.i64(cfg::offer_price(k)));
    o.days = number_text(config.i64(cfg::offer_days(k)));
    o.use_band_days = config.i32(offer_flag_slot(k)) == 2;
  }
  return s;
}

void SpecialOffersSettings::store(ConfigBlock& config) const {
  for (int k = 1; k <= 4; ++k) {
    const auto& o = offers[k - 1];
    if (auto total = in_range(o.total, kMinTotal, kMaxTotal)) config.set_i64(cfg::offer_price(k), *total);
    if (auto days = in_range(o.days, kMinDays, kMaxDays)) config.set_i64(cfg::offer_days(k), *days);
    config.set_i32(offer_flag_slot(k), o.use_band_days ? 2 : 0);
  }
}

text::u16 SpecialOffersSettings::group_title(int k) {
  static const char16_t keys[] = u"7890";
  return text::format("Offer %d ('%c' key)", {k, keys[k - 1]});
}

// --- Charge band days --------------------------------------------------------------------------

BandDaysSettings BandDaysSettings::load(const ConfigBlock& config) {
  BandDaysSettings s;
  s.active = config.i32(cfg::kBandDays) > 0;
  for (int b = 1; b <= 8; ++b) s.days[b - 1] = number_text(config.i32(band_days_slot(b)));
  return s;
}

void BandDaysSettings::store(ConfigBlock& config) const {
  config.set_i32(cfg::kBandDays, active ? 2 : 0);
  for (int b = 1; b <= 8; ++b)
    if (auto d = in_range(days[b - 1], kMinDays, kMaxDays)) config.set_i32(band_days_slot(b), static_cast<int32_t>(*d));
}

// --- Closed day ----------------------------------------------------------------------------------

ClosedDaySettings ClosedDaySettings::load(const ConfigBlock& config) {
  ClosedDaySettings s;
  int32_t d = config.i32(cfg::kClosedDay);
  s.closed_day = d >= 0 && d <= 7 ? d : 0;
  s.two_days = config.i32(cfg::kClosedTwoDays) == 2;
  return s;
}

void ClosedDaySettings::store(ConfigBlock& config) const {
  config.set_i32(cfg::kClosedDay, closed_day >= 0 && closed_day <= 7 ? closed_day : 0);
  config.set_i32(cfg::kClosedTwoDays, two_days ? 2 : 0);
}

const std::array<const char16_t*, 8>& ClosedDaySettings::choices() {
  static const std::array<const char16_t*, 8> names = {u"Non",       u"Sunday",   u"Monday", u"Tuesday",
                                                       u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  return names;
}

// --- Rental credits ------------------------------------------------------------------------------

RentalCreditsSettings RentalCreditsSettings::load(const ConfigBlock& config) {
  RentalCreditsSettings s;
  s.use = config.i32(kCreditsUse) == 2;
  s.threshold = number_text(config.i32(kCreditsThreshold));
  int32_t put = config.i32(kCreditsPut), per = config.i32(kCreditsPer);
  s.credits = number_text(put == 0 ? 1 : put);
  s.per_rentals = number_text(per == 0 ? 10 : per);
  return s;
}

void RentalCreditsSettings::store(ConfigBlock& config) const {
  config.set_i32(kCreditsUse, use ? 2 : 0);
  if (auto v = in_range(threshold, 0, kMax)) config.set_i32(kCreditsThreshold, static_cast<int32_t>(*v));
  if (auto v = in_range(credits, 0, kMax)) config.set_i32(kCreditsPut, static_cast<int32_t>(*v));
  if (auto v = in_range(per_rentals, 0, kMax)) config.set_i32(kCreditsPer, static_cast<int32_t>(*v));
}

// --- One-price offers ----------------------------------------------------------------------------

text::u16 one_price_question(OnePrice which) {
  switch (which) {
    case OnePrice::AllItems: return u"All films one price";
    case OnePrice::AnyTwo: return u"Any two films for a set price";
    case OnePrice::AnyThree: return u"Any three films for a set price";
  }
  return {};
}

void ask_one_price(records::Shop& shop, OfferState& offers, OnePrice which) {
  int64_t& value = which == OnePrice::AllItems ? offers.one_price
                   : which == OnePrice::AnyTwo ? offers.any_two
                                               : offers.any_three;
  platform::PromptOptions options;
  options.proposal = value == 0 ? text::u16(u"99") : number_text(value);
  auto answer = shop.op().prompt(one_price_question(which), options);
  if (!answer) return;
  // Text that is no number at all is refused: read as 0 it would quietly end the offer.
  auto typed = read_whole_number(answer->text);
  if (!typed || *typed < 0 || *typed > kMaxOnePrice) {
    shop.warn();
    shop.op().message(u"Problem", u"Invalid amount");
    return;
  }
  value = *typed;
  if (value == 0)
    shop.op().message(u"Default pricing", u"Prices reset to charge bands.");
  else
    shop.op().message(u"Default price", text::format("New value %I64d now in use.", {static_cast<long long>(value)}));
}

}  // namespace kelvo::counter
