#include "platform/qt/qt_progress.h"

#include <QCoreApplication>

namespace kelvo::platform::qt {

namespace {
// Events are let through a few times a second: often enough for "Cancel" to be felt at once,
// rarely enough that thousands of labels are not slowed by repainting.
constexpr int kUpdateMs = 100;
}  // namespace

QtProgress::QtProgress(QWidget* parent, const QString& what)
    : dialog_(what, QStringLiteral("Cancel"), 0, 0, parent) {
  dialog_.setObjectName(QStringLiteral("printCancel"));
  dialog_.setWindowTitle(QStringLiteral("QUENDRIX"));
  dialog_.setWindowModality(Qt::WindowModal);
  dialog_.setMinimumDuration(500);
  dialog_.setAutoReset(false);
  dialog_.setAutoClose(false);
  since_update_.start();
}

QtProgress::~QtProgress() { dialog_.close(); }

bool QtProgress::step(long long done, long long total) {
  if (since_update_.elapsed() >= kUpdateMs || done == 0) {
    since_update_.restart();
    // The bar counts in thousandths so that totals beyond an int still move it.
    dialog_.setMaximum(total > 0 ? 1000 : 0);
    dialog_.setValue(total > 0 ? static_cast<int>(1000 * done / total) : 0);
    QCoreApplication::processEvents();
  }
  return !dialog_.wasCanceled();
}

}  // namespace kelvo::platform::qt
