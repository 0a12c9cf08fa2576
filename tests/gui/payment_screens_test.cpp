// The settlement screens as the counter staff meet them: what is selected or focused when each
// opens, what a restricted operator does not see, and the figures that follow typing.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "counter/amend_owe_screen.h"
#include "counter/amount_screen.h"
#include "counter/arrears_overdue_screen.h"
#include "counter/arrears_screen.h"
#include "counter/cash_tendered_screen.h"
#include "counter/member_credit_screen.h"
#include "counter/total_due_screen.h"
#include "counter/payment.h"
#include "gui/screen_script.h"
#include "records/config_layout.h"
#include "shell/command_table.h"

namespace kelvo {
namespace {

using namespace counter;
using counter::qt::ArrearsDialog;
namespace cfg = records::cfg;

QRadioButton* radio(QWidget& w, const char* name) {
  auto* b = w.findChild<QRadioButton*>(QString::fromLatin1(name));
  EXPECT_NE(b, nullptr) << name;
  return b;
}
QString box(QWidget& w, const char* name) {
  auto* e = w.findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(e, nullptr) << name;
  return e ? e->text() : QString();
}
void press(QWidget& w, const char* name) {
  auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(b, nullptr) << name;
  b->click();
}
ArrearsView arrears_view() {
  ArrearsView v;
  v.number = 42;
  v.name = u"Mr J Smith";
  v.address = u"1 High Street, Lowtown";
  v.last_rented = u"01/12/2026";
  v.last_returned = u"03/12/2026";
  v.earlier = {{u"7, Gone Fishing", u"01/12/2026", u"03/12/2026"}, {u"103", u"20/11/2026", u"22/11/2026"}};
  v.owed = u"10.00";
  return v;
}

TEST(ArrearsScreen, TotalIsPaidUnlessTheDefaultIsPayAnotherDay) {
  ArrearsDialog plain(arrears_view());
  EXPECT_EQ(plain.windowTitle(), "Arrears");
  EXPECT_TRUE(radio(plain, "totalPaid")->isChecked());
  EXPECT_EQ(box(plain, "owed"), "10.00");
  kelvo::testing::save_picture(plain, "arrears");
  press(plain, "ok");
  EXPECT_EQ(plain.choice(), ArrearsChoice::TotalPaid);

  auto v = arrears_view();
  v.preselected = ArrearsChoice::PayAnotherDay;
  ArrearsDialog later(v);
  EXPECT_TRUE(radio(later, "payAnotherDay")->isChecked());
  EXPECT_FALSE(radio(later, "totalPaid")->isChecked());
  press(later, "cancel");
  EXPECT_EQ(later.choice(), std::nullopt);
}

TEST(ArrearsScreen, RestrictedOperatorsSeeOnlyPaidAndAnotherDay) {
  auto v = arrears_view();
  v.part_and_write_off_hidden = true;
  ArrearsDialog d(v);
  d.show();
  EXPECT_TRUE(radio(d, "totalPaid")->isVisible());
  EXPECT_TRUE(radio(d, "payAnotherDay")->isVisible());
  EXPECT_FALSE(radio(d, "partPaidRestOwed")->isVisible());
  EXPECT_FALSE(radio(d, "partPaidRestWrittenOff")->isVisible());
  EXPECT_FALSE(radio(d, "writtenOff")->isVisible());
  radio(d, "payAnotherDay")->setChecked(true);
  press(d, "ok");
  EXPECT_EQ(d.choice(), ArrearsChoice::PayAnotherDay);
}

TEST(ChoiceScreens, DefaultsOfMemberCreditAmendOweAndTotalDue) {
  qt::MemberCreditDialog credit({u"8.00", u"-5.00", u"3.00"});
  EXPECT_EQ(credit.windowTitle(), "Member credit");
  EXPECT_TRUE(radio(credit, "amountPaid")->isChecked());
  EXPECT_EQ(box(credit, "amountOwed"), "3.00");
  kelvo::testing::save_picture(credit, "member_credit");
  radio(credit, "partPaidRestWrittenOff")->setChecked(true);
  press(credit, "ok");
  EXPECT_EQ(credit.choice(), CreditChoice::PartPaidRestWrittenOff);

  qt::AmendOweDialog amend(12.5f);
  EXPECT_EQ(amend.windowTitle(), "Amend / owe transaction total");
  EXPECT_EQ(box(amend, "total"), "12.50");
  kelvo::testing::save_picture(amend, "amend_owe");
  press(amend, "ok");  // nothing selected: as Cancel
  EXPECT_EQ(amend.choice(), std::nullopt);

  qt::TotalDueDialog due(QStringLiteral("5.00"));
  EXPECT_EQ(due.windowTitle(), "Total due");
  EXPECT_TRUE(radio(due, "writtenOff")->isChecked());
  kelvo::testing::save_picture(due, "total_due");
  radio(due, "zeroPaidSpecificOwed")->setChecked(true);
  press(due, "ok");
  EXPECT_EQ(due.choice(), TotalDueChoice::ZeroPaidSpecificOwed);
}

ArrearsOverdueView overdue_view() {
  ArrearsOverdueView v;
  v.lines = {{u"7, Gone Fishing", u"3.00"}, {u"12, The Long Road Home", u"1.50"}};
  v.number = 42;
  v.name = u"Mr J Smith";
  v.address = u"1 High Street, Lowtown";
  v.arrears = u"2.00";
  v.overdue = u"4.50";
  v.sub_total = u"4.50";
  v.total = u"6.50";
  return v;
}

TEST(ArrearsOverdueScreen, FocusFollowsTheDefaultOverdueAllocation) {
  qt::ArrearsOverdueDialog paid_first(overdue_view());
  paid_first.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&paid_first));
  EXPECT_EQ(paid_first.windowTitle(), "Arrears / overdue");
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "paid");
  EXPECT_EQ(box(paid_first, "total"), "6.50");
  kelvo::testing::save_picture(paid_first, "arrears_overdue");
  press(paid_first, "paid");
  EXPECT_EQ(paid_first.choice(), OverdueChoice::Paid);

  auto v = overdue_view();
  v.focus_owed = true;
  qt::ArrearsOverdueDialog owed_first(v);
  owed_first.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owed_first));
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "owed");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(owed_first.choice(), OverdueChoice::Owed);
}

TEST(ArrearsOverdueScreen, EscapeLeavesItOwedAndRestrictedOperatorsHaveNoAmend) {
  auto v = overdue_view();
  v.amend_hidden = true;
  qt::ArrearsOverdueDialog d(v);
  d.show();
  EXPECT_FALSE(d.findChild<QPushButton*>("amendOwe")->isVisible());
  qt::ArrearsOverdueDialog e(overdue_view());
  e.show();
  EXPECT_TRUE(e.findChild<QPushButton*>("amendOwe")->isVisible());
  QTest::keyClick(&e, Qt::Key_Escape);
  EXPECT_EQ(e.choice(), OverdueChoice::Owed);
}

TEST(AmountScreen, TaxesAndTotalFollowTheSubTotal) {
  records::ConfigBlock c;
  c.set_i64(cfg::kTax1Active, 1);
  c.set_i64(cfg::kTax1Rate, 1000);
  c.set_str(cfg::kTax1Description, cfg::kTaxDescriptionWidth, u"VAT");
  qt::AmountDialog d(QStringLiteral("Please enter the amount to be paid:"), c);
  EXPECT_EQ(d.windowTitle(), "Please enter the amount to be paid:");
  QTest::keyClicks(d.findChild<QLineEdit*>("subTotal"), "10");
  EXPECT_EQ(box(d, "tax1"), "1.00");
  EXPECT_EQ(box(d, "total"), "11.00");
  EXPECT_FLOAT_EQ(d.figures().total, 11);
  EXPECT_FLOAT_EQ(d.figures().tax1, 1);
  kelvo::testing::save_picture(d, "amount");
}

TEST(CashTenderedScreen, ShowsTheFiguresAndTheChange) {
  RentalMoney money;
  money.amount_paid = 4;
  auto model = make_cash_tendered(money, {6, 7.5f, 2, 0});
  qt::CashTenderedDialog d(model);
  EXPECT_EQ(d.windowTitle(), "Cash tendered");
  EXPECT_EQ(box(d, "arrearsToRemain"), "6.00");
  EXPECT_EQ(box(d, "arrearsPaid"), "4.00");
  EXPECT_EQ(box(d, "rental"), "5.50");
  EXPECT_EQ(box(d, "sundries"), "");
  EXPECT_EQ(box(d, "totalDue"), "9.50");
  QTest::keyClicks(d.findChild<QLineEdit*>("tendered"), "20");
  EXPECT_EQ(box(d, "change"), "10.50");
  kelvo::testing::save_picture(d, "cash_tendered");
  QTest::keyClick(d.findChild<QLineEdit*>("tendered"), Qt::Key_Backspace);
  EXPECT_EQ(box(d, "change"), "");  // 2.00 does not cover 9.50
}

TEST(PaymentCommands, AmendCreditIsWiredAndGuarded) {
  const auto* c = shell::find_command("members.amend_credit");
  ASSERT_NE(c, nullptr);
  EXPECT_NE(c->handler, nullptr);
  EXPECT_EQ(c->guard, shell::Guard::Flag);
  EXPECT_EQ(c->flag, records::Flag::AmendCredit);
}

}  // namespace
}  // namespace kelvo
