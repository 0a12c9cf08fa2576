#pragma once
// "Rental credits": whether members earn free rentals, and how many for how many rentals.
#include <QDialog>

#include "counter/offer_settings.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::counter {

class RentalCreditsScreen : public QDialog {
  Q_OBJECT
 public:
  explicit RentalCreditsScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);
  RentalCreditsSettings settings() const;

 private:
  QCheckBox* use_ = nullptr;
  QLineEdit* threshold_ = nullptr;
  QLineEdit* credits_ = nullptr;
  QLineEdit* per_ = nullptr;
};

}  // namespace kelvo::counter
