#include "counter/sale_cash_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::Shown;
using platform::qt::shown_field;
using platform::qt::qs;
using platform::qt::u16;

SaleCashDialog::SaleCashDialog(SaleCashView& view, SaleReceipts* receipts, QWidget* parent)
    : QDialog(parent), view_(view) {
  setWindowTitle(QStringLiteral("Cash tendered"));
  setObjectName(QStringLiteral("saleCashScreen"));
  QFont big = font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);

  auto* due = shown_field(this, "totalDue", qs(view.money.total_due), Shown::Money);
  due->setFont(big);
  tendered_ = new QLineEdit(this);
  tendered_->setObjectName(QStringLiteral("tendered"));
  tendered_->setAlignment(Qt::AlignRight);
  tendered_->setMinimumWidth(160);
  change_ = shown_field(this, "change", {}, Shown::Money);
  change_->setFont(big);
  connect(tendered_, &QLineEdit::textChanged, this, [this](const QString& t) {
    view_.money.set_tendered(u16(t));
    change_->setText(qs(view_.money.change()));
  });

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Total due:"), due);
  form->addRow(QStringLiteral("T&endered:"), tendered_);
  form->addRow(QStringLiteral("Change:"), change_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  if (receipts) {
    auto* till = buttons->addButton(QStringLiteral("&Till receipt"), QDialogButtonBox::ActionRole);
    till->setObjectName(QStringLiteral("tillReceipt"));
    connect(till, &QPushButton::clicked, this,
            [this, receipts] { receipts->print_sale_receipt(view_.receipt, view_.till_form); });
    if (view.page_receipt) {
      auto* page = buttons->addButton(QStringLiteral("&Page receipt"), QDialogButtonBox::ActionRole);
      page->setObjectName(QStringLiteral("pageReceipt"));
      connect(page, &QPushButton::clicked, this,
              [this, receipts] { receipts->print_sale_receipt(view_.receipt, SaleReceiptForm::MultiPage); });
    }
  }

  auto* all = new QVBoxLayout(this);
  auto* note = new QLabel(QStringLiteral("For information only"), this);
  all->addWidget(note);
  all->addLayout(form);
  all->addWidget(buttons);
  tendered_->setFocus();
}

void QtSaleCashScreen::show_sale_cash(SaleCashView& view, SaleReceipts* receipts) {
  SaleCashDialog dialog(view, receipts, parent_);
  dialog.exec();
}

}  // namespace kelvo::counter::qt
