#include "till/bands_page_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::till {

using platform::qt::qs;
using platform::qt::typed_field;
using platform::qt::u16;

namespace {

QLineEdit* price_field(const text::u16& value, const QString& name, QWidget* parent) {
  auto* edit = typed_field(parent, name, qs(value), 6);
  edit->setMaximumWidth(90);
  return edit;
}

}  // namespace

BandsPage::BandsPage(records::ConfigBlock& config, QWidget* parent) : QWidget(parent), config_(config) {
  setObjectName(QStringLiteral("bandsPage"));
  const auto s = BandSettings::load(config);

  auto* group = new QGroupBox(QStringLiteral("Charge bands"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("Rental"), group), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Overdue"), group), 0, 2);
  for (int b = 1; b <= BandSettings::kRentalBands; ++b) {
    grid->addWidget(new QLabel(QStringLiteral("Band %1").arg(b), group), b, 0);
    rental_[b - 1] = price_field(s.rental[b - 1], QStringLiteral("rental%1").arg(b), group);
    grid->addWidget(rental_[b - 1], b, 1);
    if (b > BandSettings::kOverdueBands) continue;
    overdue_[b - 1] = price_field(s.overdue[b - 1], QStringLiteral("overdue%1").arg(b), group);
    grid->addWidget(overdue_[b - 1], b, 2);
  }
  grid->setColumnStretch(3, 1);
  auto* note = new QLabel(
      QStringLiteral("Prices are whole hundredths of the currency. If band 1 rents for 4.00 and band 2 for 2.00, you "
                     "would then enter 400 here in band 1 and 200 in band 2 (do not use the .)\n"
                     "A price must be above 0 and at most 200000. Band 9 is the price of a day return rental."),
      group);
  note->setWordWrap(true);
  grid->addWidget(note, BandSettings::kRentalBands + 1, 0, 1, 4);

  currency_ = new QLineEdit(qs(s.currency_symbol), this);
  currency_->setObjectName(QStringLiteral("currencySymbol"));
  currency_->setMaxLength(BandSettings::kCurrencyLength);
  currency_->setMaximumWidth(60);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Currency symbol"), currency_);

  auto* page = new QVBoxLayout(this);
  page->addWidget(group);
  page->addLayout(form);
  page->addStretch();
}

BandSettings BandsPage::settings() const {
  BandSettings s;
  for (int b = 0; b < BandSettings::kRentalBands; ++b) s.rental[b] = u16(rental_[b]->text());
  for (int b = 0; b < BandSettings::kOverdueBands; ++b) s.overdue[b] = u16(overdue_[b]->text());
  s.currency_symbol = u16(currency_->text());
  return s;
}

}  // namespace kelvo::till
