#include "reports/barcode_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "records/settings_rules.h"

namespace kelvo::reports {

using platform::qt::u16;

namespace {

QRadioButton* radio(const char* text, const QString& name, QWidget* parent, QLayout* layout) {
  auto* b = new QRadioButton(QString::fromLatin1(text), parent);
  b->setObjectName(name);
  layout->addWidget(b);
  return b;
}

}  // namespace

QLineEdit* BarcodeScreen::number_field(const QString& name, long long value) {
  auto* f = new QLineEdit(QString::number(value), this);
  f->setObjectName(name);
  f->setMaxLength(18);
  return f;
}

BarcodeScreen::BarcodeScreen(records::Shop& shop, QWidget* parent)
    : QDialog(parent), shop_(shop), settings_(opening_settings(shop.config)) {
  setObjectName(QStringLiteral("barcode"));
  setWindowTitle(QStringLiteral("Barcode"));
  const LabelSettings& s = settings_;
  auto* grid = new QGridLayout(this);

  auto* range = new QGroupBox(QStringLiteral("Range"), this);
  auto* range_form = new QFormLayout(range);
  start_ = number_field(QStringLiteral("start"), s.start);
  finish_ = number_field(QStringLiteral("finish"), s.finish);
  range_form->addRow(QStringLiteral("Start"), start_);
  range_form->addRow(QStringLiteral("Finish"), finish_);
  auto* source_box = new QVBoxLayout;
  sources_[0] = radio("Films", QStringLiteral("films"), range, source_box);
  sources_[1] = radio("Members", QStringLiteral("members"), range, source_box);
  sources_[2] = radio("All values in the range", QStringLiteral("allValues"), range, source_box);
  sources_[static_cast<int>(s.source)]->setChecked(true);
  range_form->addRow(source_box);
  grid->addWidget(range, 0, 0);

  auto* format = new QGroupBox(QStringLiteral("Format"), this);
  auto* format_box = new QVBoxLayout(format);
  formats_[0] = radio("Video spine", QStringLiteral("videoSpine"), format, format_box);
  formats_[1] = radio("Two column", QStringLiteral("twoColumn"), format, format_box);
  formats_[2] = radio("Three column", QStringLiteral("threeColumn"), format, format_box);
  auto* centre_form = new QFormLayout;
  from_centre_ = number_field(QStringLiteral("fromCentre"), s.from_centre);
  centre_form->addRow(QStringLiteral("From centre (three column)"), from_centre_);
  format_box->addLayout(centre_form);
  grid->addWidget(format, 0, 1);

  auto* type = new QGroupBox(QStringLiteral("Barcode type"), this);
  auto* type_form = new QFormLayout(type);
  auto* type_box = new QVBoxLayout;
  ean_ = radio("EAN (UPC A)", QStringLiteral("ean"), type, type_box);
  code39_ = radio("Code 39", QStringLiteral("code39"), type, type_box);
  type_form->addRow(type_box);
  element_width_ = number_field(QStringLiteral("elementWidth"), s.element_width);
  type_form->addRow(QStringLiteral("Element width"), element_width_);
  grid->addWidget(type, 1, 0);

  auto* position = new QGroupBox(QStringLiteral("Position (hundredths of a millimetre)"), this);
  auto* position_form = new QFormLayout(position);
  origin_x_ = number_field(QStringLiteral("originX"), s.origin_x);
  origin_y_ = number_field(QStringLiteral("originY"), s.origin_y);
  label_height_ = number_field(QStringLiteral("labelHeight"), s.label_height);
  labels_per_sheet_ = number_field(QStringLiteral("labelsPerSheet"), s.labels_per_sheet);
  position_form->addRow(QStringLiteral("Origin X"), origin_x_);
  position_form->addRow(QStringLiteral("Origin Y"), origin_y_);
  position_form->addRow(QStringLiteral("Label height"), label_height_);
  position_form->addRow(QStringLiteral("Labels per sheet"), labels_per_sheet_);
  grid->addWidget(position, 1, 1);

  auto* size = new QGroupBox(QStringLiteral("Text size"), this);
  auto* size_box = new QVBoxLayout(size);
  auto* slider_row = new QHBoxLayout;
  text_size_ = new QSlider(Qt::Horizontal, size);
  text_size_->setObjectName(QStringLiteral("textSize"));
  text_size_->setRange(records::kFewestListLines, records::kMostListLines);
  text_size_->setValue(records::list_font_slider(s.font_lines));
  slider_row->addWidget(new QLabel(QStringLiteral("Large"), size));
  slider_row->addWidget(text_size_);
  slider_row->addWidget(new QLabel(QStringLiteral("Tiny"), size));
  size_box->addLayout(slider_row);
  printer_default_ = new QCheckBox(QStringLiteral("Use the printer default"), size);
  printer_default_->setObjectName(QStringLiteral("printerDefault"));
  printer_default_->setChecked(s.font_lines == 0);
  text_size_->setEnabled(s.font_lines != 0);
  connect(printer_default_, &QCheckBox::toggled, text_size_, [this](bool on) { text_size_->setEnabled(!on); });
  size_box->addWidget(printer_default_);
  grid->addWidget(size, 2, 0);

  retain_ = new QCheckBox(QStringLiteral("Retain settings"), this);
  retain_->setObjectName(QStringLiteral("retain"));
  retain_->setChecked(s.retain);
  grid->addWidget(retain_, 2, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 3, 0, 1, 2);

  // The window's own rules: a format fills its label height and count, a type its element width.
  formats_[static_cast<int>(s.format)]->setChecked(true);
  origin_x_->setEnabled(s.format == LabelFormat::VideoSpine);
  (s.type == BarcodeType::Ean ? ean_ : code39_)->setChecked(true);
  // Follows the ticked choice however it was ticked: mouse, arrow keys or a screen reader.
  for (int i = 0; i < 3; ++i)
    connect(formats_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) show_format(static_cast<LabelFormat>(i));
    });
  connect(ean_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) show_type(BarcodeType::Ean);
  });
  connect(code39_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) show_type(BarcodeType::Code39);
  });
}

void BarcodeScreen::show_format(LabelFormat f) {
  choose_format(settings_, f);
  label_height_->setText(QString::number(settings_.label_height));
  labels_per_sheet_->setText(QString::number(settings_.labels_per_sheet));
  origin_x_->setEnabled(f == LabelFormat::VideoSpine);
}

void BarcodeScreen::show_type(BarcodeType t) {
  choose_type(settings_, t);
  element_width_->setText(QString::number(settings_.element_width));
}

void BarcodeScreen::accept() {
  const LabelFields typed{u16(start_->text()),        u16(finish_->text()),         u16(origin_x_->text()),
                          u16(origin_y_->text()),     u16(label_height_->text()),   u16(labels_per_sheet_->text()),
                          u16(from_centre_->text()),  u16(element_width_->text())};
  LabelSettings s = settings_;
  if (!take_label_fields(typed, s, shop_.op())) return;
  for (int i = 0; i < 3; ++i) {
    if (sources_[i]->isChecked()) s.source = static_cast<LabelSource>(i);
    if (formats_[i]->isChecked()) s.format = static_cast<LabelFormat>(i);
  }
  s.type = ean_->isChecked() ? BarcodeType::Ean : BarcodeType::Code39;
  s.font_lines = records::list_font_value(text_size_->value(), printer_default_->isChecked());
  s.retain = retain_->isChecked();
  settings_ = s;
  store_settings(shop_.config, s);
  shop_.save_config();
  QDialog::accept();
}

}  // namespace kelvo::reports
