#include "platform/qt/qt_progress.h"

#include <QCoreApplication>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

namespace {
constexpr int kSteps = 1000;
constexpr int kUpdateMs = 40;  // the window is brought up to date this often, not at every record
}

bool QtProgress::step(text::u16view what, int64_t done, int64_t total) {
  if (cancelled_) return false;
  if (!dialog_) {
    dialog_ = new QProgressDialog(qs(what), QObject::tr("Cancel"), 0, kSteps, parent_);
    dialog_->setObjectName("progress");
    dialog_->setWindowTitle(QObject::tr("Please wait"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(show_after_ms_);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    since_update_.start();
  } else if (since_update_.elapsed() < kUpdateMs) {
    return true;
  }
  since_update_.restart();
  if (dialog_->labelText() != qs(what)) dialog_->setLabelText(qs(what));
  const int value = total > 0 ? static_cast<int>(std::min<int64_t>(kSteps, done * kSteps / total)) : 0;
  dialog_->setValue(value);
  QCoreApplication::processEvents();
  cancelled_ = dialog_->wasCanceled();
  return !cancelled_;
}

void QtProgress::finish() {
  if (dialog_) {
    dialog_->hide();
    dialog_->deleteLater();
    dialog_ = nullptr;
  }
  cancelled_ = false;
}

}  // namespace kelvo::platform::qt
