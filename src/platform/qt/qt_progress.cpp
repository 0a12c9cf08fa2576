#include "platform/qt/qt_progress.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

namespace {
constexpr int kSteps = 1000;
constexpr int kUpdateMs = 40;  // the window is brought up to date this often, not at every record
}

bool QtProgress::step(text::u16view what, int64_t done, int64_t total) {
  if (cancelled_) return false;
  if (!pass_.isValid()) {
    pass_.start();
    return true;
  }
  if (!dialog_) {
    if (pass_.elapsed() <= show_after_ms_) return true;
    open(what);
  } else if (since_update_.elapsed() < kUpdateMs) {
    return true;
  }
  since_update_.restart();
  if (dialog_->labelText() != qs(what)) dialog_->setLabelText(qs(what));
  const int value = total > 0 ? static_cast<int>(std::clamp<int64_t>(done * kSteps / total, 0, kSteps)) : 0;
  dialog_->setValue(value);
  QCoreApplication::processEvents();
  if (dialog_ && !dialog_->wasCanceled()) return true;
  // Cancel stops the pass; the window does not wait for the caller to go.
  cancelled_ = true;
  close();
  return false;
}

// The window is shown by the pass itself, never by a timer of its own: a timer could bring it up
// after the pass had ended, over whatever came next.
void QtProgress::open(text::u16view what) {
  dialog_ = new QProgressDialog(qs(what), QObject::tr("Cancel"), 0, kSteps, parent_);
  dialog_->setObjectName("progress");
  dialog_->setWindowTitle(QObject::tr("Please wait"));
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->show();
  since_update_.start();
}

void QtProgress::close() {
  // Deleted at once: a deferred delete would wait for the event loop that called it, and the
  // list window that follows runs a loop of its own.
  delete dialog_.data();
  dialog_ = nullptr;
}

void QtProgress::finish() {
  close();
  pass_.invalidate();
  cancelled_ = false;
}

}  // namespace kelvo::platform::qt
