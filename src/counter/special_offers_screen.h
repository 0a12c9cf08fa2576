#pragma once
// "Special offers": total, days and "Use charge band days" of the four offers on keys 7 to 0.
#include <array>

#include <QDialog>

#include "counter/offer_settings.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::counter {

class SpecialOffersScreen : public QDialog {
  Q_OBJECT
 public:
  explicit SpecialOffersScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);
  // The values as typed; storing them leaves out-of-range ones as they were.
  SpecialOffersSettings settings() const;

 private:
  std::array<QLineEdit*, 4> totals_{};
  std::array<QLineEdit*, 4> days_{};
  std::array<QCheckBox*, 4> band_days_{};
};

}  // namespace kelvo::counter
