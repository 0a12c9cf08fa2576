#include "counter/amount_rows_screen.h"

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;
using platform::qt::Shown;
using platform::qt::shown_field;

AmountRows::AmountRows(QWidget* parent, QFormLayout* form, const records::ConfigBlock& config,
                       const char* amount_name, const AmountLabels& labels)
    : QObject(parent), model_(config) {
  amount_ = new QLineEdit(parent);
  amount_->setObjectName(QString::fromLatin1(amount_name));
  amount_->setAlignment(Qt::AlignRight);
  amount_->setMinimumWidth(140);
  tax1_ = shown_field(parent, "tax1", {}, Shown::Money);
  tax2_ = shown_field(parent, "tax2", {}, Shown::Money);
  total_ = shown_field(parent, "total", {}, Shown::Money);
  form->addRow(labels.amount, amount_);
  form->addRow(labels.tax1, tax1_);
  form->addRow(labels.tax2, tax2_);
  form->addRow(QStringLiteral("Total:"), total_);
  connect(amount_, &QLineEdit::textChanged, this, &AmountRows::refresh);
  amount_->setFocus();
  refresh();
}

void AmountRows::refresh() {
  model_.set_sub_total(platform::qt::u16(amount_->text()));
  tax1_->setText(qs(model_.tax1_text()));
  tax2_->setText(qs(model_.tax2_text()));
  total_->setText(qs(model_.total_text()));
}

}  // namespace kelvo::counter::qt
