#include "counter/special_offers_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::counter {

using platform::qt::qs;
using platform::qt::u16;

namespace {

// A read-only box looks read-only, so the shop sees the band's days are in charge.
void lock_days(QLineEdit* days, bool locked) {
  days->setReadOnly(locked);
  days->setEnabled(!locked);
}

}  // namespace

SpecialOffersScreen::SpecialOffersScreen(const records::ConfigBlock& config, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Special offers"));
  setObjectName(QStringLiteral("specialOffersScreen"));
  const auto s = SpecialOffersSettings::load(config);

  auto* grid = new QGridLayout;
  for (int k = 1; k <= 4; ++k) {
    const auto& offer = s.offers[k - 1];
    auto* group = new QGroupBox(qs(SpecialOffersSettings::group_title(k)), this);
    group->setObjectName(QStringLiteral("offer%1").arg(k));
    auto* form = new QFormLayout(group);

    auto* total = new QLineEdit(qs(offer.total), group);
    total->setObjectName(QStringLiteral("total%1").arg(k));
    total->setMaxLength(5);
    auto* days = new QLineEdit(qs(offer.days), group);
    days->setObjectName(QStringLiteral("days%1").arg(k));
    days->setMaxLength(2);
    auto* band = new QCheckBox(QStringLiteral("Use charge band days"), group);
    band->setObjectName(QStringLiteral("bandDays%1").arg(k));
    band->setChecked(offer.use_band_days);
    lock_days(days, offer.use_band_days);
    connect(band, &QCheckBox::toggled, days, [days](bool on) { lock_days(days, on); });

    form->addRow(QStringLiteral("Total (pence):"), total);
    form->addRow(QStringLiteral("Days:"), days);
    form->addRow(band);
    totals_[k - 1] = total;
    days_[k - 1] = days;
    band_days_[k - 1] = band;
    grid->addWidget(group, (k - 1) / 2, (k - 1) % 2);
  }
  // Tab through one offer before the next.
  for (int k = 0; k < 4; ++k) {
    setTabOrder(totals_[k], days_[k]);
    setTabOrder(days_[k], band_days_[k]);
    if (k < 3) setTabOrder(band_days_[k], totals_[k + 1]);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* all = new QVBoxLayout(this);
  all->addLayout(grid);
  all->addWidget(buttons);
}

SpecialOffersSettings SpecialOffersScreen::settings() const {
  SpecialOffersSettings s;
  for (int k = 0; k < 4; ++k)
    s.offers[k] = {u16(totals_[k]->text()), u16(days_[k]->text()), band_days_[k]->isChecked()};
  return s;
}

}  // namespace kelvo::counter
