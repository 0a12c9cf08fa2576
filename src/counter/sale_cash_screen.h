#pragma once
// "Cash tendered" after a sale: the total due, what the customer hands over and the change,
// with the receipt buttons the sale offers.
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include "counter/retail_views.h"

namespace kelvo::counter::qt {

class SaleCashDialog : public QDialog {
  Q_OBJECT
 public:
  SaleCashDialog(SaleCashView& view, SaleReceipts* receipts, QWidget* parent = nullptr);

 private:
  SaleCashView& view_;
  QLineEdit* tendered_ = nullptr;
  QLineEdit* change_ = nullptr;
};

class QtSaleCashScreen : public SaleCashScreen {
 public:
  explicit QtSaleCashScreen(QWidget* parent) : parent_(parent) {}
  void show_sale_cash(SaleCashView& view, SaleReceipts* receipts) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
