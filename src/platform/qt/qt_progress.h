#pragma once
// The progress window of long work: what is being done, a bar, and Cancel. It appears only when
// the work lasts longer than a moment, and lets the window repaint while the work goes on.
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include "platform/progress.h"

namespace kelvo::platform::qt {

class QtProgress : public Progress {
 public:
  explicit QtProgress(QWidget* parent, int show_after_ms = 400) : parent_(parent), show_after_ms_(show_after_ms) {}
  ~QtProgress() override { finish(); }
  bool step(text::u16view what, int64_t done, int64_t total) override;
  void finish() override;
  QProgressDialog* dialog() const { return dialog_; }

 private:
  QWidget* parent_;
  int show_after_ms_;
  QPointer<QProgressDialog> dialog_;
  QElapsedTimer since_update_;
  bool cancelled_ = false;
};

}  // namespace kelvo::platform::qt
