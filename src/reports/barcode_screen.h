#pragma once
// The "Barcode" window of "Print barcodes": range and source, label format, barcode type,
// position, text size and "Retain settings". OK checks the numbers and stores the settings.
#include <QDialog>

#include "records/shop.h"
#include "reports/barcode_labels.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace kelvo::reports {

class BarcodeScreen : public QDialog {
 public:
  BarcodeScreen(records::Shop& shop, QWidget* parent);
  const LabelSettings& settings() const { return settings_; }
  void accept() override;

 private:
  QLineEdit* number_field(const QString& name, long long value);
  void show_format(LabelFormat f);
  void show_type(BarcodeType t);

  records::Shop& shop_;
  LabelSettings settings_;
  QLineEdit *start_, *finish_, *origin_x_, *origin_y_, *label_height_, *labels_per_sheet_, *from_centre_,
      *element_width_;
  QRadioButton* sources_[3];
  QRadioButton* formats_[3];
  QRadioButton *ean_, *code39_;
  QSlider* text_size_;
  QCheckBox* printer_default_;
  QCheckBox* retain_;
};

}  // namespace kelvo::reports
