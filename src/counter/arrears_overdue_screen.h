#pragma once
// "Arrears / overdue": after a return, the late items with their charges, the member, the
// arrears and the total, and how it is settled: Paid, Amend / owe total due, or Owed.
#include <QDialog>
#include <QPushButton>

#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class ArrearsOverdueDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ArrearsOverdueDialog(const ArrearsOverdueView& view, QWidget* parent = nullptr);
  OverdueChoice choice() const { return choice_; }

 protected:
  void reject() override;  // Esc leaves it owed

 private:
  QPushButton* button(const QString& text, const char* name, OverdueChoice c);
  OverdueChoice choice_ = OverdueChoice::Owed;
};

}  // namespace kelvo::counter::qt
