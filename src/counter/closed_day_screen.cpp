#include "counter/closed_day_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvo::counter {

ClosedDayScreen::ClosedDayScreen(const records::ConfigBlock& config, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Closed day"));
  setObjectName(QStringLiteral("closedDayScreen"));
  const auto s = ClosedDaySettings::load(config);

  auto* group = new QGroupBox(QStringLiteral("Closed day"), this);
  auto* column = new QVBoxLayout(group);
  const auto& names = ClosedDaySettings::choices();
  for (int d = 0; d < 8; ++d) {
    auto* r = new QRadioButton(QString::fromUtf16(names[d]), group);
    r->setObjectName(QStringLiteral("day%1").arg(d));
    column->addWidget(r);
    days_[d] = r;
  }
  days_[s.closed_day]->setChecked(true);
  two_days_ = new QCheckBox(QStringLiteral("Closed for two days"), this);
  two_days_->setObjectName(QStringLiteral("twoDays"));
  two_days_->setChecked(s.two_days);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* all = new QVBoxLayout(this);
  all->addWidget(group);
  all->addWidget(two_days_);
  all->addWidget(buttons);
}

ClosedDaySettings ClosedDayScreen::settings() const {
  ClosedDaySettings s;
  for (int d = 0; d < 8; ++d)
    if (days_[d]->isChecked()) s.closed_day = d;
  s.two_days = two_days_->isChecked();
  return s;
}

}  // namespace kelvo::counter
