#pragma once
// Every letter, form and label run is one document "QUENDRIX" through the system print dialog.
#include "platform/operator.h"
#include "platform/printer.h"

namespace kelvo::reports {

// True when pages may be drawn. A cancelled dialog prints nothing and says nothing; a printer
// that cannot be had gives "Unable to get printer" (caption "Problem").
bool begin_document(platform::Printer& p, platform::Operator& op);
// Hands the document over; a spooler or file that refused it is said, not passed over.
bool end_document(platform::Printer& p, platform::Operator& op);

}  // namespace kelvo::reports
