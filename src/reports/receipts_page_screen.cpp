#include "reports/receipts_page_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "reports/custom_receipt_screen.h"
#include "reports/receipts_settings.h"

namespace kelvo::reports {

using platform::qt::qs;
using platform::qt::u16;

ReceiptsPage::ReceiptsPage(records::Shop& shop, platform::Printer& printer, QWidget* parent)
    : QWidget(parent), shop_(shop), installed_(printer.installed_printers()) {
  setObjectName(QStringLiteral("receiptsPage"));
  const ReceiptSettings s = receipt_settings(shop.config);

  printer_ = new QComboBox(this);
  printer_->setObjectName(QStringLiteral("receiptPrinter"));
  printer_->addItem(QStringLiteral("Default"));
  for (const auto& name : installed_) printer_->addItem(qs(name));
  const int at = s.printer.empty() ? -1 : printer_->findText(qs(s.printer), Qt::MatchExactly);
  printer_->setCurrentIndex(at > 0 ? at : 0);

  omit_confirm_ = new QCheckBox(QStringLiteral("Omit print confirm"), this);
  omit_confirm_->setObjectName(QStringLiteral("omitPrintConfirm"));
  omit_confirm_->setChecked(s.omit_print_confirm);

  footer_ = new QLineEdit(qs(s.footer), this);
  footer_->setObjectName(QStringLiteral("footer"));
  footer_->setMaxLength(static_cast<int>(kFooterLimit));

  // Made in the order shown, which is the order Tab takes.
  auto_receipt_ = new QComboBox(this);
  auto_receipt_->setObjectName(QStringLiteral("autoReceipt"));
  for (const char16_t* choice : kAutoReceiptChoices) auto_receipt_->addItem(qs(choice));
  auto_receipt_->setCurrentIndex(s.auto_receipt);

  logo_ = new QCheckBox(
      QStringLiteral("Include logo (requires receipt.bmp in QUENDRIX folder). Printed to half page width."), this);
  logo_->setObjectName(QStringLiteral("includeLogo"));
  logo_->setChecked(s.include_logo);
  full_width_ = new QCheckBox(QStringLiteral("Logo full page width"), this);
  full_width_->setObjectName(QStringLiteral("logoFullWidth"));
  full_width_->setChecked(s.logo_full_width);

  auto* custom = new QPushButton(QStringLiteral("&Custom receipt..."), this);
  custom->setObjectName(QStringLiteral("customReceipt"));
  connect(custom, &QPushButton::clicked, this, &ReceiptsPage::open_custom_receipt);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Receipt printer:"), printer_);
  form->addRow(QString(), omit_confirm_);
  form->addRow(QStringLiteral("Footer text:"), footer_);
  form->addRow(QStringLiteral("Auto receipt:"), auto_receipt_);
  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(logo_);
  all->addWidget(full_width_);
  auto* row = new QHBoxLayout;
  row->addWidget(custom);
  row->addStretch(1);
  all->addLayout(row);
  all->addStretch(1);
}

void ReceiptsPage::apply() {
  ReceiptSettings s;
  if (printer_->currentIndex() > 0) s.printer = u16(printer_->currentText());
  s.omit_print_confirm = omit_confirm_->isChecked();
  s.footer = u16(footer_->text());
  s.include_logo = logo_->isChecked();
  s.logo_full_width = full_width_->isChecked();
  s.auto_receipt = auto_receipt_->currentIndex();
  store_receipt_settings(shop_.config, s, installed_);
}

// The layout is a setting of its own, stored when its dialog closes with OK.
void ReceiptsPage::open_custom_receipt() {
  CustomReceiptScreen dialog(shop_.config, this);
  if (dialog.exec() == QDialog::Accepted) shop_.save_config();
}

}  // namespace kelvo::reports
