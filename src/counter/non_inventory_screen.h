#pragma once
// "Non inventory sale": a description from the quick buttons, the on-screen keyboard or the
// keyboard, a price from the price pad, the quick prices or the keyboard, taxable or not, and
// the nett, taxes and total as they follow. Every key is big enough for a finger.
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include "counter/non_inventory.h"
#include "counter/retail_views.h"

namespace kelvo::counter::qt {

class NonInventoryDialog : public QDialog {
  Q_OBJECT
 public:
  NonInventoryDialog(NonInventoryModel& model, QWidget* parent = nullptr);

 private:
  QWidget* description_part();
  QWidget* price_part();
  void refresh();

  NonInventoryModel& model_;
  QLineEdit* description_ = nullptr;
  QLineEdit* price_ = nullptr;
  QRadioButton* taxable_ = nullptr;
  QRadioButton* not_taxable_ = nullptr;
  QLineEdit* nett_ = nullptr;
  QLineEdit* tax1_ = nullptr;
  QLineEdit* tax2_ = nullptr;
  QLineEdit* total_ = nullptr;
};

class QtNonInventoryScreen : public NonInventoryScreen {
 public:
  explicit QtNonInventoryScreen(QWidget* parent) : parent_(parent) {}
  bool run_non_inventory(NonInventoryModel& model) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
