#pragma once
// A field of several lines holding at most `limit` characters (letters, forms, mail merge).
// The files keep CR LF; the field shows plain line breaks.
#include <QPlainTextEdit>
#include <QString>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

inline QPlainTextEdit* limited_text_field(int limit, QWidget* parent) {
  auto* field = new QPlainTextEdit(parent);
  field->setLineWrapMode(QPlainTextEdit::NoWrap);
  QObject::connect(field, &QPlainTextEdit::textChanged, field, [field, limit] {
    const QString t = field->toPlainText();
    if (t.size() <= limit) return;
    field->setPlainText(t.left(limit));
    field->moveCursor(QTextCursor::End);
  });
  return field;
}

inline void show_text(QPlainTextEdit* field, text::u16view s) {
  QString t = qs(s);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  field->setPlainText(t);
}

inline text::u16 field_text(const QPlainTextEdit* field) { return u16(field->toPlainText()); }

}  // namespace kelvo::platform::qt
