// Item prices, rental days, the closed-day extension, rental credits and taxes, with the float
// results the counter has always shown.
#include <cmath>

#include <gtest/gtest.h>

#include "counter/pricing.h"
#include "records/config_layout.h"
#include "text/calendar.h"
#include "text/utf16.h"

namespace kelvo::counter {
namespace {

namespace cfg = records::cfg;

class Pricing : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int b = 1; b <= 8; ++b) config.set_i32(cfg::band_price(b), 100 * b);
    config.set_i32(cfg::kDayReturnPrice, 250);
    config.set_i64(cfg::kRentalChargeRule, 1);  // once per rental
  }
  void band(int b, int32_t pence) { config.set_i32(cfg::band_price(b), pence); }
  // Prices items of the given bands one after another, as the rental screen adds them.
  float rent(std::initializer_list<int> bands, int64_t days = 1, RentalMode mode = {}) {
    float sub = 0;
    int n = 0;
    for (int b : bands) price_item(config, offers, mode, b, days, ++n, sub);
    return sub;
  }
  records::ConfigBlock config;
  OfferState offers;
};

TEST_F(Pricing, PlainBandPricePerRentalAndPerDay) {
  band(1, 150);
  EXPECT_EQ(rent({1}, 3), 1.5f);
  config.set_i64(cfg::kRentalChargeRule, 0);
  EXPECT_EQ(rent({1}, 3), 4.5f);
  EXPECT_EQ(rent({1, 1}, 3), 9.0f);
  // Any other value of the rule prices nothing, as it always has.
  config.set_i64(cfg::kRentalChargeRule, 5);
  EXPECT_EQ(rent({1}, 3), 0.0f);
}

TEST_F(Pricing, DayReturnAndBandDaysAreNeverMultipliedByDays) {
  config.set_i64(cfg::kRentalChargeRule, 0);
  EXPECT_EQ(rent({3}, 5, RentalMode::day_return()), 2.5f);
  config.set_i32(cfg::kBandDays, 2);
  band(2, 175);
  EXPECT_EQ(rent({2}, 5), 1.75f);
}

TEST_F(Pricing, BandOutsideTheTableHasNoPrice) {
  // Band 0 would otherwise read the closed day setting as a price.
  config.set_i32(cfg::kClosedDay, 3);
  EXPECT_EQ(band_price(config, 0), 0);
  EXPECT_EQ(band_price(config, 10), 0);
  EXPECT_EQ(band_price(config, 9), 250);
  EXPECT_EQ(rent({0}), 0.0f);
}

TEST_F(Pricing, AnyTwoForFiveSetsTheSubTotalOnTheSecondItem) {
  band(1, 300);
  offers.any_two = 500;
  float sub = 0;
  price_item(config, offers, {}, 1, 1, 1, sub);
  EXPECT_EQ(sub, 3.0f);
  price_item(config, offers, {}, 1, 1, 2, sub);
  EXPECT_EQ(sub, 5.0f);
  price_item(config, offers, {}, 1, 1, 3, sub);
  EXPECT_EQ(sub, 7.5f);
}

TEST_F(Pricing, AnyTwoKeepsCheaperItemsAtTheirBandPrice) {
  band(1, 200);
  offers.any_two = 500;
  EXPECT_EQ(rent({1, 1}), 4.0f);
  // Per day, the set price is times the days too.
  config.set_i64(cfg::kRentalChargeRule, 0);
  band(2, 300);
  EXPECT_EQ(rent({2, 2}, 2), 10.0f);
}

TEST_F(Pricing, AllItemsOnePriceCapsEachItem) {
  band(1, 300);
  band(2, 199);
  offers.one_price = 250;
  float sub = 0;
  price_item(config, offers, {}, 1, 1, 1, sub);
  EXPECT_EQ(sub, 2.5f);
  price_item(config, offers, {}, 2, 1, 2, sub);
  EXPECT_EQ(sub, 2.5f + 1.99f);
}

TEST_F(Pricing, AnyThreeSetsOnTheThirdAndCapsLaterItems) {
  band(1, 300);
  offers.any_three = 600;
  EXPECT_EQ(rent({1, 1}), 6.0f);
  EXPECT_EQ(rent({1, 1, 1}), 6.0f);
  EXPECT_EQ(rent({1, 1, 1, 1}), 8.0f);
  band(2, 150);
  EXPECT_EQ(rent({2, 2, 2}), 4.5f);  // 150 < 600 / 3: band prices throughout
}

TEST_F(Pricing, OffersInUseTogetherApplyOneRulePerItem) {
  band(1, 300);
  offers.one_price = 250;
  offers.any_two = 400;
  offers.any_three = 540;
  float sub = 0;
  price_item(config, offers, {}, 1, 1, 1, sub);
  EXPECT_EQ(sub, 2.5f);  // only the one price applies to a first item
  price_item(config, offers, {}, 1, 1, 2, sub);
  EXPECT_EQ(sub, 4.0f);  // the any-two price replaces it
  price_item(config, offers, {}, 1, 1, 3, sub);
  EXPECT_EQ(sub, 5.4f);  // and the any-three price replaces that
  price_item(config, offers, {}, 1, 1, 4, sub);
  EXPECT_EQ(sub, 5.4f + 1.8f);
}

TEST(RentalCredits, CoverTheFirstItemsUpToTheCredits) {
  EXPECT_TRUE(credits_cover(2, 1, 0));
  EXPECT_TRUE(credits_cover(2, 2, 0));
  EXPECT_FALSE(credits_cover(2, 3, 0));
  EXPECT_EQ(credits_after_rental(2, 3), 0);
  // Free items already in the rental do not use up credits.
  EXPECT_TRUE(credits_cover(1, 2, 1));
  EXPECT_FALSE(credits_cover(0, 1, 0));
  EXPECT_EQ(credits_after_rental(5, 2), 3);
  EXPECT_EQ(credits_after_rental(0, 2), 0);
}

class Credits : public ::testing::Test {
 protected:
  void rule(int use, int threshold, int put, int per) {
    config.set_i32(cfg::kRentalCreditsRule, use);
    config.set_i32(cfg::kRentalCreditsRule + 4, threshold);
    config.set_i32(cfg::kRentalCreditsRule + 8, put);
    config.set_i32(cfg::kRentalCreditsRule + 12, per);
  }
  records::ConfigBlock config;
  int32_t credits = 0;
};

TEST_F(Credits, EveryTenthRentalEarnsTheCreditsToPut) {
  rule(2, 0, 1, 10);
  EXPECT_EQ(award_credits(config, 8, 11, credits), 1);
  EXPECT_EQ(credits, 1);
  EXPECT_EQ(award_credits(config, 11, 14, credits), 0);
  rule(2, 0, 3, 2);
  credits = 0;
  EXPECT_EQ(award_credits(config, 0, 5, credits), 6);  // at 2 and 4
  EXPECT_EQ(credits, 6);
}

TEST_F(Credits, ThresholdCountsFromItsOwnStart) {
  rule(2, 5, 1, 10);
  EXPECT_EQ(award_credits(config, 3, 6, credits), 0);  // below threshold + per-number
  EXPECT_EQ(award_credits(config, 13, 14, credits), 0);  // one short of the threshold
  EXPECT_EQ(award_credits(config, 14, 15, credits), 1);  // 15 - 5 is a multiple of 10
  EXPECT_EQ(award_credits(config, 14, 16, credits), 1);
  EXPECT_EQ(award_credits(config, 16, 24, credits), 0);
  EXPECT_EQ(award_credits(config, 24, 25, credits), 1);
  EXPECT_EQ(credits, 3);
}

TEST_F(Credits, NothingWithoutTheRuleOrWithZeroSettings) {
  rule(0, 0, 1, 10);
  EXPECT_EQ(award_credits(config, 9, 10, credits), 0);
  rule(2, 0, 0, 10);
  EXPECT_EQ(award_credits(config, 9, 10, credits), 0);
  rule(2, 0, 1, 0);
  EXPECT_EQ(award_credits(config, 9, 10, credits), 0);
  rule(2, 0, 1, 10);
  EXPECT_EQ(award_credits(config, 10, 10, credits), 0);
  EXPECT_EQ(credits, 0);
}

TEST(RentalDays, ModesBandDaysAndOffers) {
  records::ConfigBlock config;
  config.set_i64(cfg::offer_days(2), 7);
  config.set_i32(cfg::kBandDays + 4 * 3, 4);  // band 3: 4 days
  EXPECT_EQ(rental_days(config, 3, RentalMode::day_return(), 5), 0);
  EXPECT_EQ(rental_days(config, 3, {}, 5), 5);
  EXPECT_EQ(rental_days(config, 3, RentalMode::special_offer(2), 5), 7);
  config.set_i32(cfg::kBandDays, 2);
  EXPECT_EQ(rental_days(config, 3, {}, 5), 5);  // band days + 1
  // An offer keeps its own days unless it is set to take the band's.
  EXPECT_EQ(rental_days(config, 3, RentalMode::special_offer(2), 5), 7);
  config.set_i32(cfg::kOfferUsesBandDays + 4, 2);
  EXPECT_EQ(rental_days(config, 3, RentalMode::special_offer(2), 9), 5);
  // A band with no band days keeps the days the rental would otherwise have.
  EXPECT_EQ(rental_days(config, 0, {}, 6), 6);
}

TEST(RentalDays, BandOfOneDayIsDueTwoDaysAheadAtTheTimeOfRenting) {
  records::ConfigBlock config;
  config.set_i32(cfg::kBandDays, 1);
  config.set_i32(cfg::kBandDays + 4, 1);
  text::DateTime now{2026, 12, 7, 14, 5, 0, text::weekday_of(2026, 12, 7)};
  int64_t days = extend_for_closed_day(config, now.weekday, rental_days(config, 1, {}, 3));
  EXPECT_EQ(days, 2);
  EXPECT_EQ(text::to_utf8(text::due_date(now, static_cast<int>(days))), "14:0509/12/2026");
}

TEST(ClosedDay, RentingTheDayBeforeAddsOneOrTwoDays) {
  records::ConfigBlock config;
  const int monday = 1;
  EXPECT_EQ(extend_for_closed_day(config, monday, 1), 1);
  config.set_i32(cfg::kClosedDay, 3);  // Tuesday
  EXPECT_EQ(extend_for_closed_day(config, monday, 1), 2);
  config.set_i32(cfg::kClosedTwoDays, 2);
  EXPECT_EQ(extend_for_closed_day(config, monday, 1), 3);
}

TEST(ClosedDay, OnlyTheDaysFirstAskedForAreWalked) {
  records::ConfigBlock config;
  config.set_i32(cfg::kClosedDay, 1);  // Sunday
  const int friday = 5, saturday = 6;
  EXPECT_EQ(extend_for_closed_day(config, friday, 1), 1);  // Saturday only
  EXPECT_EQ(extend_for_closed_day(config, friday, 2), 3);
  EXPECT_EQ(extend_for_closed_day(config, saturday, 7), 8);  // the week wraps once
  EXPECT_EQ(extend_for_closed_day(config, saturday, 8), 10);
  EXPECT_EQ(extend_for_closed_day(config, saturday, 0), 0);
}

class Taxes : public ::testing::Test {
 protected:
  void tax(int which, int64_t rate) {
    config.set_i64(which == 1 ? cfg::kTax1Active : cfg::kTax2Active, 1);
    config.set_i64(which == 1 ? cfg::kTax1Rate : cfg::kTax2Rate, rate);
  }
  static std::string s(const text::u16& t) { return text::to_utf8(t); }
  records::ConfigBlock config;
};

TEST_F(Taxes, NoTaxLeavesTheTypedSubTotalAsTheTotal) {
  auto f = compute_taxes(config, u"7.5");
  EXPECT_FALSE(f.taxed);
  EXPECT_EQ(s(f.total_text), "7.5");
  EXPECT_EQ(f.total, 7.5f);
}

TEST_F(Taxes, CompoundTaxTwoOnTheTotalWithTaxOne) {
  tax(1, 1000);
  tax(2, 500);
  config.set_i64(cfg::kTax2OnTotal, 1);
  auto f = compute_taxes(config, u"10.00");
  EXPECT_TRUE(f.taxed);
  EXPECT_EQ(s(f.tax1_text), "1.00");
  EXPECT_EQ(s(f.tax2_text), "0.55");
  EXPECT_EQ(s(f.total_text), "11.55");
  EXPECT_EQ(f.total, 10.0f + 1.0f + 0.55f);
  config.set_i64(cfg::kTax2OnTotal, 0);
  f = compute_taxes(config, 10.0f);
  EXPECT_EQ(s(f.tax2_text), "0.50");
  EXPECT_EQ(s(f.total_text), "11.50");
}

TEST_F(Taxes, TotalAddsTheTaxesAsShown) {
  tax(1, 1750);
  auto f = compute_taxes(config, 0.99f);  // 0.17325 shown as 0.17
  EXPECT_EQ(s(f.tax1_text), "0.17");
  EXPECT_EQ(s(f.tax2_text), "0.00");
  EXPECT_EQ(f.total, 0.99f + 0.17f);
  EXPECT_EQ(s(f.total_text), "1.16");
}

TEST_F(Taxes, NothingOrLessShowsZeroTaxes) {
  tax(2, 500);
  auto f = compute_taxes(config, u"-2.00");
  EXPECT_EQ(s(f.tax1_text), "0");
  EXPECT_EQ(s(f.tax2_text), "0");
  EXPECT_EQ(s(f.total_text), "-2.00");
  f = compute_taxes(config, u"");
  EXPECT_EQ(s(f.total_text), "");
  EXPECT_EQ(f.total, 0.0f);
}

TEST_F(Taxes, AMoneyBoxReadsOnlyPlainDecimals) {
  EXPECT_EQ(read_money(u" 2.50"), 2.5f);
  EXPECT_EQ(read_money(u"-1.25 each"), -1.25f);
  // Words and notations a typing slip can produce must not turn into an endless or undefined
  // amount that would then be added to the day's takings.
  for (auto odd : {u"inf", u"-inf", u"nan", u"infinity", u"0x10", u"9e99"}) EXPECT_EQ(read_money(odd), 0.0f) << text::to_utf8(odd);
  EXPECT_EQ(read_money(text::u16(45, u'9')), 0.0f);
  tax(1, 1000);
  for (auto odd : {u"inf", u"nan"}) {
    auto f = compute_taxes(config, odd);
    EXPECT_TRUE(std::isfinite(f.total)) << text::to_utf8(odd);
    EXPECT_EQ(s(f.total_text), std::string(text::to_utf8(odd))) << "shown as typed, counted as nothing";
  }
}

TEST_F(Taxes, UntaxedLateFeesAndStockSales) {
  EXPECT_FALSE(no_tax_on_overdue(config));
  config.set_i64(cfg::kNoTaxOnOverdue, 2);
  config.set_i32(cfg::kNoTaxOnStockSale, 2);
  EXPECT_TRUE(no_tax_on_overdue(config));
  EXPECT_TRUE(no_tax_on_stock_sale(config));
  EXPECT_FALSE(any_tax_active(config));
}

}  // namespace
}  // namespace kelvo::counter
