#pragma once
// "Photo ID card configuration": where the card goes on the page, which picture it shows and
// what stands under it.
#include <QDialog>

#include "records/shop.h"

class QButtonGroup;
class QLineEdit;

namespace kelvo::reports {

class PhotoIdScreen : public QDialog {
 public:
  PhotoIdScreen(records::Shop& shop, QWidget* parent);
  void accept() override;

 private:
  records::Shop& shop_;
  QLineEdit* origin_x_;
  QLineEdit* origin_y_;
  QButtonGroup* picture_;
  QButtonGroup* element_;
  QLineEdit* text_;
};

}  // namespace kelvo::reports
