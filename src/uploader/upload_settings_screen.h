#pragma once
// "kelvoweb configuration" (server, login, upload name, interval, local file only) and
// "Selection" (which fields each published item holds).
#include <array>

#include <QDialog>

#include "uploader/upload_session.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kelvo::uploader {

class UploadConfigScreen : public QDialog {
  Q_OBJECT
 public:
  explicit UploadConfigScreen(UploadConfig& config, QWidget* parent = nullptr);
  ConfigChoice choice() const;

 private:
  QLineEdit* server_;
  QLineEdit* user_;
  QLineEdit* password_;
  QLineEdit* upload_name_;
  QComboBox* interval_;
  QCheckBox* local_only_;
};

class FieldSelectionScreen : public QDialog {
  Q_OBJECT
 public:
  explicit FieldSelectionScreen(const exchange::FilmXmlFields& fields, QWidget* parent = nullptr);
  exchange::FilmXmlFields fields() const;

 private:
  std::array<QCheckBox*, exchange::kFilmXmlOptionalFields> boxes_{};
};

}  // namespace kelvo::uploader
