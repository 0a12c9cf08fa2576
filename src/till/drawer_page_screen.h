#pragma once
// The "Till configuration" page of the Configuration window: how the cash drawer is opened.
#include <QWidget>

#include "till/till_settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kelvo::till {

class DrawerPage : public QWidget {
  Q_OBJECT
 public:
  explicit DrawerPage(records::ConfigBlock& config, QWidget* parent = nullptr);
  DrawerSettings settings() const;
  void apply() { settings().store(config_); }

 private:
  records::ConfigBlock& config_;
  QCheckBox* use_ = nullptr;
  QRadioButton *direct_ = nullptr, *printer_ = nullptr;
  QComboBox* port_ = nullptr;
  QLineEdit *character_ = nullptr, *repeat_ = nullptr, *sequence_ = nullptr;
};

}  // namespace kelvo::till
