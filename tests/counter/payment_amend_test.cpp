// The rental screen's "Amend / Owe total" and the cash tendered figures that follow a rental.
#include "payment_fixture.h"

namespace kelvo::paytest {
namespace {

using counter::AmendChoice;
using counter::AmendOutcome;

class AmendTest : public PaymentTest {
 protected:
  counter::AmendResult amend(float total, float previous = 2) {
    return counter::amend_or_owe(shop_, screens_, screens_, money_, {total, previous, true});
  }
};

TEST_F(AmendTest, WithoutANewItemTheRentalScreenClosesAsCancel) {
  auto r = counter::amend_or_owe(shop_, screens_, screens_, money_, {0, 0, false});
  EXPECT_EQ(r.outcome, AmendOutcome::CloseAsCancel);
  screens_.amend = {std::nullopt};
  EXPECT_EQ(amend(5).outcome, AmendOutcome::Back);
}

TEST_F(AmendTest, NewTotalTakesTheNewTotalAndKeepsTheReason) {
  takings(1);
  screens_.amend = {AmendChoice::NewTotal};
  screens_.amounts = {6};
  op_.type(u"Damaged box");
  auto r = amend(10);
  ASSERT_EQ(r.outcome, AmendOutcome::Finished);
  EXPECT_FLOAT_EQ(r.total, 8);  // with the previous rentals
  EXPECT_EQ(screens_.amount_titles, std::vector<std::u16string>{u"Please enter the amount to be paid:"});
  EXPECT_EQ(op_.questions, std::vector<std::string>{"Reason for amendment:"});
  EXPECT_EQ(money_.reason, u"Damaged box");
  EXPECT_FLOAT_EQ(counters().takings, 7);
  EXPECT_TRUE(money_.finished_by_amend);
  ASSERT_TRUE(money_.paid_part);
  EXPECT_FLOAT_EQ(money_.paid_part->total, 6);
}

TEST_F(AmendTest, NewTotalCoveredByCreditTakesNoCashAndIsNotSettledAgain) {
  member_owes(-10);
  takings(1);
  screens_.amend = {AmendChoice::NewTotal};
  screens_.amounts = {6};
  op_.type(u"Regular");
  auto r = amend(10);
  ASSERT_EQ(r.outcome, AmendOutcome::Finished);
  EXPECT_TRUE(op_.saw("Member has -10.00 credit.", "After this transaction -4.00"));
  EXPECT_FLOAT_EQ(shop_.member.owed(), -4);
  EXPECT_FLOAT_EQ(counters().takings, 1);
  // The items still out keep their cost on the member.
  EXPECT_FLOAT_EQ(r.total, 8);
  EXPECT_TRUE(money_.skip_cash_tendered);
  // The rental's credit settlement then leaves the balance alone.
  EXPECT_TRUE(counter::settle_member_credit(shop_, screens_, money_, 6));
  EXPECT_FLOAT_EQ(shop_.member.owed(), -4);
  EXPECT_FLOAT_EQ(counters().takings, 1);
}

TEST_F(AmendTest, NewTotalAboveTheCreditTakesOnlyTheCashHandedOver) {
  member_owes(-5);
  takings(1);
  screens_.amend = {AmendChoice::NewTotal};
  screens_.amounts = {8};
  op_.type(u"x");
  op_.type(u"-1");
  op_.type(u"3.00");
  auto r = amend(10, 0);
  ASSERT_EQ(r.outcome, AmendOutcome::Finished);
  EXPECT_EQ(op_.questions.at(1), "-5.00 credit, Transaction total: 8.00, input total:");
  EXPECT_EQ(op_.proposals.at(1), "3.00");
  EXPECT_TRUE(op_.saw("Problem", "Incorrect value"));
  EXPECT_FLOAT_EQ(counters().takings, 4);  // 3.00 taken, not 3.00 + 8.00
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_FLOAT_EQ(r.total, 8);
  EXPECT_FLOAT_EQ(money_.credit_cash, 3);

  // Handing over less leaves the rest owed.
  money_ = {};
  shop_.member.set_owed(-5);
  screens_.amend = {AmendChoice::NewTotal};
  screens_.amounts = {8};
  op_.type(u"x");
  op_.type(u"2");
  amend(10, 0);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 1);
  EXPECT_FLOAT_EQ(counters().takings, 6);
}

TEST_F(AmendTest, PartPaidRestOwedRefusesMoreThanTheTotal) {
  takings(1);
  member_owes(1);
  screens_.amend = {AmendChoice::PartPaidRestOwed};
  screens_.amounts = {12, 4};
  auto r = amend(10);
  ASSERT_EQ(r.outcome, AmendOutcome::Finished);
  EXPECT_TRUE(op_.saw("Problem", "Incorrect value"));
  EXPECT_FLOAT_EQ(money_.left_owed, 6);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 7);
  EXPECT_FLOAT_EQ(counters().takings, 5);
  EXPECT_FLOAT_EQ(r.total, 12);
}

TEST_F(AmendTest, PartPaidAmendedOwedTotalOwedAndAmendedTotalOwed) {
  screens_.amend = {AmendChoice::PartPaidAmendedOwed};
  screens_.amounts = {3, 5};
  auto r = amend(10);
  EXPECT_EQ(screens_.amount_titles, (std::vector<std::u16string>{counter::kPaidTitle, counter::kOwedTitle}));
  EXPECT_FLOAT_EQ(r.total, 10);  // 3 + 5 + 2 previous
  EXPECT_FLOAT_EQ(shop_.member.owed(), 5);
  EXPECT_FLOAT_EQ(counters().takings, 3);
  EXPECT_FLOAT_EQ(money_.left_owed, 5);
  EXPECT_TRUE(money_.paid_part && money_.owed_part);

  money_ = {};
  shop_.member.set_owed(0);
  screens_.amend = {AmendChoice::TotalOwed};
  r = amend(10);
  EXPECT_FLOAT_EQ(r.total, 12);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 10);
  EXPECT_FLOAT_EQ(money_.left_owed, 10);
  EXPECT_FLOAT_EQ(counters().takings, 3);

  money_ = {};
  shop_.member.set_owed(0);
  screens_.amend = {AmendChoice::AmendedTotalOwed};
  screens_.amounts = {7};
  r = amend(10);
  EXPECT_FLOAT_EQ(r.total, 9);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 7);
  EXPECT_FLOAT_EQ(money_.left_owed, 7);
  EXPECT_FLOAT_EQ(counters().takings, 3);
}

TEST_F(AmendTest, NegativeAmountsAreAskedAgainAndCancelGoesBackClearingTheFigures) {
  screens_.amend = {AmendChoice::PartPaidAmendedOwed};
  screens_.amounts = {-1, 3, std::nullopt};
  auto r = amend(10);
  EXPECT_EQ(r.outcome, AmendOutcome::Back);
  EXPECT_TRUE(op_.saw("Problem", "Invalid amount"));
  EXPECT_EQ(screens_.amount_titles.size(), 3u);
  EXPECT_FALSE(money_.paid_part);
  EXPECT_FALSE(money_.owed_part);
  EXPECT_FALSE(money_.finished_by_amend);
  EXPECT_EQ(shop_.member.owed(), 0);
  EXPECT_EQ(counters().takings, 0);

  screens_.amend = {AmendChoice::NewTotal};
  screens_.amounts = {4};
  op_.cancel_prompt();  // the reason
  EXPECT_EQ(amend(10).outcome, AmendOutcome::Back);
  EXPECT_FALSE(money_.reason);
}

TEST_F(AmendTest, AmountsCarryTheirTaxes) {
  tax1(1000);
  screens_.amend = {AmendChoice::PartPaidRestOwed};
  screens_.amounts = {5};
  amend(11);
  ASSERT_TRUE(money_.paid_part);
  EXPECT_FLOAT_EQ(money_.paid_part->sub_total, 5);
  EXPECT_FLOAT_EQ(money_.paid_part->tax1, 0.5f);
  EXPECT_FLOAT_EQ(counters().takings, 5.5f);
  EXPECT_FLOAT_EQ(money_.left_owed, 5.5f);
}

TEST(AmountModel, FollowsTheSubTotalBox) {
  records::ConfigBlock c;
  counter::AmountModel plain(c);
  plain.set_sub_total(u"4.5");
  EXPECT_FALSE(plain.taxed());
  EXPECT_FLOAT_EQ(plain.figures().total, 4.5f);
  c.set_i64(cfg::kTax1Active, 1);
  c.set_i64(cfg::kTax1Rate, 1000);
  c.set_i64(cfg::kTax2Active, 1);
  c.set_i64(cfg::kTax2Rate, 500);
  c.set_i64(cfg::kTax2OnTotal, 1);
  counter::AmountModel taxed(c);
  taxed.set_sub_total(u"10.00");
  EXPECT_EQ(taxed.tax1_text(), u"1.00");
  EXPECT_EQ(taxed.tax2_text(), u"0.55");
  EXPECT_EQ(taxed.total_text(), u"11.55");
  EXPECT_FLOAT_EQ(taxed.figures().total, 11.55f);
}

TEST(CashTendered, ArrearsPaidRentalSundriesAndChange) {
  counter::RentalMoney money;
  money.amount_paid = 4;
  auto m = counter::make_cash_tendered(money, {/*owed*/ 6, /*total*/ 7.5f, /*previous*/ 2, /*sundries*/ 1.25f});
  EXPECT_EQ(m.arrears_to_remain, u"6.00");
  EXPECT_EQ(m.arrears_paid, u"4.00");
  EXPECT_EQ(m.rental, u"5.50");
  EXPECT_EQ(m.sundries, u"1.25");
  EXPECT_EQ(m.total_due, u"10.75");
  m.set_tendered(u"20");
  EXPECT_EQ(m.change(), u"9.25");
  m.set_tendered(u"10.75");
  EXPECT_EQ(m.change(), u"");
  m.set_tendered(u"-30");
  EXPECT_EQ(m.change(), u"");
}

TEST(CashTendered, BlankBoxesCreditCashAndAmountLeftOwed) {
  counter::RentalMoney money;
  auto plain = counter::make_cash_tendered(money, {0, 3, 0, 0});
  EXPECT_EQ(plain.arrears_to_remain, u"");
  EXPECT_EQ(plain.arrears_paid, u"");
  EXPECT_EQ(plain.sundries, u"");
  EXPECT_EQ(plain.total_due, u"3.00");

  money.credit_settled = true;
  money.credit_cash = 3;
  money.amount_paid = 3;
  auto credit = counter::make_cash_tendered(money, {0, 8, 0, 0});
  EXPECT_EQ(credit.arrears_paid, u"");  // the credit settlement's cash is the rental
  EXPECT_EQ(credit.rental, u"3.00");
  EXPECT_EQ(credit.total_due, u"3.00");

  counter::RentalMoney owe;
  owe.left_owed = 6;
  auto part = counter::make_cash_tendered(owe, {6, 12, 2, 0});
  EXPECT_EQ(part.arrears_to_remain, u"6.00");
  EXPECT_EQ(part.rental, u"10.00");
  EXPECT_EQ(part.total_due, u"4.00");
}

TEST_F(AmendTest, CashTenderedShowsTheTotalOnThePole) {
  counter::RentalMoney money;
  auto m = counter::make_cash_tendered(money, {0, 4.5f, 0, 0});
  counter::cash_tendered(screens_, screens_, m);
  EXPECT_EQ(screens_.till, std::vector<std::string>{"pole 4.50"});
  EXPECT_EQ(screens_.cash_tendered_shown, 1);
}

TEST(ReadAmount, OnlyPlainNumbers) {
  EXPECT_EQ(counter::read_amount(u" 4.50 "), 4.5f);
  EXPECT_EQ(counter::read_amount(u"-3"), -3.0f);
  EXPECT_EQ(counter::read_amount(u".5"), 0.5f);
  for (auto bad : {u"", u"  ", u"abc", u"4,50", u"1.2.3", u"-", u"5x"}) EXPECT_FALSE(counter::read_amount(bad)) << text::to_utf8(bad);
  // Digits enough to overflow a float would put an endless amount on a member or into the takings.
  EXPECT_FALSE(counter::read_amount(text::u16(45, u'9')));
  EXPECT_FALSE(counter::read_amount(u"-" + text::u16(40, u'1')));
}

}  // namespace
}  // namespace kelvo::paytest
