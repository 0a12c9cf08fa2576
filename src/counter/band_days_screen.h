#pragma once
// "Charge band days": how many days each charge band rents for, and whether that is in force.
#include <array>

#include <QDialog>

#include "counter/offer_settings.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::counter {

class BandDaysScreen : public QDialog {
  Q_OBJECT
 public:
  explicit BandDaysScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);
  BandDaysSettings settings() const;

 private:
  QCheckBox* active_ = nullptr;
  std::array<QLineEdit*, 8> days_{};
};

}  // namespace kelvo::counter
