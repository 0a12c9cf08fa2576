// What the Configuration window's pages store: each range rule at its limits, the return
// deadline, and check boxes that leave values they do not know alone.
#include <functional>

#include <gtest/gtest.h>

#include "records/config_block.h"
#include "till/configuration_settings.h"
#include "till/till_settings.h"

namespace kelvo::till {
namespace {

namespace cfg = records::cfg;

// The block as the shop had it before the window opened.
records::ConfigBlock before() {
  records::ConfigBlock c;
  c.set_i64(cfg::kDrawerOpenCharacter, 65);
  c.set_i64(cfg::kDrawerRepeat, 5);
  c.set_i64(cfg::kDefaultRentalDays, 7);
  c.set_i32(cfg::kItemsPerCustomer, 10);
  c.set_i32(cfg::band_price(1), 150);
  c.set_i32(cfg::kDayReturnPrice, 99);
  c.set_i64(cfg::overdue_rate(8), 200);
  c.set_i32(cfg::kPoleColumns1, 20);
  return c;
}

template <typename Page>
std::function<void(records::ConfigBlock&, const std::u16string&)> typed(std::u16string Page::*field) {
  return [field](records::ConfigBlock& c, const std::u16string& t) {
    Page p = Page::load(c);
    p.*field = t;
    p.store(c);
  };
}

std::function<void(records::ConfigBlock&, const std::u16string&)> band(std::u16string (*pick)(BandSettings&, const std::u16string&)) {
  return [pick](records::ConfigBlock& c, const std::u16string& t) {
    BandSettings s = BandSettings::load(c);
    pick(s, t);
    s.store(c);
  };
}

TEST(ConfigurationRules, ValuesAreKeptOnlyWithinTheirRanges) {
  const auto character = typed(&DrawerSettings::open_character);
  const auto repeat = typed(&DrawerSettings::repeat);
  const auto days = typed(&GeneralSettings::rental_days);
  const auto items = typed(&GeneralSettings::items_per_customer);
  const auto columns = typed(&PoleSettings::columns1);
  const auto rental1 = band([](BandSettings& s, const std::u16string& t) { return s.rental[0] = t; });
  const auto rental9 = band([](BandSettings& s, const std::u16string& t) { return s.rental[8] = t; });
  const auto overdue8 = band([](BandSettings& s, const std::u16string& t) { return s.overdue[7] = t; });
  const auto i64 = [](size_t off) { return [off](const records::ConfigBlock& c) { return c.i64(off); }; };
  const auto i32 = [](size_t off) { return [off](const records::ConfigBlock& c) { return int64_t{c.i32(off)}; }; };

  const struct {
    const char* field;
    std::function<void(records::ConfigBlock&, const std::u16string&)> type;
    std::function<int64_t(const records::ConfigBlock&)> stored;
    std::u16string text;
    int64_t expected;
  } cases[] = {
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"0", 0},
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"255", 255},
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"256", 65},
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"-1", 65},
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"7a", 65},
      {"open character", character, i64(cfg::kDrawerOpenCharacter), u"", 65},
      {"repeat", repeat, i64(cfg::kDrawerRepeat), u"0", 5},
      {"repeat", repeat, i64(cfg::kDrawerRepeat), u"1", 1},
      {"repeat", repeat, i64(cfg::kDrawerRepeat), u"10", 10},
      {"repeat", repeat, i64(cfg::kDrawerRepeat), u"11", 5},
      {"rental period", days, i64(cfg::kDefaultRentalDays), u"0", 7},
      {"rental period", days, i64(cfg::kDefaultRentalDays), u"1", 1},
      {"rental period", days, i64(cfg::kDefaultRentalDays), u"180", 180},
      {"rental period", days, i64(cfg::kDefaultRentalDays), u"181", 7},
      {"items per customer", items, i32(cfg::kItemsPerCustomer), u"0", 0},
      {"items per customer", items, i32(cfg::kItemsPerCustomer), u"100", 100},
      {"items per customer", items, i32(cfg::kItemsPerCustomer), u"101", 10},
      {"band 1 rental", rental1, i32(cfg::band_price(1)), u"0", 150},
      {"band 1 rental", rental1, i32(cfg::band_price(1)), u"1", 1},
      {"band 1 rental", rental1, i32(cfg::band_price(1)), u"200000", 200000},
      {"band 1 rental", rental1, i32(cfg::band_price(1)), u"200001", 150},
      {"band 1 rental", rental1, i32(cfg::band_price(1)), u"4.00", 150},
      {"band 9 rental: the day return", rental9, i32(cfg::kDayReturnPrice), u"200000", 200000},
      {"band 8 overdue", overdue8, i64(cfg::overdue_rate(8)), u"200000", 200000},
      {"band 8 overdue", overdue8, i64(cfg::overdue_rate(8)), u"200001", 200},
      {"display columns", columns, i32(cfg::kPoleColumns1), u"80", 80},
      {"display columns", columns, i32(cfg::kPoleColumns1), u"81", 20},
  };
  for (const auto& c : cases) {
    records::ConfigBlock block = before();
    c.type(block, c.text);
    EXPECT_EQ(c.stored(block), c.expected) << c.field << " typed \"" << text::to_utf8(c.text) << "\"";
  }
}

TEST(ConfigurationRules, ReturnDeadlineIsFiveCharactersOfATimeOfDay) {
  const struct {
    std::u16string typed;
    bool kept;
  } cases[] = {
      {u"23:59", true}, {u"00:00", true},  {u"24:00", false}, {u"12:60", false},
      {u"9:30", false}, {u"09:30 ", false}, {u"0930", false},  {u"ab:cd", false}, {u"09.30", false},
  };
  for (const auto& c : cases) {
    records::ConfigBlock block;
    block.set_str(cfg::kReturnDeadline, 12, u"20:00");
    auto s = GeneralSettings::load(block);
    s.return_deadline = c.typed;
    s.store(block);
    EXPECT_EQ(block.return_deadline(), c.kept ? c.typed : u"20:00") << text::to_utf8(c.typed);
  }
}

TEST(ConfigurationRules, TillTotalIsAnAmountOfZeroOrMore) {
  const struct {
    std::u16string typed;
    float stored;
  } cases[] = {{u"0", 0.0f}, {u"150.25", 150.25f}, {u"-0.01", 50.0f}, {u"abc", 50.0f}, {u"", 50.0f}, {u"1,000", 50.0f}};
  for (const auto& c : cases) {
    records::ConfigBlock block;
    block.set_f32(cfg::kDefaultTillTotal, 50.0f);
    auto s = GeneralSettings::load(block);
    EXPECT_EQ(text::to_utf8(s.till_total), "50.00");
    s.till_total = c.typed;
    s.store(block);
    EXPECT_EQ(block.f32(cfg::kDefaultTillTotal), c.stored) << text::to_utf8(c.typed);
  }
}

TEST(ConfigurationRules, AnUntouchedCheckBoxLeavesAValueItDoesNotKnow) {
  records::ConfigBlock block;
  block.set_i64(cfg::kRentalChargeRule, 5);  // neither per day nor per rental: no price added
  auto s = GeneralSettings::load(block);
  EXPECT_FALSE(s.charge_per_day);
  s.store(block);
  EXPECT_EQ(block.i64(cfg::kRentalChargeRule), 5);
  s.charge_per_day = true;
  s.store(block);
  EXPECT_EQ(block.i64(cfg::kRentalChargeRule), 0);
  s.charge_per_day = false;
  s.store(block);
  EXPECT_EQ(block.i64(cfg::kRentalChargeRule), 1);

  // Inverted boxes: ticked is 0 in the block.
  s.cash_tendered = false;
  s.auto_offer = true;
  s.sundry_by_list = false;
  s.store(block);
  EXPECT_EQ(block.i64(cfg::kCashTenderedOff), 2);
  EXPECT_EQ(block.i64(cfg::kAutoOfferOff), 0);
  EXPECT_EQ(block.i32(cfg::kSundrySaleByScanner), 2);
}

}  // namespace
}  // namespace kelvo::till
