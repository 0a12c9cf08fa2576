#pragma once
// "Custom receipt": on which line each element of the custom till receipt is printed, the
// blank lines that feed the paper after it, and whether the logo heads it.
#include <array>

#include <QDialog>

#include "records/config_block.h"
#include "records/config_layout.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::reports {

class CustomReceiptScreen : public QDialog {
 public:
  CustomReceiptScreen(records::ConfigBlock& config, QWidget* parent);
  // Stores the layout into the block; the caller writes wr.cfg.
  void accept() override;

 private:
  records::ConfigBlock& config_;
  std::array<QLineEdit*, records::cfg::kCustomReceiptElements> lines_{};
  QLineEdit* blank_lines_ = nullptr;
  QCheckBox* logo_ = nullptr;
};

}  // namespace kelvo::reports
