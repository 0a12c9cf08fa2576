#include "counter/payment_screens_screen.h"

#include "counter/amend_owe_screen.h"
#include "counter/amount_screen.h"
#include "counter/arrears_overdue_screen.h"
#include "counter/arrears_screen.h"
#include "counter/cash_tendered_screen.h"
#include "counter/member_credit_screen.h"
#include "counter/total_due_screen.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;

std::optional<ArrearsChoice> QtPaymentScreens::choose_arrears(const ArrearsView& view) {
  ArrearsDialog d(view, parent_);
  d.exec();
  return d.choice();
}

std::optional<CreditChoice> QtPaymentScreens::choose_credit(const MemberCreditView& view) {
  MemberCreditDialog d(view, parent_);
  d.exec();
  return d.choice();
}

std::optional<AmendChoice> QtPaymentScreens::choose_amend(float total) {
  AmendOweDialog d(total, parent_);
  d.exec();
  return d.choice();
}

std::optional<AmountFigures> QtPaymentScreens::ask_amount(text::u16view title) {
  AmountDialog d(qs(title), config_, parent_);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.figures();
}

void QtPaymentScreens::show_cash_tendered(CashTenderedModel& model) {
  CashTenderedDialog d(model, parent_);
  d.exec();
}

OverdueChoice QtPaymentScreens::choose_overdue(const ArrearsOverdueView& view) {
  ArrearsOverdueDialog d(view, parent_);
  d.exec();
  return d.choice();
}

std::optional<TotalDueChoice> QtPaymentScreens::choose_total_due(text::u16view total) {
  TotalDueDialog d(qs(total), parent_);
  d.exec();
  return d.choice();
}

}  // namespace kelvo::counter::qt
