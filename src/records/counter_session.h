#pragma once
// The beginning and end of one run of the counter: the data opened, the run announced in the
// log and in the activity pane, and at the end everything written back once.
#include <vector>

#include "records/shop.h"
#include "text/calendar.h"
#include "text/utf16.h"

namespace kelvo::records {

// First run creates the data files; then the data is opened and checked. On any failure the
// run is marked not to be saved and false is returned (the messages are already shown).
bool open_counter_data(Shop& shop);

// After the data opened: wr.cfg written, the last-shutdown time moved to now, "Switched on."
// logged, resn.dat made when missing and the currency symbol taken at the first start.
// Returns the time of the previous shutdown, which the overview shows.
text::DateTime announce_start(Shop& shop);

// Colour depth of the screen in bits, for "Display mode: ...".
text::u16 display_mode_line(int depth_bits);

// The lines the activity pane shows at start, each followed by a line of two blanks. Runs the
// counting pass first.
std::vector<text::u16> session_lines(Shop& shop, int depth_bits);

// "\r\n%c%c:%c%c %s  Switched off.\r\nOperator: %I64d, %s\r\n".
text::u16 switched_off_entry(const Shop& shop, const text::DateTime& now);

// The writes at a normal end: last-shutdown time, wr.cfg, ADDRESS.RK, "Switched off.". Nothing
// at all when the run is marked not to be saved. Failures are reported and the rest goes on.
// Returns false when the run was not to be saved (the daily summary is then skipped too).
bool close_session(Shop& shop);

}  // namespace kelvo::records
