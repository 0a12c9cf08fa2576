#pragma once
// "Cash tendered": what the rental comes to and the change from what the member hands over.
// For information only: nothing here changes the takings.
#include <QDialog>
#include <QLineEdit>

#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class CashTenderedDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CashTenderedDialog(CashTenderedModel& model, QWidget* parent = nullptr);

 private:
  CashTenderedModel& model_;
  QLineEdit* tendered_ = nullptr;
  QLineEdit* change_ = nullptr;
};

}  // namespace kelvo::counter::qt
