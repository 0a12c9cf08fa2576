#pragma once
// "QUENDRIX STATUS": the day's counts, takings and weekly comparison, arrears and late fees.
#include <QDialog>

#include "reports/overview.h"

namespace kelvo::reports {

class StatusScreen : public QDialog {
  Q_OBJECT
 public:
  explicit StatusScreen(const StatusTexts& texts, QWidget* parent = nullptr);
};

}  // namespace kelvo::reports
