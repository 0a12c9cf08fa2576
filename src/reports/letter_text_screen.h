#pragma once
// "Overdue letter text": the closings of overdue letters 1 and 2, saved to Custfor2.txt and
// Custfor8.txt; "Reset" puts the default texts back in the fields.
#include <QDialog>

#include "records/shop.h"

class QPlainTextEdit;

namespace kelvo::reports {

class LetterTextScreen : public QDialog {
 public:
  LetterTextScreen(records::Shop& shop, QWidget* parent);
  void accept() override;

 private:
  void reset();

  records::Shop& shop_;
  QPlainTextEdit* letter1_;
  QPlainTextEdit* letter2_;
};

}  // namespace kelvo::reports
