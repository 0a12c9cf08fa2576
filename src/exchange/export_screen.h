#pragma once
// The two screens of Utilities "Export": "Export" (range, records, format, film type, HTML
// style, Unicode header) and the field boxes "Film database" / "Member database".
// records/shop.h (through export.h) comes before any Qt header: a record count there is named "slots".
#include "exchange/export.h"

#include <array>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kelvo::exchange {

class ExportScreen : public QDialog {
  Q_OBJECT
 public:
  ExportScreen(const ExportChoices& proposal, const std::vector<text::u16>& categories, QWidget* parent = nullptr);
  ExportChoices choices() const;

 private:
  void follow_choices();

  QLineEdit* start_ = nullptr;
  QLineEdit* finish_ = nullptr;
  QRadioButton* films_ = nullptr;
  QRadioButton* members_ = nullptr;
  QRadioButton* text_ = nullptr;
  QRadioButton* html_ = nullptr;
  QRadioButton* xml_ = nullptr;
  QGroupBox* film_type_ = nullptr;
  QRadioButton* all_ = nullptr;
  QRadioButton* by_category_ = nullptr;
  QComboBox* categories_ = nullptr;
  QGroupBox* html_style_ = nullptr;
  QCheckBox* bold_number_ = nullptr;
  QCheckBox* bold_title_ = nullptr;
  std::array<QRadioButton*, 3> sizes_{};
  QCheckBox* unicode_header_ = nullptr;
};

class ExportFieldsScreen : public QDialog {
  Q_OBJECT
 public:
  explicit ExportFieldsScreen(ExportRecords which, QWidget* parent = nullptr);
  FieldChoice fields() const;

 private:
  std::array<QCheckBox*, FieldChoice::kBoxes> boxes_{};
  QCheckBox* entire_ = nullptr;
};

// The screens as the export command meets them.
class QtExportScreens : public ExportScreens {
 public:
  explicit QtExportScreens(QWidget* parent) : parent_(parent) {}
  std::optional<ExportChoices> choose(const ExportChoices& proposal, const std::vector<text::u16>& categories) override;
  std::optional<FieldChoice> fields(ExportRecords which) override;

 private:
  QWidget* parent_;
};

}  // namespace kelvo::exchange
