#include "reports/tax_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::qs;
using platform::qt::u16;

namespace {

QCheckBox* box(const QString& text, const QString& name, bool on, QWidget* parent) {
  auto* b = new QCheckBox(text, parent);
  b->setObjectName(name);
  b->setChecked(on);
  return b;
}

QLineEdit* edit(const text::u16& text, const QString& name, int max, QWidget* parent) {
  auto* e = platform::qt::typed_field(parent, name, qs(text), max);
  e->setMaximumWidth(90);
  return e;
}

}  // namespace

TaxScreen::TaxScreen(const TaxSettings& s, QWidget* parent) : QDialog(parent) {
  setObjectName("tax_control");
  setWindowTitle(tr("TAX CONTROL"));
  auto* outer = new QVBoxLayout(this);
  auto* taxes = new QHBoxLayout;
  auto tax = [&](const QString& title, QCheckBox*& active, QLineEdit*& rate, bool on, const text::u16& value, int n) {
    auto* g = new QGroupBox(title, this);
    auto* form = new QFormLayout(g);
    active = box(tr("Active"), QStringLiteral("active%1").arg(n), on, g);
    rate = edit(value, QStringLiteral("rate%1").arg(n), 4, g);
    form->addRow(active);
    form->addRow(tr("Rate"), rate);
    taxes->addWidget(g);
  };
  tax(tr("Tax 1"), active1_, rate1_, s.active1, s.rate1, 1);
  tax(tr("Tax 2"), active2_, rate2_, s.active2, s.rate2, 2);
  outer->addLayout(taxes);
  outer->addWidget(new QLabel(tr("The rate is entered as a value from 0 to 9999\nFor example, 10% is entered as 1000"), this));
  compound_ = box(tr("Tax 2 on total + tax 1"), "compound", s.compound, this);
  no_overdue_ = box(tr("No tax on overdue"), "no_tax_on_overdue", s.no_tax_on_overdue, this);
  no_stock_ = box(tr("No tax on stock sale"), "no_tax_on_stock_sale", s.no_tax_on_stock_sale, this);
  outer->addWidget(compound_);
  outer->addWidget(no_overdue_);
  outer->addWidget(no_stock_);
  auto* form = new QFormLayout;
  description1_ = edit(s.description1, "description1", kTaxDescriptionLength, this);
  description2_ = edit(s.description2, "description2", kTaxDescriptionLength, this);
  form->addRow(tr("Tax 1 description"), description1_);
  form->addRow(tr("Tax 2 description"), description2_);
  outer->addLayout(form);
  outer->addWidget(new QLabel(tr("The tax description for receipts may be up to 5 characters."), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
}

TaxSettings TaxScreen::settings() const {
  TaxSettings s;
  s.active1 = active1_->isChecked();
  s.active2 = active2_->isChecked();
  s.rate1 = u16(rate1_->text());
  s.rate2 = u16(rate2_->text());
  s.compound = compound_->isChecked();
  s.no_tax_on_overdue = no_overdue_->isChecked();
  s.no_tax_on_stock_sale = no_stock_->isChecked();
  s.description1 = u16(description1_->text());
  s.description2 = u16(description2_->text());
  return s;
}

}  // namespace kelvo::reports
