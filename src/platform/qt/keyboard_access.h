#pragma once
// Readies every screen for the keyboard and for screen readers as it is shown, in one place
// rather than in each screen: a label beside a field becomes its buddy and names it, and each
// labelled field and button gets an Alt+letter key of its own within the screen. A screen
// only sets a name itself where a label repeats (a member's several lines).
class QWidget;

namespace kelvo::platform::qt {

// Watches the application's windows; the pass runs each time one is shown. Once per process.
void install_keyboard_access();

// The pass for one screen.
void ready_for_keyboard(QWidget& screen);

}  // namespace kelvo::platform::qt
