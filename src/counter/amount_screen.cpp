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
    : QDialog(parent) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("amountScreen"));
  auto* heading = new QLabel(title, this);
  heading->setObjectName(QStringLiteral("heading"));

  auto* form = new QFormLayout;
  rows_ = new AmountRows(this, form, config, "subTotal",
                         {QStringLiteral("&Sub total:"),
                          tax_label(config, records::cfg::kTax1Description, QStringLiteral("Tax 1")),
                          tax_label(config, records::cfg::kTax2Description, QStringLiteral("Tax 2"))});

  auto* buttons = platform::qt::ok_cancel_buttons(this);

  auto* all = new QVBoxLayout(this);
  all->addWidget(heading);
  all->addLayout(form);
  all->addWidget(buttons);
  rows_->amount()->setFocus();
}

}  // namespace kelvo::counter::qt
