#pragma once
// The printed transaction log: today's entries, those from a given day on, the whole log or
// the previous one, page after page with the log's heading and "End output." at the end.
#include <optional>

#include "platform/printer.h"
#include "records/shop.h"

namespace kelvo::reports {

enum class LogPrint { Today, Day, Whole, Previous };

// Where a dated print starts: 16 characters before the end of the first place where the date
// text is read (the time and blank in front of that entry's date); nullopt when it never is.
std::optional<size_t> dated_start(text::u16view log, text::u16view date);

// Draws the log from `from` on a begun printer: from line 2 under the heading, characters
// above code 30 gathered into lines of at most 253, a CR ending a line, control codes dropped.
void draw_log(platform::Printer& printer, const records::Shop& shop, text::u16view log, size_t from);

// The four "Print log ..." commands. `day` is the accepted "dd/mm/yyyy" of a dated print.
// False when nothing was printed (the file cannot be read, no entry of that date, the print
// dialog cancelled).
bool print_log(records::Shop& shop, platform::Printer& printer, LogPrint which, text::u16view day = {});

}  // namespace kelvo::reports
