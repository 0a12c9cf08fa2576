#pragma once
// A fact or figure a screen shows and the operator cannot change: read-only and out of the tab
// order, so the keyboard goes straight from one typed field to the next. Money stands right.
#include <QLineEdit>
#include <QString>

namespace kelvo::platform::qt {

enum class Shown { Text, Money };

inline QLineEdit* shown_field(QWidget* parent, const char* name, const QString& value = {},
                              Shown kind = Shown::Text) {
  auto* e = new QLineEdit(value, parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  if (kind == Shown::Money) e->setAlignment(Qt::AlignRight);
  e->setCursorPosition(0);
  return e;
}

}  // namespace kelvo::platform::qt
