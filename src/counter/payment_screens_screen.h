#pragma once
// The settlement screens drawn with Qt dialogs, for the rental, the return and the shell.
#include <QPointer>
#include <QWidget>

#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class QtPaymentScreens : public ArrearsScreen,
                         public MemberCreditScreen,
                         public AmendOweScreen,
                         public AmountScreen,
                         public CashTenderedScreen,
                         public ArrearsOverdueScreen,
                         public TotalDueScreen {
 public:
  QtPaymentScreens(QWidget* parent, const records::ConfigBlock& config) : parent_(parent), config_(config) {}

  std::optional<ArrearsChoice> choose_arrears(const ArrearsView& view) override;
  std::optional<CreditChoice> choose_credit(const MemberCreditView& view) override;
  std::optional<AmendChoice> choose_amend(float total) override;
  std::optional<AmountFigures> ask_amount(text::u16view title) override;
  void show_cash_tendered(CashTenderedModel& model) override;
  OverdueChoice choose_overdue(const ArrearsOverdueView& view) override;
  std::optional<TotalDueChoice> choose_total_due(text::u16view total) override;

 private:
  QPointer<QWidget> parent_;
  const records::ConfigBlock& config_;
};

}  // namespace kelvo::counter::qt
