#pragma once
// The amount screen of amend/owe: a sub total with its taxes and total worked out as typed.
#include <QDialog>
#include <QLineEdit>

#include "counter/amount_rows_screen.h"
#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class AmountDialog : public QDialog {
  Q_OBJECT
 public:
  AmountDialog(const QString& title, const records::ConfigBlock& config, QWidget* parent = nullptr);
  const AmountFigures& figures() const { return rows_->figures(); }

 private:
  AmountRows* rows_ = nullptr;
};

}  // namespace kelvo::counter::qt
