#pragma once
// Entry points of sign-on and access, the log screens, the daily summary viewer and backup and
// restore, for the command table of the main window. Each shows its own screens and messages
// and returns when the operation is over.
#include <optional>

// Qt's "slots" keyword macro must not reach the core's field names.
#pragma push_macro("slots")
#undef slots
#include "records/access.h"
#include "records/shop.h"
#pragma pop_macro("slots")

class QWidget;

namespace kelvo::shell {

// "Log off" (F11) and the first screen after the splash: the PIN pad. True when an operator
// signed on; the access state then follows the new operator. A failed sign-on changes nothing.
bool sign_on(records::Shop& shop, records::AccessState& access, QWidget* parent);

// Utilities "Operator setup": refused with "Administrator or manager" for restricted operators.
void operator_setup(records::Shop& shop, records::AccessState access);

// Utilities "Password control" (^P): the screen of access flags; saves wr.cfg on OK.
void password_control(records::Shop& shop, records::AccessState access, QWidget* parent);

// Activity "Display log file" (previous = false) and "Display previous log file" (true).
void show_log(records::Shop& shop, QWidget* parent, bool previous);

// Utilities "Log file capacity": the "Log capacity" list, 100K to 900K.
void choose_log_capacity(records::Shop& shop, QWidget* parent);

// Activity "Purge log files" (the caller has checked the "Purge log files" flag).
void purge_log_files(records::Shop& shop);

// The "Takings adjustment:" prompt, for the takings amendment.
void takings_adjustment(records::Shop& shop);

// Activity "Print log from a specific day": the "Enter day (DD/MM/YYYY):" prompt. The accepted
// answer (dd/mm/yyyy) for the printing, nullopt when cancelled or refused ("Invalid date").
std::optional<text::u16> ask_log_day(records::Shop& shop);

// Activity "Previous overview": asks day, month and year, then shows that day's summary file
// in the "Activity report" window.
void previous_overview(records::Shop& shop, QWidget* parent);

// Options "Backup" (and its toolbar button).
void backup(records::Shop& shop, QWidget* parent);

// Options "Restore". True when data was restored: shop.do_not_save is then set and the caller
// must end the program at once.
bool restore(records::Shop& shop, QWidget* parent);

// Normal shutdown: writes today's daily summary file (lines 6 and 7 from a fresh count).
// Silent on failure; false when no file was written. Does nothing when shop.do_not_save.
bool write_daily_summary(records::Shop& shop);

}  // namespace kelvo::shell
