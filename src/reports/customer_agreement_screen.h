#pragma once
// "Customer agreement": the application form with the store's own text (Custform.txt), printed
// in as many copies as asked; "Standard form" prints the built-in form instead.
#include <QDialog>

#include "platform/printer.h"
#include "records/shop.h"

class QLineEdit;
class QPlainTextEdit;

namespace kelvo::reports {

class CustomerAgreementScreen : public QDialog {
 public:
  CustomerAgreementScreen(records::Shop& shop, platform::Printer& printer, QWidget* parent);

 private:
  void save();
  void reset();
  void print();

  records::Shop& shop_;
  platform::Printer& printer_;
  QPlainTextEdit* text_;
  QLineEdit* copies_;
};

}  // namespace kelvo::reports
