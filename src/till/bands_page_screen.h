#pragma once
// The "Bands" page of the Configuration window: the rental price of bands 1 to 9, the overdue
// price of bands 1 to 8, and the currency symbol of the receipts.
#include <array>

#include <QWidget>

#include "till/configuration_settings.h"

class QLineEdit;

namespace kelvo::till {

class BandsPage : public QWidget {
  Q_OBJECT
 public:
  explicit BandsPage(records::ConfigBlock& config, QWidget* parent = nullptr);
  BandSettings settings() const;
  void apply() { settings().store(config_); }

 private:
  records::ConfigBlock& config_;
  std::array<QLineEdit*, BandSettings::kRentalBands> rental_{};
  std::array<QLineEdit*, BandSettings::kOverdueBands> overdue_{};
  QLineEdit* currency_ = nullptr;
};

}  // namespace kelvo::till
