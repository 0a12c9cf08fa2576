#pragma once
// "Print heading" of "Store print heading": store address lines 1 to 6, the head of every
// letter and form and the store name of receipts and reports.
#include <array>

#include <QDialog>

#include "records/shop.h"

class QLineEdit;

namespace kelvo::reports {

class PrintHeadingScreen : public QDialog {
 public:
  PrintHeadingScreen(records::Shop& shop, QWidget* parent);
  void accept() override;

 private:
  records::Shop& shop_;
  std::array<QLineEdit*, 6> lines_;
};

}  // namespace kelvo::reports
