#include "counter/cash_tendered_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
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

namespace {
QLineEdit* shown_box(QWidget* parent, const char* name, const text::u16& value) {
  return shown_field(parent, name, qs(value), Shown::Money);
}
}  // namespace

CashTenderedDialog::CashTenderedDialog(CashTenderedModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(QStringLiteral("Cash tendered"));
  setObjectName(QStringLiteral("cashTenderedScreen"));
  auto* note = new QLabel(QStringLiteral("For information only"), this);
  note->setObjectName(QStringLiteral("note"));

  tendered_ = new QLineEdit(qs(model.tendered()), this);
  tendered_->setObjectName(QStringLiteral("tendered"));
  tendered_->setAlignment(Qt::AlignRight);
  tendered_->setMinimumWidth(140);
  change_ = shown_box(this, "change", model.change());
  QFont big = change_->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  change_->setFont(big);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Arrears to remain:"), shown_box(this, "arrearsToRemain", model.arrears_to_remain));
  form->addRow(QStringLiteral("Arrears paid:"), shown_box(this, "arrearsPaid", model.arrears_paid));
  form->addRow(QStringLiteral("Rental:"), shown_box(this, "rental", model.rental));
  form->addRow(QStringLiteral("Sundries:"), shown_box(this, "sundries", model.sundries));
  auto* due = shown_box(this, "totalDue", model.total_due);
  due->setFont(big);
  form->addRow(QStringLiteral("Total due:"), due);
  form->addRow(QStringLiteral("&Tendered:"), tendered_);
  form->addRow(QStringLiteral("Change:"), change_);

  auto* receipts = receipt_buttons();  // made before OK, which is shown under them
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  if (model_.prints_sale_receipt()) {
    auto* sale = buttons->addButton(QStringLiteral("&Sale receipt"), QDialogButtonBox::ActionRole);
    sale->setObjectName(QStringLiteral("saleReceipt"));
    sale->setAutoDefault(false);
    connect(sale, &QPushButton::clicked, this, [this] { model_.print_sale_receipt(); });
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(tendered_, &QLineEdit::textChanged, this, [this](const QString& t) {
    model_.set_tendered(u16(t));
    change_->setText(qs(model_.change()));
  });

  auto* all = new QVBoxLayout(this);
  all->addWidget(note);
  all->addLayout(form);
  if (receipts) all->addLayout(receipts);
  all->addWidget(buttons);
  tendered_->setFocus();
}

// A receipt printed from here leaves the screen open: the change is still to be given.
QGridLayout* CashTenderedDialog::receipt_buttons() {
  if (!model_.prints_receipts()) return nullptr;
  struct Button {
    const char* name;
    const char* text;
    RentalReceiptForm form;
  };
  static const Button kButtons[] = {
      {"pageReceipt", "&Page receipt", RentalReceiptForm::Page},
      {"tillReceipt1", "&Till receipt 1", RentalReceiptForm::Till1},
      {"tillReceipt2", "&Till receipt 2", RentalReceiptForm::Till2},
      {"twoPerPage1", "&Two per page receipt 1", RentalReceiptForm::TwoPerPage1},
      {"twoPerPage2", "&Two per page receipt 2", RentalReceiptForm::TwoPerPage2},
      {"customReceipt", "&Custom till receipt", RentalReceiptForm::Custom},
  };
  auto* grid = new QGridLayout;
  int i = 0;
  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.text), this);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setAutoDefault(false);
    const RentalReceiptForm form = b.form;
    connect(button, &QPushButton::clicked, this, [this, form] { model_.print_receipt(form); });
    grid->addWidget(button, i / 2, i % 2);
    ++i;
  }
  return grid;
}

}  // namespace kelvo::counter::qt
