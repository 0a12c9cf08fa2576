#pragma once
// "TAX CONTROL": the tax settings the receipts and the monthly totals use.
#include <QDialog>

#include "reports/tax_settings.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::reports {

class TaxScreen : public QDialog {
  Q_OBJECT
 public:
  explicit TaxScreen(const TaxSettings& s, QWidget* parent = nullptr);
  TaxSettings settings() const;

 private:
  QCheckBox *active1_, *active2_, *compound_, *no_overdue_, *no_stock_;
  QLineEdit *rate1_, *rate2_, *description1_, *description2_;
};

}  // namespace kelvo::reports
