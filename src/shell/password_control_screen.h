#pragma once
// "PASSWORD CONTROL": which functions only the administrator and the manager may use.
#include <array>

// Qt's "slots" keyword macro must not reach the core's field names.
#pragma push_macro("slots")
#undef slots
#include "records/access.h"
#pragma pop_macro("slots")

#include <QDialog>

class QCheckBox;

namespace kelvo::shell {

class PasswordControlScreen : public QDialog {
  Q_OBJECT
 public:
  explicit PasswordControlScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);
  // The boxes as ticked, written into the block with each flag's own polarity.
  void store(records::ConfigBlock& config) const;
  QCheckBox* box(records::Flag f) const { return boxes_[static_cast<size_t>(f)]; }

 private:
  std::array<QCheckBox*, records::kFlagCount> boxes_{};
};

}  // namespace kelvo::shell
