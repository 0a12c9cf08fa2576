#pragma once
// "Export takings": the period, the file name and the byte-order mark of Takings.csv.
#include <optional>

#include <QDialog>

#include "reports/takings.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace kelvo::reports {

class ExportTakingsScreen : public QDialog {
  Q_OBJECT
 public:
  explicit ExportTakingsScreen(QWidget* parent = nullptr);
  TakingsExport request() const;
  // The dialog; nullopt when cancelled.
  static std::optional<TakingsExport> ask(QWidget* parent);

 private:
  QButtonGroup* period_;
  QLineEdit* file_;
  QCheckBox* header_;
};

}  // namespace kelvo::reports
