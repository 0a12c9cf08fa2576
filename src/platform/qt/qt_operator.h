#pragma once
// The person at the counter, reached through Qt dialogs: message boxes, the one-line prompt
// (with its "Case sensitive" and first-name variants), the "Please select:" list, the warning
// beep and the activity pane.
#include <functional>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/operator.h"

namespace kelvo::platform::qt {

class QtOperator : public QObject, public Operator {
  Q_OBJECT
 public:
  explicit QtOperator(QObject* parent = nullptr);

  // Dialogs are centred on this window once it exists.
  void set_window(QWidget* window) { window_ = window; }
  // Where activity lines go; always called on the GUI thread.
  void set_activity_sink(std::function<void(const QString&)> sink) { sink_ = std::move(sink); }
  // The title of the next prompt only (e.g. "Return"); afterwards "QUENDRIX" again.
  void set_next_prompt_title(const QString& title) { next_title_ = title; }

  Answer message(text::u16view caption, text::u16view body, Buttons buttons = Buttons::Ok) override;
  std::optional<PromptAnswer> prompt(text::u16view question, const PromptOptions& options) override;
  std::optional<int> choose(text::u16view caption, const std::vector<text::u16>& rows, int preselected) override;
  void warn() override;
  // Safe from any thread: a line from a worker thread is queued to the GUI thread.
  void activity(text::u16view line) override;

 private:
  void deliver(const QString& line);

  QPointer<QWidget> window_;
  std::function<void(const QString&)> sink_;
  QString next_title_;
};

}  // namespace kelvo::platform::qt
