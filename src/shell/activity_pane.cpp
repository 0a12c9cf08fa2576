#include "shell/activity_pane.h"

#include <QScrollBar>

namespace kelvo::shell {

ActivityPane::ActivityPane(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("activity_pane");
  setReadOnly(true);
  // Keys belong to the main window (Ctrl+C is "Configuration" there, not "copy").
  setFocusPolicy(Qt::NoFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFrameShape(QFrame::NoFrame);
}

void ActivityPane::append_line(const QString& line) {
  QString shown = line;
  // One entry is one line of the pane, whatever the text carries.
  shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
  shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
  shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
  lines_.append(shown.left(kMaxChars));
  while (lines_.size() > kMaxLines) lines_.removeFirst();
  setPlainText(lines_.join(QLatin1Char('\n')));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace kelvo::shell
