#pragma once
// An amount typed into a form and the taxes and total that follow it as it is typed: the rows the
// amend/owe amount screen and the sale of a rental item share.
#include <QFormLayout>
#include <QLineEdit>
#include <QObject>

#include "counter/payment_views.h"

namespace kelvo::counter::qt {

struct AmountLabels {
  QString amount, tax1, tax2;
};

class AmountRows : public QObject {
 public:
  // Adds the four rows to `form`; the amount box is called `amount_name` and takes the focus.
  AmountRows(QWidget* parent, QFormLayout* form, const records::ConfigBlock& config, const char* amount_name,
             const AmountLabels& labels);
  const AmountFigures& figures() const { return model_.figures(); }
  QLineEdit* amount() const { return amount_; }

 private:
  void refresh();
  AmountModel model_;
  QLineEdit* amount_ = nullptr;
  QLineEdit* tax1_ = nullptr;
  QLineEdit* tax2_ = nullptr;
  QLineEdit* total_ = nullptr;
};

}  // namespace kelvo::counter::qt
