#pragma once
// "ps2": the number range of a print, "From" and "To".
#include <QDialog>

#include "catalogue/list_screens.h"

class QLineEdit;

namespace kelvo::reports {

class NumberRangeScreen : public QDialog {
  Q_OBJECT
 public:
  explicit NumberRangeScreen(QWidget* parent = nullptr);
  std::optional<catalogue::TypedRange> run();

 private:
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
};

}  // namespace kelvo::reports
