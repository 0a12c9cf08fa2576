// The pricing settings as their screens store them, and the one-price prompts.
#include <gtest/gtest.h>

#include "counter/offer_settings.h"
#include "records/config_layout.h"
#include "support/scripted_operator.h"

namespace kelvo::counter {
namespace {

namespace cfg = records::cfg;
using testing::ScriptedOperator;

TEST(WholeNumbers, ReadAsTypedOrNotAtAll) {
  EXPECT_EQ(read_whole_number(u" 250 "), 250);
  EXPECT_EQ(read_whole_number(u"-3"), -3);
  EXPECT_EQ(read_whole_number(u""), std::nullopt);
  EXPECT_EQ(read_whole_number(u"abc"), std::nullopt);
  EXPECT_EQ(read_whole_number(u"12x"), std::nullopt);
  EXPECT_EQ(read_whole_number(u"99999999999999999999"), std::nullopt);
}

TEST(SpecialOffers, OutOfRangeValuesKeepTheOldOnes) {
  records::ConfigBlock config;
  for (int k = 1; k <= 4; ++k) {
    config.set_i64(cfg::offer_price(k), 200);
    config.set_i64(cfg::offer_days(k), 2);
  }
  auto s = SpecialOffersSettings::load(config);
  EXPECT_EQ(text::to_utf8(s.offers[0].total), "200");
  s.offers[0] = {u"19999", u"14", true};
  s.offers[1] = {u"20000", u"15", false};
  s.offers[2] = {u"1", u"0", true};
  s.offers[3] = {u"2", u"1", false};
  s.store(config);
  EXPECT_EQ(config.i64(cfg::offer_price(1)), 19999);
  EXPECT_EQ(config.i64(cfg::offer_days(1)), 14);
  EXPECT_EQ(config.i64(cfg::offer_price(2)), 200);
  EXPECT_EQ(config.i64(cfg::offer_days(2)), 2);
  EXPECT_EQ(config.i64(cfg::offer_price(3)), 200);
  EXPECT_EQ(config.i64(cfg::offer_days(3)), 2);
  EXPECT_EQ(config.i64(cfg::offer_price(4)), 2);
  EXPECT_EQ(config.i64(cfg::offer_days(4)), 1);
  EXPECT_EQ(config.i32(cfg::kOfferUsesBandDays), 2);
  EXPECT_EQ(config.i32(cfg::kOfferUsesBandDays + 4), 0);
  EXPECT_EQ(config.i32(cfg::kOfferUsesBandDays + 8), 2);
  EXPECT_TRUE(SpecialOffersSettings::load(config).offers[2].use_band_days);
  EXPECT_EQ(text::to_utf8(SpecialOffersSettings::group_title(4)), "Offer 4 ('0' key)");
  EXPECT_EQ(offer_total(config, 1), 199.99f);
}

TEST(BandDays, AcceptsOneToTwentyEightDays) {
  records::ConfigBlock config;
  config.set_i32(cfg::kBandDays + 4 * 2, 3);
  auto s = BandDaysSettings::load(config);
  EXPECT_FALSE(s.active);
  EXPECT_EQ(text::to_utf8(s.days[1]), "3");
  s.active = true;
  s.days[0] = u"28";
  s.days[1] = u"29";
  s.days[2] = u"0";
  s.days[3] = u"seven";
  s.store(config);
  EXPECT_GT(config.i32(cfg::kBandDays), 0);
  EXPECT_EQ(band_days(config, 1), 28);
  EXPECT_EQ(band_days(config, 2), 3);
  EXPECT_EQ(band_days(config, 3), 0);
  EXPECT_EQ(band_days(config, 4), 0);
  s.active = false;
  s.store(config);
  EXPECT_FALSE(band_days_active(config));
}

TEST(ClosedDaySettings, StoresTheDayAndTheTwoDayFlag) {
  records::ConfigBlock config;
  ClosedDaySettings s{7, true};
  s.store(config);
  EXPECT_EQ(config.i32(cfg::kClosedDay), 7);
  EXPECT_EQ(config.i32(cfg::kClosedTwoDays), 2);
  EXPECT_EQ(std::u16string(ClosedDaySettings::choices()[7]), u"Saturday");
  config.set_i32(cfg::kClosedDay, 12);  // a damaged value shows as no closed day
  EXPECT_EQ(ClosedDaySettings::load(config).closed_day, 0);
}

TEST(RentalCreditSettings, ShowsDefaultsForUnsetValuesAndRefusesTooLarge) {
  records::ConfigBlock config;
  auto s = RentalCreditsSettings::load(config);
  EXPECT_FALSE(s.use);
  EXPECT_EQ(text::to_utf8(s.threshold), "0");
  EXPECT_EQ(text::to_utf8(s.credits), "1");
  EXPECT_EQ(text::to_utf8(s.per_rentals), "10");
  s.use = true;
  s.threshold = u"100000";
  s.store(config);
  EXPECT_EQ(config.i32(cfg::kRentalCreditsRule), 2);
  EXPECT_EQ(config.i32(cfg::kRentalCreditsRule + 4), 0);
  EXPECT_EQ(config.i32(cfg::kRentalCreditsRule + 8), 1);
  EXPECT_EQ(config.i32(cfg::kRentalCreditsRule + 12), 10);
  int32_t credits = 0;
  EXPECT_EQ(award_credits(config, 9, 10, credits), 1);
}

// Remembers what each prompt asked and proposed.
class PromptRecorder : public ScriptedOperator {
 public:
  std::vector<std::string> questions, proposals;
  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions& o) override {
    questions.push_back(text::to_utf8(q));
    proposals.push_back(text::to_utf8(o.proposal));
    return ScriptedOperator::prompt(q, o);
  }
};

class OnePriceTest : public ::testing::Test {
 protected:
  OnePriceTest()
      : folder_(testing::fresh_folder()),
        clock_(testing::at(2026, 12, 7, 14, 5)),
        shop_(folder_, op_, clock_, locale_) {}
  ~OnePriceTest() override { std::filesystem::remove_all(folder_); }
  void answer(std::u16string text, OnePrice which = OnePrice::AllItems) {
    op_.texts.push_back(std::move(text));
    ask_one_price(shop_, offers_, which);
  }
  std::filesystem::path folder_;
  PromptRecorder op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  OfferState offers_;
};

TEST_F(OnePriceTest, NewValueIsUsedUntilResetByZero) {
  answer(u"250");
  EXPECT_EQ(offers_.one_price, 250);
  EXPECT_TRUE(op_.saw("Default price", "New value 250 now in use."));
  answer(u"0");
  EXPECT_EQ(offers_.one_price, 0);
  EXPECT_TRUE(op_.saw("Default pricing", "Prices reset to charge bands."));
  EXPECT_EQ(op_.questions[0], "All films one price");
  EXPECT_EQ(op_.proposals[0], "99");
  EXPECT_EQ(op_.proposals[1], "250");
}

TEST_F(OnePriceTest, RefusedAmountsChangeNothing) {
  offers_.any_two = 500;
  answer(u"10001", OnePrice::AnyTwo);
  answer(u"-1", OnePrice::AnyTwo);
  // Text that is no number must not quietly switch the offer off.
  answer(u"five", OnePrice::AnyTwo);
  EXPECT_EQ(offers_.any_two, 500);
  EXPECT_EQ(op_.messages.size(), 3u);
  for (const auto& m : op_.messages) {
    EXPECT_EQ(m.caption, "Problem");
    EXPECT_EQ(m.body, "Invalid amount");
  }
  EXPECT_EQ(op_.warnings, 3);
  EXPECT_EQ(op_.questions[0], "Any two films for a set price");
  answer(u"10000", OnePrice::AnyThree);
  EXPECT_EQ(offers_.any_three, 10000);
  EXPECT_EQ(op_.questions.back(), "Any three films for a set price");
}

TEST_F(OnePriceTest, CancelKeepsTheOffer) {
  offers_.any_three = 600;
  op_.texts.push_back(std::nullopt);
  ask_one_price(shop_, offers_, OnePrice::AnyThree);
  EXPECT_EQ(offers_.any_three, 600);
  EXPECT_TRUE(op_.messages.empty());
}

}  // namespace
}  // namespace kelvo::counter
