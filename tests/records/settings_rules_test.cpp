#include "records/settings_rules.h"

#include <gtest/gtest.h>

#include "records/config_layout.h"

namespace kelvo::records {
namespace {

TEST(StartNumbers, RangeIsOneToTwentyTrillion) {
  EXPECT_EQ(parse_start_number(u"20000000000000"), 20'000'000'000'000);
  EXPECT_EQ(parse_start_number(u"1"), 1);
  EXPECT_EQ(parse_start_number(u" 42"), 42);
  EXPECT_FALSE(parse_start_number(u"0"));
  EXPECT_FALSE(parse_start_number(u"20000000000001"));
  EXPECT_FALSE(parse_start_number(u"-5"));
  EXPECT_FALSE(parse_start_number(u"abc"));  // no digits reads as 0
}

TEST(StartNumbers, StoredMinusOneAndProposedPlusOne) {
  ConfigBlock c;
  EXPECT_EQ(start_number_proposal(c, StartNumber::Member), u"1");
  store_start_number(c, StartNumber::Member, 20'000'000'000'000);
  EXPECT_EQ(c.i64(cfg::kMemberStart), 19'999'999'999'999);
  EXPECT_EQ(start_number_proposal(c, StartNumber::Member), u"20000000000000");
  store_start_number(c, StartNumber::Format2, 500);
  EXPECT_EQ(c.i64(cfg::kFormat2Start), 499);
  EXPECT_EQ(c.i64(cfg::kFormat1Start), 0);
  EXPECT_EQ(std::u16string(start_number_text(StartNumber::Format2).caption), u"Game start default");
  EXPECT_EQ(std::u16string(start_number_text(StartNumber::Format1).prompt), u"Default film start number");
}

TEST(Listings, IndentAndFontSize) {
  EXPECT_EQ(parse_indent(u"0"), 0);
  EXPECT_EQ(parse_indent(u"40"), 40);
  EXPECT_FALSE(parse_indent(u"41"));
  EXPECT_FALSE(parse_indent(u"-1"));
  EXPECT_EQ(list_font_value(120, false), 120);
  EXPECT_EQ(list_font_value(120, true), 0);
  EXPECT_EQ(list_font_value(5, false), 10);
  EXPECT_EQ(list_font_slider(0), 10);
  EXPECT_EQ(list_font_slider(500), 200);
  EXPECT_EQ(list_font_slider(66), 66);
}

TEST(Toggles, EachFlipsItsOwnFieldWithItsOwnValues) {
  ConfigBlock c;
  c.set_i64(cfg::kNewSearches, 1);
  EXPECT_TRUE(toggle_on(c, Toggle::NewSearches));
  EXPECT_FALSE(flip_toggle(c, Toggle::NewSearches));
  EXPECT_EQ(c.i64(cfg::kNewSearches), 0);
  EXPECT_TRUE(flip_toggle(c, Toggle::NewSearches));
  EXPECT_EQ(c.i64(cfg::kNewSearches), 1);

  EXPECT_TRUE(flip_toggle(c, Toggle::OperatorPinRental));
  EXPECT_EQ(c.i64(cfg::kOperatorPinRental), 2);

  // Sound: 0 on, 2 off, in a 4-byte field; the neighbouring bytes stay.
  c.set_i32(cfg::kSoundOff + 4, 77);
  EXPECT_TRUE(toggle_on(c, Toggle::SoundEffects));
  EXPECT_FALSE(flip_toggle(c, Toggle::SoundEffects));
  EXPECT_EQ(c.i32(cfg::kSoundOff), 2);
  EXPECT_FALSE(c.sound_on());
  EXPECT_EQ(c.i32(cfg::kSoundOff + 4), 77);
}

TEST(Toggles, AllocationConfirmationsFollowTheStoredValue) {
  ConfigBlock c;
  EXPECT_EQ(std::u16string(debt_allocation_confirmation(c).text), u"Total paid");
  EXPECT_EQ(std::u16string(overdue_allocation_confirmation(c).text), u"Paid");
  EXPECT_TRUE(toggle_on(c, Toggle::DefaultDebtPaid));  // the menu item reads "Default debt is paid"
  flip_toggle(c, Toggle::DefaultDebtPaid);
  flip_toggle(c, Toggle::DefaultOverduePaid);
  EXPECT_EQ(c.i64(cfg::kDefaultDebtAllocation), 2);
  EXPECT_EQ(c.i64(cfg::kDefaultOverdueAllocation), 2);
  Confirmation debt = debt_allocation_confirmation(c);
  EXPECT_EQ(std::u16string(debt.caption), u"Default debt allocation now set to");
  EXPECT_EQ(std::u16string(debt.text), u"Pay another day");
  Confirmation overdue = overdue_allocation_confirmation(c);
  EXPECT_EQ(std::u16string(overdue.caption), u"Default overdue allocation now set to");
  EXPECT_EQ(std::u16string(overdue.text), u"Owe total");
}

TEST(Labels, EditedInPlaceAndCutToTheField) {
  ConfigBlock c;
  c.set_first_run_defaults(text::DateTime{});
  EXPECT_EQ(field_label(c, LabelTable::Film, 1), u"Title");
  EXPECT_EQ(field_label(c, LabelTable::Member, 34), u"Membership expiry");
  set_field_label(c, LabelTable::Member, 3, u"Surname");
  EXPECT_EQ(c.str(cfg::member_label(3), cfg::kLabelWidth), u"Surname");
  set_field_label(c, LabelTable::Film, 0, std::u16string(60, u'x'));
  EXPECT_EQ(field_label(c, LabelTable::Film, 0).size(), 39u);
  EXPECT_EQ(field_label(c, LabelTable::Film, 1), u"Title");  // the next label is untouched
  set_field_label(c, LabelTable::Film, 30, u"beyond the table");  // ignored
  EXPECT_EQ(field_label(c, LabelTable::Film, 30), u"");
}

TEST(Tips, RotateThroughAllTwentyTwoAndWrap) {
  ConfigBlock c;
  for (int i = 0; i < kTipCount; ++i) EXPECT_EQ(take_tip(c), i);
  EXPECT_EQ(take_tip(c), 0);
  EXPECT_EQ(take_tip(c), 1);
  EXPECT_EQ(std::u16string(tips()[8]), u"To amend the last member used just press F9");
  EXPECT_EQ(std::u16string(tips()[17]).back(), u' ');
}

TEST(Tips, DamagedIndexStartsAgainInsteadOfReadingPastTheTable) {
  ConfigBlock c;
  c.set_i32(cfg::kTipIndex, 9999);
  EXPECT_EQ(take_tip(c), 0);
  c.set_i32(cfg::kTipIndex, -3);
  EXPECT_EQ(take_tip(c), 0);
  EXPECT_EQ(c.i32(cfg::kTipIndex), 1);
}

TEST(Tips, ShowAtStartFlag) {
  ConfigBlock c;
  EXPECT_TRUE(tips_shown_at_start(c));
  set_tips_shown_at_start(c, false);
  EXPECT_EQ(c.i32(cfg::kTipsOff), 2);
  set_tips_shown_at_start(c, true);
  EXPECT_EQ(c.i32(cfg::kTipsOff), 0);
}

TEST(Clock, ZeroShowsTheAnalogueClock) {
  ConfigBlock c;
  EXPECT_TRUE(clock_shown(c));
  set_clock_shown(c, false);
  EXPECT_FALSE(clock_shown(c));
  c.set_i32(cfg::kClockDisplay, 1);
  EXPECT_FALSE(clock_shown(c));
}

}  // namespace
}  // namespace kelvo::records
