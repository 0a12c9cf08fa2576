#pragma once
// "Did you know ...": one tip per start in rotation, with a "Next tip" button and the choice of
// showing tips at start.
#include <QDialog>

#include "records/config_block.h"

class QCheckBox;
class QLabel;

namespace kelvo::shell {

class TipOfDayDialog : public QDialog {
  Q_OBJECT
 public:
  // Takes the tip due now from the block and moves the stored index on.
  TipOfDayDialog(records::ConfigBlock& config, QWidget* parent = nullptr);
  int shown_tip() const { return index_; }
  void next_tip();
  void accept() override;

 private:
  records::ConfigBlock* config_;
  int index_;
  QLabel* text_;
  QCheckBox* show_at_start_;
};

}  // namespace kelvo::shell
