#pragma once
// The one-line fields of the screens: what the operator types, and what a screen only shows.
#include <QLineEdit>
#include <QString>

namespace kelvo::platform::qt {

// A field the operator fills in, holding at most `max_length` characters.
inline QLineEdit* typed_field(QWidget* parent, const QString& name, const QString& value, int max_length) {
  auto* e = new QLineEdit(value, parent);
  e->setObjectName(name);
  e->setMaxLength(max_length);
  return e;
}

// A fact or figure a screen shows and the operator cannot change: read-only and out of the tab
// order, so the keyboard goes straight from one typed field to the next. Money stands right.
enum class Shown { Text, Money };
inline QLineEdit* shown_field(QWidget* parent, const QString& name, const QString& value = {},
                              Shown kind = Shown::Text) {
  auto* e = new QLineEdit(value, parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  if (kind == Shown::Money) e->setAlignment(Qt::AlignRight);
  e->setCursorPosition(0);
  return e;
}

}  // namespace kelvo::platform::qt
