#include "platform/qt/qt_operator.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "platform/qt/prompt_dialog.h"
#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

QtOperator::QtOperator(QObject* parent) : QObject(parent) {}

Answer QtOperator::message(text::u16view caption, text::u16view body, Buttons buttons) {
  QString title = qs(caption);
  QMessageBox box(window_);
  box.setWindowTitle(title);
  box.setText(qs(body));
  // Refusals and faults look different from plain confirmations.
  if (title == "Problem" || title == "Restricted access" || title == "Permission problem") box.setIcon(QMessageBox::Warning);
  else if (title == "Fatal error") box.setIcon(QMessageBox::Critical);
  else box.setIcon(QMessageBox::Information);
  switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  int r = box.exec();
  switch (r) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
}

std::optional<PromptAnswer> QtOperator::prompt(text::u16view question, const PromptOptions& options) {
  PromptDialog dialog(qs(question), options, window_);
  dialog.setWindowTitle(next_title_.isEmpty() ? QStringLiteral("QUENDRIX") : next_title_);
  next_title_.clear();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.answer();
}

std::optional<int> QtOperator::choose(text::u16view caption, const std::vector<text::u16>& rows, int preselected) {
  QStringList list;
  for (const auto& row : rows) list << qs(row);
  ChoiceDialog dialog(qs(caption), list, preselected, window_);
  if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
  return dialog.chosen();
}

void QtOperator::warn() { QApplication::beep(); }

void QtOperator::activity(text::u16view line) {
  QString copy = qs(line);
  if (QThread::currentThread() == thread()) {
    deliver(copy);
    return;
  }
  QMetaObject::invokeMethod(this, [this, copy] { deliver(copy); }, Qt::QueuedConnection);
}

void QtOperator::deliver(const QString& line) {
  if (sink_) sink_(line);
}

}  // namespace kelvo::platform::qt
