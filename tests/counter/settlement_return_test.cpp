// Arrears and late fees settled after a return: every choice, the counters it moves, the log
// entry and the till.
#include "payment_fixture.h"

namespace kelvo::paytest {
namespace {

using counter::OverdueChoice;
using counter::TotalDueChoice;

class ReturnTest : public PaymentTest {
 protected:
  counter::ReturnSettlement settle(float arrears, float fee) {
    shop_.member.set_owed(arrears);
    return counter::settle_return(shop_, screens_, screens_, screens_, access_,
                                  {{u"7, Gone Fishing", text::format("%.2f", {fee})}}, fee);
  }
  // The counters a settlement of A = 2.00 and F = 3.00 should leave, late fees charged included.
  static Counters charged(float fee) {
    Counters c;
    c.late_charged = fee;
    return c;
  }
  records::AccessState access_ = records::AccessState::Unrestricted;
};

TEST_F(ReturnTest, PartPaidRestOwedPaysArrearsFirst) {
  screens_.overdue = {OverdueChoice::AmendOwe};
  screens_.total_due = {TotalDueChoice::PartPaidRestOwed};
  op_.type(u"4.00");
  auto r = settle(2, 3);
  Counters want = charged(3);
  want.takings = 4;
  want.arrears_paid = 2;
  want.late_paid = 2;
  want.late_owing = 1;
  EXPECT_EQ(counters(), want);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 1);
  EXPECT_EQ(r.text, u"Part paid, rest owed");
  EXPECT_EQ(op_.questions, std::vector<std::string>{"Amount to be paid:"});
  EXPECT_EQ(screens_.total_due_shown, std::vector<std::u16string>{u"5.00"});
  EXPECT_EQ(log_text(),
            "\r\n14:05 07/12/2026  Overdue return / arrears"
            "\r\nMember: 42 Mr J Smith    1 High Street"
            "\r\nArrears: 2.00, Fine: 3.00"
            "\r\nCash paid: 4.00 Owed: 1.00      Today's takings: 4.00"
            "\r\nOperator: 1, Administrator\r\n");
  EXPECT_EQ(screens_.till, (std::vector<std::string>{"pole 5.00", "passive", "drawer"}));
}

TEST_F(ReturnTest, PaidTakesArrearsAndFee) {
  screens_.overdue = {OverdueChoice::Paid};
  auto r = settle(2, 3);
  Counters want = charged(3);
  want.takings = 5;
  want.arrears_paid = 2;
  want.late_paid = 3;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_EQ(r.text, u"Total paid");
  EXPECT_NE(log_text().find("\r\nCash paid: 5.00 Owed: 0.00      Today's takings: 5.00"), std::string::npos);
  EXPECT_EQ(screens_.till.back(), "drawer");
  // wr.cfg carries the new takings.
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_FLOAT_EQ(saved.takings_today(), 5);
}

TEST_F(ReturnTest, OwedLeavesEverythingOnTheMember) {
  screens_.overdue = {OverdueChoice::Owed};
  auto r = settle(2, 3);
  EXPECT_TRUE(op_.saw("Debt allocation", "Amount left as owed"));
  Counters want = charged(3);
  want.late_owing = 3;
  EXPECT_EQ(counters(), want);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 5);
  EXPECT_EQ(r.text, u"Total owed");
  EXPECT_NE(log_text().find("\r\nCash paid: 0.00 Owed: 5.00      "), std::string::npos);
  EXPECT_EQ(screens_.till, (std::vector<std::string>{"pole 5.00", "passive"}));  // no drawer
}

TEST_F(ReturnTest, PaidWithCreditCoveringTheFeeKeepsTheRestOfTheCredit) {
  screens_.overdue = {OverdueChoice::Paid};
  auto r = settle(-5, 3);
  EXPECT_FLOAT_EQ(shop_.member.owed(), -2);
  EXPECT_EQ(counters(), charged(3));
  EXPECT_EQ(r.cash_paid, 0);  // no money changed hands
  EXPECT_NE(log_text().find("\r\nArrears: -5.00, Fine: 3.00\r\nCash paid: 0.00 Owed: -2.00"), std::string::npos);
  EXPECT_EQ(screens_.till.back(), "passive");
}

TEST_F(ReturnTest, PaidWithCreditSmallerThanTheFeeTakesTheRestInCash) {
  takings(10);
  screens_.overdue = {OverdueChoice::Paid};
  auto r = settle(-1, 3);
  Counters want = charged(3);
  want.takings = 12;
  want.late_paid = 2;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_FLOAT_EQ(r.cash_paid, 2);
  EXPECT_NE(log_text().find("\r\nCash paid: 2.00 Owed: 0.00      Today's takings: 12.00"), std::string::npos);
  EXPECT_EQ(screens_.till.back(), "drawer");
}

TEST_F(ReturnTest, AmendWithCreditAsksTheFeeThenThePayment) {
  screens_.overdue = {OverdueChoice::AmendOwe};
  op_.type(u"-2");
  op_.type(u"3.00");
  op_.type(u"2.00");
  auto r = settle(-1, 3);
  EXPECT_EQ(op_.questions, (std::vector<std::string>{"Please enter overdue amount:", "Please enter overdue amount:",
                                                     "To pay (-1.00 credit. 3.00 fine):"}));
  EXPECT_EQ(op_.proposals, (std::vector<std::string>{"3.00", "3.00", "2.00"}));
  EXPECT_TRUE(op_.saw("Problem", "Incorrect value"));
  EXPECT_FLOAT_EQ(counters().takings, 2);
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_EQ(r.text, u"Credit used, remainder contributed");
  EXPECT_EQ(screens_.till.back(), "drawer");
}

TEST_F(ReturnTest, AmendWithCreditCancelledOrCovered) {
  screens_.overdue = {OverdueChoice::AmendOwe};
  op_.type(u"4");
  op_.cancel_prompt();
  auto r = settle(-1, 3);
  EXPECT_TRUE(op_.saw("Debt allocation aborted", "Amount will be left as owed"));
  EXPECT_FLOAT_EQ(shop_.member.owed(), 3);
  EXPECT_EQ(r.text, u"Credit used, rest owed");
  EXPECT_FLOAT_EQ(r.fee, 4);
  EXPECT_EQ(counters().takings, 0);

  screens_.overdue = {OverdueChoice::AmendOwe};
  op_.type(u"3");
  settle(-5, 3);
  EXPECT_TRUE(op_.saw("Member has -5.00 credit.", "After this transaction -2.00"));
  EXPECT_FLOAT_EQ(shop_.member.owed(), -2);

  // Cancelling the fee prompt counts as "Owed".
  screens_.overdue = {OverdueChoice::AmendOwe};
  op_.cancel_prompt();
  op_.messages.clear();
  settle(-1, 3);
  EXPECT_TRUE(op_.saw("Debt allocation", "Amount left as owed"));
  EXPECT_FLOAT_EQ(shop_.member.owed(), 2);
}

struct Split {
  const char* name;
  float a, f;
  TotalDueChoice choice;
  std::vector<const char16_t*> typed;
  Counters want;  // late fees charged left out: always f
  float owed;
  const char16_t* text;
};

class TotalDueTest : public ReturnTest, public ::testing::WithParamInterface<Split> {};

TEST_P(TotalDueTest, SplitsPaymentsArrearsFirst) {
  const Split& s = GetParam();
  screens_.overdue = {OverdueChoice::AmendOwe};
  screens_.total_due = {s.choice};
  for (auto t : s.typed) op_.type(t);
  auto r = settle(s.a, s.f);
  Counters want = s.want;
  want.late_charged = s.f;
  EXPECT_EQ(counters(), want);
  EXPECT_FLOAT_EQ(shop_.member.owed(), s.owed);
  EXPECT_FLOAT_EQ(r.cash_paid, want.takings);
  EXPECT_EQ(r.text, s.text);
  EXPECT_EQ(screens_.till.back(), "drawer");
}

Counters c(float takings, float ap, float awo, float lfo, float lfwo, float lfp) {
  Counters x;
  x.takings = takings;
  x.arrears_paid = ap;
  x.arrears_written_off = awo;
  x.late_owing = lfo;
  x.late_written_off = lfwo;
  x.late_paid = lfp;
  return x;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, TotalDueTest,
    ::testing::Values(
        Split{"WrittenOff", 2, 3, TotalDueChoice::WrittenOff, {}, c(0, 0, 2, 0, 3, 0), 0, u"Written off"},
        Split{"PartWoNoArrears", 0, 3, TotalDueChoice::PartPaidRestWrittenOff, {u"1"}, c(1, 0, 0, 0, 2, 1), 0,
              u"Part paid, rest w.o."},
        Split{"PartWoBelowArrears", 2, 3, TotalDueChoice::PartPaidRestWrittenOff, {u"1"}, c(1, 1, 1, 0, 3, 0), 0,
              u"Part paid, rest w.o."},
        Split{"PartWoAboveArrears", 2, 3, TotalDueChoice::PartPaidRestWrittenOff, {u"4"}, c(4, 2, 0, 0, 1, 2), 0,
              u"Part paid, rest w.o."},
        Split{"PartWoPaysTheArrears", 2, 3, TotalDueChoice::PartPaidRestWrittenOff, {u"2"}, c(2, 2, 0, 0, 3, 0), 0,
              u"Part paid, rest w.o."},
        Split{"PartOwedPaysTheTotal", 2, 3, TotalDueChoice::PartPaidRestOwed, {u"5.00"}, c(5, 2, 0, 0, 0, 3), 0,
              u"Part paid, rest owed"},
        Split{"PartOwedNoArrears", 0, 3, TotalDueChoice::PartPaidRestOwed, {u"1"}, c(1, 0, 0, 2, 0, 1), 2,
              u"Part paid, rest owed"},
        Split{"PartOwedBelowArrears", 2, 3, TotalDueChoice::PartPaidRestOwed, {u"1"}, c(1, 1, 0, 3, 0, 0), 4,
              u"Part paid, rest owed"},
        Split{"TotalOwed", 2, 3, TotalDueChoice::TotalOwed, {}, c(0, 0, 0, 3, 0, 0), 5, u"Total owed"},
        Split{"SpecificNoArrears", 0, 3, TotalDueChoice::PartPaidSpecificOwed, {u"1", u"1"}, c(1, 0, 0, 1, 1, 1), 1,
              u"Part paid, specific owed"},
        Split{"SpecificAboveArrears", 2, 3, TotalDueChoice::PartPaidSpecificOwed, {u"3", u"1"},
              c(3, 2, 0, 1, 1, 1), 1, u"Part paid, specific owed"},
        // Paid 1 of arrears 4; owed 5 covers the 3 of arrears left and 2 of the 3 fee: 1 written off.
        Split{"SpecificBelowArrearsOwedCoversThem", 4, 3, TotalDueChoice::PartPaidSpecificOwed, {u"1", u"5"},
              c(1, 1, 0, 2, 1, 0), 5, u"Part paid, specific owed"},
        Split{"SpecificBelowArrearsOwedShort", 4, 3, TotalDueChoice::PartPaidSpecificOwed, {u"1", u"2"},
              c(1, 1, 1, 0, 3, 0), 2, u"Part paid, specific owed"},
        Split{"ZeroPaidOwedBelowArrears", 2, 3, TotalDueChoice::ZeroPaidSpecificOwed, {u"1"}, c(0, 0, 1, 0, 3, 0), 1,
              u"Zero paid, specific owed"},
        Split{"ZeroPaidOwedAboveArrears", 2, 3, TotalDueChoice::ZeroPaidSpecificOwed, {u"4"}, c(0, 0, 0, 2, 1, 0), 4,
              u"Zero paid, specific owed"}),
    [](const ::testing::TestParamInfo<Split>& i) { return std::string(i.param.name); });

TEST_F(ReturnTest, AmountsAboveTheTotalOrNegativeAreAskedAgain) {
  screens_.overdue = {OverdueChoice::AmendOwe};
  screens_.total_due = {TotalDueChoice::PartPaidSpecificOwed};
  op_.type(u"6");    // above 5.00
  op_.type(u"-1");   // asked again silently
  op_.type(u"3");
  op_.type(u"2.01");  // above what is left after the payment
  op_.type(u"2");
  settle(2, 3);
  int exceeded = 0;
  for (const auto& m : op_.messages) exceeded += m.caption == "Problem" && m.body == "Amount exceeds total";
  EXPECT_EQ(exceeded, 2);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 2);
  EXPECT_FLOAT_EQ(counters().takings, 3);
}

TEST_F(ReturnTest, CancelGoesBackAScreen) {
  // Cancel of the amount returns to "Total due"; its Cancel returns to "Arrears / overdue".
  screens_.overdue = {OverdueChoice::AmendOwe, OverdueChoice::Paid};
  screens_.total_due = {TotalDueChoice::PartPaidRestOwed, std::nullopt};
  op_.cancel_prompt();
  auto r = settle(2, 3);
  EXPECT_EQ(screens_.total_due_shown.size(), 2u);
  EXPECT_EQ(screens_.overdue_views.size(), 2u);
  EXPECT_EQ(r.text, u"Total paid");
  EXPECT_FLOAT_EQ(counters().takings, 5);
  EXPECT_FLOAT_EQ(counters().late_charged, 3);  // charged once, not per screen shown
}

TEST_F(ReturnTest, TaxesOnTheLateFeeUnlessNoTaxOnOverdue) {
  tax1(1000);
  screens_.overdue = {OverdueChoice::Paid};
  settle(2, 3);
  const auto& v = screens_.overdue_views.at(0);
  EXPECT_EQ(v.arrears, u"2.00");
  EXPECT_EQ(v.overdue, u"3.00");
  EXPECT_EQ(v.tax1, u"0.30");
  EXPECT_EQ(v.sub_total, u"3.30");
  EXPECT_EQ(v.total, u"5.30");
  Counters want = charged(3.3f);
  want.takings = 5.3f;
  want.arrears_paid = 2;
  want.late_paid = 3.3f;
  EXPECT_EQ(counters(), want);
  EXPECT_NE(log_text().find("Arrears: 2.00, Fine: 3.30"), std::string::npos);

  shop_.config.set_i64(cfg::kNoTaxOnOverdue, 2);
  screens_.overdue = {OverdueChoice::Paid};
  settle(0, 3);
  EXPECT_EQ(screens_.overdue_views.at(1).total, u"3.00");
  EXPECT_EQ(screens_.overdue_views.at(1).tax1, u"");
}

TEST_F(ReturnTest, ScreenDefaultsAndTheRestrictedAmendButton) {
  settle(2, 3);
  EXPECT_FALSE(screens_.overdue_views.back().focus_owed);
  EXPECT_FALSE(screens_.overdue_views.back().amend_hidden);
  EXPECT_EQ(screens_.overdue_views.back().lines.at(0).item, u"7, Gone Fishing");
  EXPECT_EQ(screens_.overdue_views.back().name, u"Mr J Smith");

  shop_.config.set_i64(cfg::kDefaultOverdueAllocation, 1);
  restricted_operator(records::Flag::NoAmendOnOverdueReturn);
  access_ = records::AccessState::Restricted;
  screens_.overdue = {OverdueChoice::AmendOwe};  // not on the screen: taken as Owed
  settle(2, 3);
  EXPECT_TRUE(screens_.overdue_views.back().focus_owed);
  EXPECT_TRUE(screens_.overdue_views.back().amend_hidden);
  EXPECT_TRUE(screens_.total_due_shown.empty());
  EXPECT_FLOAT_EQ(shop_.member.owed(), 5);
}

TEST_F(ReturnTest, AMissingLogIsReportedAndTheMoneyStays) {
  std::filesystem::remove(shop_.path(records::files::kLog));
  std::filesystem::create_directory(shop_.path(records::files::kLog));  // cannot be opened as a file
  screens_.overdue = {OverdueChoice::Paid};
  settle(2, 3);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: lgb4.dat, not present."));
  EXPECT_FLOAT_EQ(counters().takings, 5);
}

class AmendCreditTest : public PaymentTest {};

TEST_F(AmendCreditTest, SetsOwedLogsAndReports) {
  member_owes(2.5f);
  takings(9);
  op_.type(u"42");
  op_.type(u"-3.50");
  ASSERT_TRUE(counter::amend_credit(shop_, views_));
  EXPECT_EQ(op_.questions, (std::vector<std::string>{"Number / Last name / fragment", "42 Smith, owed:"}));
  EXPECT_EQ(op_.proposals.at(1), "2.50");
  EXPECT_FLOAT_EQ(owed_on_file(), -3.5f);
  EXPECT_EQ(log_text(),
            "\r\n14:05 07/12/2026  Credit amendment\r\nMember: 42 Smith\r\nBefore: 2.50, After: -3.50\r\n");
  EXPECT_EQ(op_.activity_lines,
            (std::vector<std::string>{"Credit amended, member: 42", "Before: 2.50, after: -3.50", "  "}));
  EXPECT_FLOAT_EQ(counters().takings, 9);
}

TEST_F(AmendCreditTest, AMistypedEntryIsAskedAgainAndCancelChangesNothing) {
  member_owes(2.5f);
  op_.type(u"42");
  op_.type(u"");
  op_.type(u"1O");
  op_.cancel_prompt();
  EXPECT_FALSE(counter::amend_credit(shop_, views_));
  EXPECT_TRUE(op_.saw("Problem", "Incorrect value"));
  EXPECT_FLOAT_EQ(owed_on_file(), 2.5f);
  EXPECT_EQ(log_text(), "");

  op_.type(u"999");  // no such member
  EXPECT_FALSE(counter::amend_credit(shop_, views_));
  EXPECT_EQ(log_text(), "");
}

}  // namespace
}  // namespace kelvo::paytest
