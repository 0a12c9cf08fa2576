#pragma once
// A button that ends its dialog with the choice it stands for.
#include <QDialog>
#include <QPushButton>
#include <QString>

namespace kelvo::platform::qt {

template <class Choice>
QPushButton* choice_button(QDialog* dialog, const QString& text, const char* name, Choice& chosen, Choice value) {
  auto* b = new QPushButton(text, dialog);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(true);
  QObject::connect(b, &QPushButton::clicked, dialog, [dialog, &chosen, value] {
    chosen = value;
    dialog->accept();
  });
  return b;
}

}  // namespace kelvo::platform::qt
