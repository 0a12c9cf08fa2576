#include "counter/rental_credits_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::counter {

using platform::qt::qs;
using platform::qt::u16;

RentalCreditsScreen::RentalCreditsScreen(const records::ConfigBlock& config, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Rental credits"));
  setObjectName(QStringLiteral("rentalCreditsScreen"));
  const auto s = RentalCreditsSettings::load(config);

  use_ = new QCheckBox(QStringLiteral("Use"), this);
  use_->setObjectName(QStringLiteral("use"));
  use_->setChecked(s.use);
  auto field = [this](const text::u16& value, const char* name) {
    auto* e = new QLineEdit(qs(value), this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(5);
    return e;
  };
  threshold_ = field(s.threshold, "threshold");
  credits_ = field(s.credits, "credits");
  per_ = field(s.per_rentals, "perRentals");

  auto* form = new QFormLayout;
  form->addRow(use_);
  form->addRow(QStringLiteral("Threshold:"), threshold_);
  form->addRow(QStringLiteral("Credits to put:"), credits_);
  form->addRow(QStringLiteral("Per number of rentals:"), per_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(buttons);
}

RentalCreditsSettings RentalCreditsScreen::settings() const {
  RentalCreditsSettings s;
  s.use = use_->isChecked();
  s.threshold = u16(threshold_->text());
  s.credits = u16(credits_->text());
  s.per_rentals = u16(per_->text());
  return s;
}

}  // namespace kelvo::counter
