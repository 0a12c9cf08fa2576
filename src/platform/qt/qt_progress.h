#pragma once
// The progress window of long work: what is being done, a bar, and Cancel. A pass runs from its
// first step to finish(); the window comes up only once the pass has run longer than a moment,
// goes the moment the pass ends, and its Cancel stops the pass. While it is up the windows
// repaint as the work goes on.
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include "platform/progress.h"

namespace kelvo::platform::qt {

class QtProgress : public Progress {
 public:
  // Work done within half a second shows no window at all.
  static constexpr int kShowAfterMs = 500;

  explicit QtProgress(QWidget* parent, int show_after_ms = kShowAfterMs)
      : parent_(parent), show_after_ms_(show_after_ms) {}
  ~QtProgress() override { finish(); }
  QtProgress(const QtProgress&) = delete;
  QtProgress& operator=(const QtProgress&) = delete;
  bool step(text::u16view what, int64_t done, int64_t total) override;
  void finish() override;
  QProgressDialog* dialog() const { return dialog_; }

 private:
  void open(text::u16view what);
  void close();
  QWidget* parent_;
  int show_after_ms_;
  QPointer<QProgressDialog> dialog_;
  QElapsedTimer pass_;          // since the first step of the pass; invalid between passes
  QElapsedTimer since_update_;  // since the window was last brought up to date
  bool cancelled_ = false;
};

}  // namespace kelvo::platform::qt
