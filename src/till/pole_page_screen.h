#pragma once
// The "Pole configuration" page of the Configuration window: the customer display, and
// "Preview", which shows the passive text with the values as they are typed.
#include <array>
#include <functional>

#include <QWidget>

#include "till/till_settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kelvo::till {

class PolePage : public QWidget {
  Q_OBJECT
 public:
  using Preview = std::function<void(const PoleSetup&)>;
  PolePage(records::ConfigBlock& config, Preview preview, QWidget* parent = nullptr);
  PoleSettings settings() const;
  void apply() { settings().store(config_); }
  // The display's setup as the page now stands, the stored block left as it is.
  PoleSetup typed_setup() const;

 private:
  records::ConfigBlock& config_;
  Preview preview_;
  QCheckBox* use_ = nullptr;
  QComboBox* port_ = nullptr;
  QLineEdit *columns1_ = nullptr, *columns2_ = nullptr;
  std::array<QLineEdit*, kPoleTextCount> texts_{};
};

}  // namespace kelvo::till
