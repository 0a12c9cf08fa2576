#pragma once
// The printed page of every list: on line 0 at the indent the store name, the list's heading
// and the date ("MMMM d yyyy"), then "  Page: %d"; the lines from line 2, in the list font;
// "End output." one line below the last. The operator can cancel from the progress window,
// which abandons the document.
#include <functional>

#include "catalogue/list_screens.h"
#include "platform/page_writer.h"
#include "records/shop.h"

namespace kelvo::catalogue {

// Writes the lines of the next record; false when there are no more (or the walk stopped).
using PrintStep = std::function<bool(platform::PageWriter&)>;

enum class PrintOutcome { Printed, NotStarted, Cancelled, Failed };

// Opens the document "QUENDRIX" (the print dialog may be cancelled: nothing is printed and
// nothing said), prints the records and ends the document. `stopped` tells a walk that ended
// by the operator's Cancel (or a file that failed) from one that reached its end.
PrintOutcome print_list(records::Shop& shop, ListScreens& screens, text::u16view heading_text, PrintStep step,
                        const std::function<bool()>& stopped);

// The same with the whole first part of the heading given, the text before "  Page: %d" (the
// charge band list names its band there).
PrintOutcome print_list_headed(records::Shop& shop, ListScreens& screens, text::u16 heading_start, PrintStep step,
                               const std::function<bool()>& stopped);

// "%s " (store name) and the heading text and the date: the usual start of a page heading.
text::u16 heading_start(records::Shop& shop, text::u16view heading_text);

}  // namespace kelvo::catalogue
