#pragma once
// "Cash tendered": what the rental comes to and the change from what the member hands over.
// For information only: nothing here changes the takings. Its buttons print the receipts.
#include <QDialog>
#include <QLineEdit>

#include "counter/payment_views.h"

class QGridLayout;

namespace kelvo::counter::qt {

class CashTenderedDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CashTenderedDialog(CashTenderedModel& model, QWidget* parent = nullptr);

 private:
  QGridLayout* receipt_buttons();

  CashTenderedModel& model_;
  QLineEdit* tendered_ = nullptr;
  QLineEdit* change_ = nullptr;
};

}  // namespace kelvo::counter::qt
