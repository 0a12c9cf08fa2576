#pragma once
// The bold line naming the member or item a read-only screen is about.
#include <QFont>
#include <QLabel>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

inline QLabel* heading_label(text::u16view text, QWidget* parent) {
  auto* heading = new QLabel(qs(text), parent);
  heading->setObjectName("heading");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  return heading;
}

}  // namespace kelvo::platform::qt
