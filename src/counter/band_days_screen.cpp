#include "counter/band_days_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::counter {

using platform::qt::qs;
using platform::qt::u16;

BandDaysScreen::BandDaysScreen(const records::ConfigBlock& config, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Charge band days"));
  setObjectName(QStringLiteral("bandDaysScreen"));
  const auto s = BandDaysSettings::load(config);

  auto* group = new QGroupBox(QStringLiteral("Days (1 to 28)"), this);
  auto* form = new QFormLayout(group);
  for (int b = 1; b <= 8; ++b) {
    auto* days = new QLineEdit(qs(s.days[b - 1]), group);
    days->setObjectName(QStringLiteral("band%1").arg(b));
    days->setMaxLength(2);
    form->addRow(QStringLiteral("Charge band %1:").arg(b), days);
    days_[b - 1] = days;
  }
  active_ = new QCheckBox(QStringLiteral("Active"), this);
  active_->setObjectName(QStringLiteral("active"));
  active_->setChecked(s.active);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* all = new QVBoxLayout(this);
  all->addWidget(group);
  all->addWidget(active_);
  all->addWidget(buttons);
}

BandDaysSettings BandDaysScreen::settings() const {
  BandDaysSettings s;
  s.active = active_->isChecked();
  for (int b = 0; b < 8; ++b) s.days[b] = u16(days_[b]->text());
  return s;
}

}  // namespace kelvo::counter
