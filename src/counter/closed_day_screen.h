#pragma once
// "Closed day": the weekday the shop is shut, which due dates step over.
#include <array>

#include <QDialog>

#include "counter/offer_settings.h"

class QCheckBox;
class QRadioButton;

namespace kelvo::counter {

class ClosedDayScreen : public QDialog {
  Q_OBJECT
 public:
  explicit ClosedDayScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);
  ClosedDaySettings settings() const;

 private:
  std::array<QRadioButton*, 8> days_{};
  QCheckBox* two_days_ = nullptr;
};

}  // namespace kelvo::counter
