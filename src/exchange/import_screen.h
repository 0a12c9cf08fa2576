#pragma once
// The screens of Utilities "Import" and File "Update items from file": the column mapping
// screens "Film database" / "Member database", the band screen "Film addition or deletion from
// text file", the open-file screen for text files and the progress window.
// records/shop.h (through import.h) comes before any Qt header: a record count there is named "slots".
#include "exchange/import.h"

#include <vector>

#include <QDialog>

#include "platform/qt/qt_progress.h"

class QCheckBox;
class QLineEdit;

namespace kelvo::exchange {

class ColumnMappingScreen : public QDialog {
  Q_OBJECT
 public:
  ColumnMappingScreen(ImportRecords which, const std::vector<int>& proposal, QWidget* parent = nullptr);
  ColumnAnswer answer() const;

 private:
  std::vector<QLineEdit*> columns_;
  QCheckBox* replace_ = nullptr;
  QLineEdit* letter_ = nullptr;
  QLineEdit* value_ = nullptr;
};

class UpdateBandScreen : public QDialog {
  Q_OBJECT
 public:
  explicit UpdateBandScreen(QWidget* parent = nullptr);
  text::u16 band() const;

 private:
  QLineEdit* band_ = nullptr;
};

class QtImportScreens : public ImportScreens {
 public:
  QtImportScreens(QWidget* parent, std::filesystem::path folder)
      : parent_(parent), folder_(std::move(folder)), progress_(parent) {}
  std::optional<std::filesystem::path> choose_file() override;
  std::optional<ColumnAnswer> columns(ImportRecords which, const std::vector<int>& proposal) override;
  std::optional<text::u16> update_band() override;
  platform::Progress& progress() override { return progress_; }

 private:
  QWidget* parent_;
  std::filesystem::path folder_;
  platform::qt::QtProgress progress_;
};

}  // namespace kelvo::exchange
