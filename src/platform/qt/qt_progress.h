#pragma once
// The small cancel window shown while a long print runs: how far it got, and "Cancel".
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include "platform/progress.h"

namespace kelvo::platform::qt {

class QtProgress : public Progress {
 public:
  explicit QtProgress(QWidget* parent, const QString& what = QStringLiteral("Printing..."));
  ~QtProgress() override;
  bool step(long long done, long long total) override;

 private:
  QProgressDialog dialog_;
  QElapsedTimer since_update_;
};

}  // namespace kelvo::platform::qt
