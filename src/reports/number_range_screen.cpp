#include "reports/number_range_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::u16;

NumberRangeScreen::NumberRangeScreen(QWidget* parent) : QDialog(parent) {
  setObjectName("ps2");
  setWindowTitle(tr("Print range"));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(new QLabel(tr("Print the numbers from and to:"), this));
  auto* form = new QFormLayout;
  from_ = new QLineEdit("1", this);
  from_->setObjectName("from");
  from_->setMaxLength(19);
  to_ = new QLineEdit("100000000000000000", this);
  to_->setObjectName("to");
  to_->setMaxLength(19);
  for (QLineEdit* e : {from_, to_}) e->setMinimumWidth(200);
  form->addRow(tr("From"), from_);
  form->addRow(tr("To"), to_);
  outer->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
  from_->selectAll();
}

std::optional<catalogue::TypedRange> NumberRangeScreen::run() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return catalogue::TypedRange{u16(from_->text()), u16(to_->text())};
}

}  // namespace kelvo::reports
