#pragma once
// OK and Cancel under a dialog, named "ok" and "cancel" so that scripts and tests find them.
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace kelvo::platform::qt {

inline QDialogButtonBox* ok_cancel_buttons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace kelvo::platform::qt
