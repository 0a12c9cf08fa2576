// Arrears brought to a rental and a member's credit met at its finish.
#include "payment_fixture.h"

namespace kelvo::paytest {
namespace {

using counter::ArrearsChoice;
using counter::CreditChoice;

class ArrearsTest : public PaymentTest {
 protected:
  bool settle() { return counter::settle_arrears(shop_, screens_, access_, money_); }
  records::AccessState access_ = records::AccessState::Unrestricted;
};

TEST_F(ArrearsTest, TotalIsPaidTakesEverythingAndClearsTheDebt) {
  member_owes(10);
  takings(1);
  screens_.arrears = {ArrearsChoice::TotalPaid};
  ASSERT_TRUE(settle());
  Counters want;
  want.takings = 11;
  want.arrears_paid = 10;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(owed_on_file(), 0);
  EXPECT_EQ(money_.amount_paid, 10);
  EXPECT_EQ(money_.settlement_text, u"Total is paid");
}

TEST_F(ArrearsTest, PartPaidRestWrittenOffSplitsTheDebt) {
  member_owes(10);
  screens_.arrears = {ArrearsChoice::PartPaidRestWrittenOff};
  op_.type(u"4.00");
  ASSERT_TRUE(settle());
  EXPECT_EQ(op_.questions, std::vector<std::string>{"Enter amount to be paid:"});
  Counters want;
  want.takings = 4;
  want.arrears_paid = 4;
  want.arrears_written_off = 6;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(owed_on_file(), 0);
  EXPECT_EQ(money_.amount_paid, 4);
  EXPECT_EQ(money_.settlement_text, u"Part paid, rest written off.");
}

TEST_F(ArrearsTest, PartPaidRestOwedLeavesTheRestOnTheMember) {
  member_owes(10);
  screens_.arrears = {ArrearsChoice::PartPaidRestOwed};
  op_.type(u"4");
  ASSERT_TRUE(settle());
  Counters want;
  want.takings = 4;
  want.arrears_paid = 4;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(owed_on_file(), 6);
  EXPECT_EQ(money_.settlement_text, u"Part paid, rest is owed.");
}

TEST_F(ArrearsTest, WrittenOffAndPayAnotherDay) {
  member_owes(10);
  screens_.arrears = {ArrearsChoice::WrittenOff};
  ASSERT_TRUE(settle());
  Counters want;
  want.arrears_written_off = 10;
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(owed_on_file(), 0);
  EXPECT_EQ(money_.settlement_text, u"Written off.");

  member_owes(5);
  screens_.arrears = {ArrearsChoice::PayAnotherDay};
  ASSERT_TRUE(settle());
  EXPECT_EQ(counters(), want);
  EXPECT_EQ(owed_on_file(), 5);
  EXPECT_EQ(money_.settlement_text, u"Repayment on another day");
}

TEST_F(ArrearsTest, AnInvalidPartPaymentEndsTheRentalWithNothingChanged) {
  member_owes(10);
  takings(2);
  const Counters before = counters();
  for (auto typed : {std::optional<std::u16string>(u"12.00"), std::optional<std::u16string>(u"-1"),
                     std::optional<std::u16string>(u"four"), std::optional<std::u16string>()}) {
    screens_.arrears = {ArrearsChoice::PartPaidRestOwed};
    if (typed) op_.type(*typed); else op_.cancel_prompt();
    EXPECT_FALSE(settle());
    EXPECT_EQ(counters(), before);
    EXPECT_EQ(shop_.member.owed(), 10);
    EXPECT_EQ(owed_on_file(), 10);
  }
  // Cancel, or OK with nothing selected.
  screens_.arrears = {std::nullopt};
  EXPECT_FALSE(settle());
  EXPECT_EQ(counters(), before);
}

TEST_F(ArrearsTest, AMemberRecordThatCannotBeWrittenMovesNoMoney) {
  for (auto choice : {ArrearsChoice::TotalPaid, ArrearsChoice::PartPaidRestWrittenOff, ArrearsChoice::WrittenOff}) {
    member_owes(10);
    takings(2);
    const Counters before = counters();
    std::filesystem::rename(shop_.path(records::files::kMember), shop_.path("member.away"));
    op_.messages.clear();
    screens_.arrears = {choice};
    if (choice == ArrearsChoice::PartPaidRestWrittenOff) op_.type(u"4");
    // Money taken for a debt the file still shows would be counted twice at the next visit.
    EXPECT_FALSE(settle());
    EXPECT_TRUE(op_.saw("Problem", "Data file: member.dat, not present."));
    EXPECT_EQ(counters(), before);
    EXPECT_EQ(shop_.member.owed(), 10);
    std::filesystem::rename(shop_.path("member.away"), shop_.path(records::files::kMember));
    EXPECT_EQ(owed_on_file(), 10);
    op_.questions.clear();
  }
}

TEST_F(ArrearsTest, DefaultsAndHiddenChoices) {
  member_owes(10);
  screens_.arrears = {std::nullopt};
  settle();
  EXPECT_EQ(screens_.arrears_views.back().preselected, ArrearsChoice::TotalPaid);
  EXPECT_EQ(screens_.arrears_views.back().owed, u"10.00");
  EXPECT_FALSE(screens_.arrears_views.back().part_and_write_off_hidden);

  shop_.config.set_i64(cfg::kDefaultDebtAllocation, 1);
  restricted_operator(records::Flag::NoAmendWhenOwing);
  settle();
  EXPECT_EQ(screens_.arrears_views.back().preselected, ArrearsChoice::PayAnotherDay);
  EXPECT_FALSE(screens_.arrears_views.back().part_and_write_off_hidden);  // unrestricted operator

  access_ = records::AccessState::Restricted;
  settle();
  EXPECT_TRUE(screens_.arrears_views.back().part_and_write_off_hidden);
  // A hidden choice cannot be taken even if a screen were to return it.
  screens_.arrears = {ArrearsChoice::WrittenOff};
  EXPECT_FALSE(settle());
  EXPECT_EQ(owed_on_file(), 10);
}

TEST_F(ArrearsTest, ShowsTheFourMostRecentEarlierItemsNewestFirst) {
  auto& m = shop_.member;
  for (int i = 0; i < 5; ++i) {
    m.set_previous_items(95 + i, i == 4 ? 7 : 100 + i);
    m.set_previous_rented(95 + i, text::format("10:00%02d/11/2026", {i + 1}));
    m.set_previous_returned(95 + i, text::format("11:00%02d/11/2026", {i + 2}));
  }
  m.set_last_used(u"09:3001/12/2026");
  m.set_area(u"Lowtown");
  member_owes(3);
  screens_.arrears = {std::nullopt};
  settle();
  const auto& v = screens_.arrears_views.back();
  EXPECT_EQ(v.name, u"Mr J Smith");
  EXPECT_EQ(v.address, u"1 High Street, Lowtown");
  EXPECT_EQ(v.last_rented, u"01/12/2026");
  ASSERT_EQ(v.earlier.size(), 4u);
  EXPECT_EQ(v.earlier[0].item, u"7, Gone Fishing");
  EXPECT_EQ(v.earlier[0].rented, u"05/11/2026");
  EXPECT_EQ(v.earlier[0].returned, u"06/11/2026");
  EXPECT_EQ(v.earlier[1].item, u"103");  // no longer on file
  EXPECT_EQ(v.earlier[3].item, u"101");
}

class CreditTest : public PaymentTest {
 protected:
  // The rental has already added its cost to the takings, as it does before the settlement.
  bool settle(float cost) {
    shop_.config.set_takings_today(shop_.config.takings_today() + cost);
    return counter::settle_member_credit(shop_, screens_, money_, cost);
  }
};

TEST_F(CreditTest, CreditCoveringTheRentalIsUsedWithoutCash) {
  member_owes(-5);
  takings(20);
  ASSERT_TRUE(settle(3));
  EXPECT_TRUE(screens_.credit_views.empty());
  EXPECT_FLOAT_EQ(shop_.member.owed(), -2);
  EXPECT_TRUE(op_.saw("Member's credit", "Credit before: -5.00, after: -2.00"));
  EXPECT_TRUE(money_.skip_cash_tendered);
  EXPECT_FLOAT_EQ(counters().takings, 20);
}

TEST_F(CreditTest, AmountIsPaidTakesWhatTheCreditLeaves) {
  member_owes(-5);
  takings(20);
  screens_.credit = {CreditChoice::AmountPaid};
  ASSERT_TRUE(settle(8));
  const auto& v = screens_.credit_views.at(0);
  EXPECT_EQ(v.transaction_total, u"8.00");
  EXPECT_EQ(v.credit, u"-5.00");
  EXPECT_EQ(v.amount_owed, u"3.00");
  EXPECT_FLOAT_EQ(counters().takings, 23);
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_FLOAT_EQ(money_.amount_paid, 3);
  EXPECT_TRUE(money_.credit_settled);
  EXPECT_FLOAT_EQ(money_.credit_cash, 3);
  EXPECT_FALSE(money_.skip_cash_tendered);
}

TEST_F(CreditTest, OwedPartPaidAndWrittenOff) {
  struct Case {
    CreditChoice choice;
    const char16_t* typed;
    float takings, owed;
    bool skip;
  } cases[] = {
      {CreditChoice::AmountOwed, nullptr, 20, 3, true},
      {CreditChoice::PartPaidRestOwed, u"1", 21, 2, false},
      {CreditChoice::PartPaidRestWrittenOff, u"1", 21, 0, false},
      {CreditChoice::PartPaidRestOwed, u"0", 20, 3, false},
      {CreditChoice::PartPaidRestOwed, u"3.00", 23, 0, false},  // exactly what is owed
      {CreditChoice::PartPaidRestWrittenOff, u"3", 23, 0, false},
      {CreditChoice::WrittenOff, nullptr, 20, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.choice));
    money_ = {};
    shop_.member.set_owed(-5);
    takings(20);
    screens_.credit = {c.choice};
    if (c.typed) op_.type(c.typed);
    ASSERT_TRUE(settle(8));
    EXPECT_FLOAT_EQ(counters().takings, c.takings);
    EXPECT_FLOAT_EQ(shop_.member.owed(), c.owed);
    EXPECT_EQ(money_.skip_cash_tendered, c.skip);
  }
}

TEST_F(CreditTest, CancelOrAnInvalidAmountLeavesTheTakingsAsBeforeTheRental) {
  for (auto typed : {std::optional<std::u16string>(u"3.01"), std::optional<std::u16string>(u"-1"),
                     std::optional<std::u16string>()}) {
    shop_.member.set_owed(-5);
    takings(20);
    screens_.credit = {CreditChoice::PartPaidRestOwed};
    if (typed) op_.type(*typed); else op_.cancel_prompt();
    EXPECT_FALSE(settle(8));
    EXPECT_FLOAT_EQ(counters().takings, 20);
  }
  screens_.credit = {std::nullopt};
  EXPECT_FALSE(settle(8));
  EXPECT_FLOAT_EQ(counters().takings, 20);
}

TEST_F(CreditTest, NothingMoreAfterAnAmendOweFinish) {
  member_owes(-5);
  takings(20);
  money_.finished_by_amend = true;
  EXPECT_TRUE(counter::settle_member_credit(shop_, screens_, money_, 8));
  EXPECT_FLOAT_EQ(counters().takings, 20);
  EXPECT_FLOAT_EQ(shop_.member.owed(), -5);
  EXPECT_TRUE(screens_.credit_views.empty());
}

}  // namespace
}  // namespace kelvo::paytest

namespace kelvo::paytest {
namespace {

class AbandonedRentalTest : public ArrearsTest {};

TEST_F(AbandonedRentalTest, DebtAllocationEntryOnlyWhenTheArrearsMoved) {
  member_owes(10);
  money_.owed_before = 10;
  screens_.arrears = {ArrearsChoice::PartPaidRestOwed};
  op_.type(u"4");
  ASSERT_TRUE(settle());
  EXPECT_EQ(text::to_utf8(counter::settlement_line(money_)), "\r\nPart paid, rest is owed. Paid: 4.00");
  EXPECT_EQ(text::to_utf8(counter::debt_allocation_entry(shop_, money_, owed_on_file())),
            "\r\n14:05 07/12/2026  Debt allocation"
            "\r\nMember: 42, Smith Owed before: 10.00, After: 6.00"
            "\r\nAborted rental, Part paid, rest is owed. Paid: 4.00"
            "\r\nOperator: 1, Administrator\r\n");

  counter::RentalMoney another_day;
  another_day.owed_before = 6;
  EXPECT_TRUE(counter::debt_allocation_entry(shop_, another_day, 6).empty());
  counter::RentalMoney nothing_owed;
  EXPECT_TRUE(counter::debt_allocation_entry(shop_, nothing_owed, 0).empty());
}

TEST_F(AbandonedRentalTest, ReceiptFiguresOfAnAmendedRentalSumBothParts) {
  EXPECT_FALSE(counter::amended_receipt_figures(shop_.config, money_));
  money_.paid_part = AmountFigures{u"3", 3, 0.3f, 0, 3.3f};
  money_.owed_part = AmountFigures{u"5", 5, 0.5f, 0, 5.5f};
  EXPECT_FALSE(counter::amended_receipt_figures(shop_.config, money_));  // no tax active
  tax1(1000);
  auto f = counter::amended_receipt_figures(shop_.config, money_);
  ASSERT_TRUE(f);
  EXPECT_FLOAT_EQ(f->sub_total, 8);
  EXPECT_FLOAT_EQ(f->tax1, 0.8f);
  EXPECT_FLOAT_EQ(f->total, 8.8f);
}

}  // namespace
}  // namespace kelvo::paytest
