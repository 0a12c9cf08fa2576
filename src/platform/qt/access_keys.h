#pragma once
// The Alt+letter keys of a screen: every labelled field and button gets a letter of its own
// words, unique among what is on screen together, and the room its underlined letter takes.
#include <QString>

class QWidget;

namespace kelvo::platform::qt {

// A control that takes what a clerk types or picks: a box, a list, a slider.
bool is_field(const QWidget* w);

// The words of a label: no access-key ampersand, no closing colon.
QString words(QString t);

void give_access_keys(QWidget& screen);

}  // namespace kelvo::platform::qt
