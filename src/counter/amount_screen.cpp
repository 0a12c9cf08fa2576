#include "counter/amount_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "records/config_layout.h"
#include "platform/qt/ok_cancel.h"

namespace kelvo::counter::qt {

using platform::qt::Shown;
using platform::qt::shown_field;
using platform::qt::qs;
using platform::qt::u16;

namespace {
QString tax_label(const records::ConfigBlock& config, size_t offset, const QString& fallback) {
  const QString d = qs(config.str(offset, records::cfg::kTaxDescriptionWidth)).trimmed();
  return (d.isEmpty() ? fallback : d) + QLatin1Char(':');
}
}  // namespace

AmountDialog::AmountDialog(const QString& title, const records::ConfigBlock& config, QWidget* parent)
    : QDialog(parent), model_(config) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("amountScreen"));
  auto* heading = new QLabel(title, this);
  heading->setObjectName(QStringLiteral("heading"));

  sub_total_ = new QLineEdit(this);
  sub_total_->setObjectName(QStringLiteral("subTotal"));
  sub_total_->setAlignment(Qt::AlignRight);
  sub_total_->setMinimumWidth(140);
  tax1_ = shown_field(this, "tax1", {}, Shown::Money);
  tax2_ = shown_field(this, "tax2", {}, Shown::Money);
  total_ = shown_field(this, "total", {}, Shown::Money);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Sub total:"), sub_total_);
  form->addRow(tax_label(config, records::cfg::kTax1Description, QStringLiteral("Tax 1")), tax1_);
  form->addRow(tax_label(config, records::cfg::kTax2Description, QStringLiteral("Tax 2")), tax2_);
  form->addRow(QStringLiteral("Total:"), total_);

  auto* buttons = platform::qt::ok_cancel_buttons(this);
  connect(sub_total_, &QLineEdit::textChanged, this, &AmountDialog::refresh);

  auto* all = new QVBoxLayout(this);
  all->addWidget(heading);
  all->addLayout(form);
  all->addWidget(buttons);
  sub_total_->setFocus();
  refresh();
}

void AmountDialog::refresh() {
  model_.set_sub_total(u16(sub_total_->text()));
  tax1_->setText(qs(model_.tax1_text()));
  tax2_->setText(qs(model_.tax2_text()));
  total_->setText(qs(model_.total_text()));
}

}  // namespace kelvo::counter::qt
