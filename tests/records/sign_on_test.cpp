#include "records/sign_on.h"

#include "flow_operator.h"
#include "records/access.h"
#include "records/file_io.h"

namespace kelvo {
namespace {

using flowtest::ShopFolder;
using records::AccessState;
using records::Flag;

text::u16 log_text(const records::Shop& shop) {
  auto bytes = records::read_whole(shop.path(records::files::kLog));
  text::u16 out;
  if (!bytes) return out;
  for (size_t i = 0; i + 1 < bytes->size(); i += 2) out.push_back((*bytes)[i] | ((*bytes)[i + 1] << 8));
  return out;
}

TEST(PinPad, UpAndDownWrapAndShowTheName) {
  records::ConfigBlock c;
  c.repair_after_load();
  records::PinPad pad(c);
  EXPECT_EQ(pad.user_field(), u"1 Administrator");
  pad.up();
  EXPECT_EQ(pad.number(), 30);
  EXPECT_EQ(pad.user_field(), u"30 Associate 30");
  pad.down();
  EXPECT_EQ(pad.number(), 1);
  pad.down();
  EXPECT_EQ(pad.user_field(), u"2 Manager");
  for (int i = 0; i < 28; ++i) pad.down();
  EXPECT_EQ(pad.number(), 30);
}

TEST(PinPad, DigitsClearAndClearEntry) {
  records::ConfigBlock c;
  records::PinPad pad(c);
  for (char16_t d : u"12a34") pad.digit(d);  // the letter and the terminator are ignored
  EXPECT_EQ(pad.password(), u"1234");
  pad.clear_entry();
  EXPECT_EQ(pad.password(), u"123");
  pad.clear();
  EXPECT_EQ(pad.password(), u"");
  pad.clear_entry();  // on an empty field: nothing to remove
  pad.set_password(u"1234567890");
  EXPECT_EQ(pad.password(), u"12345678");
  EXPECT_EQ(records::user_field_number(u"12 Associate 12"), 12);
}

class SignOn : public ShopFolder {};

TEST_F(SignOn, FirstRunAdministratorWithEmptyPasswordIsLogged) {
  AccessState access = AccessState::Restricted;
  ASSERT_TRUE(records::sign_on(shop_, access, 1, u""));
  EXPECT_EQ(access, AccessState::Unrestricted);
  EXPECT_EQ(shop_.config.signed_on_operator(), 1);
  EXPECT_EQ(log_text(shop_), u"\r\n14:05 D:7 M:12 2026  User 1 logged on.\r\n");
  EXPECT_TRUE(op_.shown.empty());
}

TEST_F(SignOn, FailureChangesNothing) {
  shop_.config.set_str(records::cfg::operator_password(5), records::cfg::kOperatorPasswordWidth, u"4321");
  AccessState access = AccessState::Unrestricted;
  shop_.config.set_i64(records::cfg::kSignedOnOperator, 2);
  EXPECT_FALSE(records::sign_on(shop_, access, 5, u"432"));
  EXPECT_FALSE(records::sign_on(shop_, access, 5, u"43210"));
  EXPECT_FALSE(records::sign_on(shop_, access, 0, u""));
  EXPECT_FALSE(records::sign_on(shop_, access, 31, u""));
  EXPECT_EQ(access, AccessState::Unrestricted);
  EXPECT_EQ(shop_.config.signed_on_operator(), 2);
  EXPECT_EQ(log_text(shop_), u"");
  EXPECT_TRUE(op_.shown.empty());

  ASSERT_TRUE(records::sign_on(shop_, access, 5, u"4321"));
  EXPECT_EQ(access, AccessState::Restricted);
  EXPECT_EQ(shop_.config.signed_on_operator(), 5);
}

TEST_F(SignOn, LogThatCannotBeWrittenIsReportedButTheSignOnCounts) {
  std::filesystem::create_directory(shop_.path(records::files::kLog));  // a folder in its place
  AccessState access = AccessState::Restricted;
  EXPECT_TRUE(records::sign_on(shop_, access, 2, u""));
  EXPECT_EQ(access, AccessState::Unrestricted);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Problem");
  EXPECT_EQ(op_.shown[0].body, u"Data file: lgb4.dat.");
}

class OperatorSetup : public ShopFolder {};

TEST_F(OperatorSetup, RefusedToRestrictedOperators) {
  records::operator_setup(shop_, AccessState::Restricted);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Restricted access");
  EXPECT_EQ(op_.shown[0].body, u"Administrator or manager");
  EXPECT_TRUE(op_.asked.empty());
}

TEST_F(OperatorSetup, StoresNameAndEightDigitPassword) {
  op_.answer({u"12", u"Nineteen characters", u"12345678", u"12345678"});
  records::operator_setup(shop_, AccessState::Unrestricted);
  ASSERT_EQ(op_.asked.size(), 4u);
  EXPECT_EQ(op_.asked[0].question, u"Please enter the clerk number (1-30):");
  EXPECT_EQ(op_.asked[0].options.proposal, u"1");
  EXPECT_EQ(op_.asked[1].question, u"Clerks name (to 19 characters):");
  EXPECT_EQ(op_.asked[1].options.proposal, u"Associate 12");
  EXPECT_EQ(op_.asked[2].question, u"Password (Digits only, to 8 characters):");
  EXPECT_TRUE(op_.asked[2].options.hidden);
  EXPECT_EQ(op_.asked[3].question, u"Confirm password:");
  EXPECT_TRUE(op_.asked[3].options.hidden);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Clerk");
  EXPECT_EQ(op_.shown[0].body, u"Amended");
  EXPECT_EQ(shop_.config.operator_name(12), u"Nineteen characters");
  EXPECT_EQ(shop_.config.operator_password(12), u"12345678");

  // Saved: a reload finds the new operator.
  records::ConfigBlock reloaded;
  ASSERT_TRUE(reloaded.load(shop_.path(records::files::kConfig)));
  EXPECT_EQ(reloaded.operator_password(12), u"12345678");
  AccessState access = AccessState::Restricted;
  EXPECT_TRUE(records::sign_on(shop_, access, 12, u"12345678"));
}

// Operators 1 to 10 keep their names in wider fields than 11 to 30: both sides of that seam
// and the last operator, whose name ends where the passwords begin.
TEST_F(OperatorSetup, EachOperatorInItsOwnFieldEitherSideOfTheSeam) {
  const std::pair<int, const char16_t*> cases[] = {{10, u"10"}, {11, u"11"}, {30, u"30"}};
  for (auto [number, typed] : cases) {
    const text::u16 n = typed;
    op_.answer({typed, (u"Clerk number " + n + u" xyz").c_str(), (n + n + n + n).c_str(), (n + n + n + n).c_str()});
    records::operator_setup(shop_, AccessState::Unrestricted);
  }
  records::ConfigBlock reloaded;
  ASSERT_TRUE(reloaded.load(shop_.path(records::files::kConfig)));
  for (auto [number, typed] : cases) {
    const text::u16 n = typed;
    EXPECT_EQ(reloaded.operator_name(number), u"Clerk number " + n + u" xyz") << number;
    AccessState access = AccessState::Restricted;
    EXPECT_TRUE(records::sign_on(shop_, access, number, n + n + n + n)) << number;
  }
  EXPECT_EQ(reloaded.operator_name(9), u"Associate 9");
  EXPECT_EQ(reloaded.operator_name(29), u"Associate 29");
}

TEST_F(OperatorSetup, RefusalsEachStopWithTheirMessage) {
  struct Case {
    std::initializer_list<const char16_t*> script;
    const char16_t* caption;
    const char16_t* body;
  };
  const Case cases[] = {
      {{u"0"}, u"Problem", u"Outside range"},
      {{u"31"}, u"Problem", u"Outside range"},
      {{u"3", u"Twenty characters!!!"}, u"Problem", u"Outside range"},
      {{u"3", u"Ann", u"123456789"}, u"Problem", u"Outside range"},
      {{u"3", u"Ann", u"1234", u"123456789"}, u"Problem", u"Outside range"},
      {{u"3", u"Ann", u"1234", u"1235"}, u"Problem", u"Passwords do not match"},
      {{u"3", u"Ann", u"12ab"}, u"Problem", u"Outside range"},
  };
  for (const Case& c : cases) {
    op_.shown.clear();
    op_.answer(c.script);
    records::operator_setup(shop_, AccessState::Unrestricted);
    ASSERT_EQ(op_.shown.size(), 1u);
    EXPECT_EQ(op_.shown[0].caption, c.caption);
    EXPECT_EQ(op_.shown[0].body, c.body);
    EXPECT_TRUE(op_.answers.empty());
    EXPECT_EQ(shop_.config.operator_password(3), u"");
  }
  EXPECT_EQ(shop_.config.operator_name(3), u"Ann");  // the name is kept once accepted
}

TEST_F(OperatorSetup, CancelKeepsTheNameAlreadyStored) {
  op_.answer({u"4", u"Bob", nullptr});
  records::operator_setup(shop_, AccessState::Unrestricted);
  EXPECT_EQ(shop_.config.operator_name(4), u"Bob");
  EXPECT_TRUE(op_.shown.empty());
  op_.answer({u"4", nullptr});
  records::operator_setup(shop_, AccessState::Unrestricted);
  EXPECT_EQ(shop_.config.operator_name(4), u"Bob");
}

TEST(Access, FlagsFollowTheirStoredPolarity) {
  records::ConfigBlock c;  // zero-filled: first group restricted, second open
  EXPECT_TRUE(records::restricted(c, Flag::Configuration));
  EXPECT_TRUE(records::restricted(c, Flag::FileReset));
  EXPECT_TRUE(records::restricted(c, Flag::RentalRefund));
  EXPECT_FALSE(records::restricted(c, Flag::AmendOnRental));
  EXPECT_FALSE(records::restricted(c, Flag::NoAmendWhenOwing));

  for (const auto& f : records::flag_table()) {
    records::set_restricted(c, f.flag, false);
    EXPECT_FALSE(records::restricted(c, f.flag)) << text::to_utf8(f.label);
    int64_t v = f.width == 8 ? c.i64(f.offset) : c.i32(f.offset);
    EXPECT_EQ(v, f.zero_restricts ? 2 : 0) << text::to_utf8(f.label);
    records::set_restricted(c, f.flag, true);
    EXPECT_TRUE(records::restricted(c, f.flag));
  }
  // Neighbouring fields are not touched by a flag write.
  records::ConfigBlock d;
  records::set_restricted(d, Flag::AmendOnRental, true);
  EXPECT_EQ(d.i32(records::cfg::kClockDisplay), 0);
  EXPECT_EQ(d.i32(records::cfg::kAccessAmendOnRental), 2);
}

TEST(Access, TableIsInScreenOrderAtTheDocumentedOffsets) {
  const auto& t = records::flag_table();
  EXPECT_EQ(t[0].offset, 2160u);
  EXPECT_EQ(t[1].offset, 2384u);
  EXPECT_EQ(t[11].offset, 2464u);
  EXPECT_EQ(t[12].offset, 70612u);  // Sell film
  EXPECT_EQ(t[13].offset, 70608u);  // Amend credit
  EXPECT_EQ(t[14].offset, 70604u);  // Special offers
  EXPECT_EQ(t[18].offset, 70632u);  // Amend film
  EXPECT_EQ(t[23].offset, 71072u);
  EXPECT_EQ(text::u16(t[21].label), u"No rental credit button on new member or amend member");
  for (int i = 0; i < records::kFlagCount; ++i) EXPECT_EQ(static_cast<int>(t[i].flag), i);
}

TEST(Access, OnlyOperatorsOneAndTwoAreUnrestricted) {
  EXPECT_EQ(records::access_after_sign_on(1), AccessState::Unrestricted);
  EXPECT_EQ(records::access_after_sign_on(2), AccessState::Unrestricted);
  EXPECT_EQ(records::access_after_sign_on(3), AccessState::Restricted);
  records::ConfigBlock c;
  EXPECT_TRUE(records::may_use(c, AccessState::Unrestricted, Flag::DeleteFilm));
  EXPECT_FALSE(records::may_use(c, AccessState::Restricted, Flag::DeleteFilm));
  records::set_restricted(c, Flag::DeleteFilm, false);
  EXPECT_TRUE(records::may_use(c, AccessState::Restricted, Flag::DeleteFilm));
  EXPECT_FALSE(records::may_administer(AccessState::Restricted));
}

}  // namespace
}  // namespace kelvo
