#pragma once
// The "Receipts" page of the Configuration window: the receipt printer, the print confirm,
// the footer, the logo, the automatic receipt, and the way to the custom receipt layout.
#include <vector>

#include <QWidget>

#include "platform/printer.h"
#include "records/shop.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kelvo::reports {

class ReceiptsPage : public QWidget {
 public:
  ReceiptsPage(records::Shop& shop, platform::Printer& printer, QWidget* parent);
  // Stores the page's values into the configuration block (the window writes wr.cfg).
  void apply();

 private:
  void open_custom_receipt();

  records::Shop& shop_;
  std::vector<text::u16> installed_;
  QComboBox* printer_ = nullptr;
  QCheckBox* omit_confirm_ = nullptr;
  QLineEdit* footer_ = nullptr;
  QCheckBox* logo_ = nullptr;
  QCheckBox* full_width_ = nullptr;
  QComboBox* auto_receipt_ = nullptr;
};

}  // namespace kelvo::reports
