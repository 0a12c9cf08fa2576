#pragma once
// What the list and print commands need besides message boxes and prompts: the list window,
// the progress window with its Cancel, the printer, and the number range window "ps2". The Qt
// side draws them; tests answer them from a script and print to a recording printer.
#include <optional>

#include "catalogue/catalogue_views.h"
#include "catalogue/member_history.h"
#include "platform/printer.h"
#include "platform/progress.h"
#include "text/utf16.h"

namespace kelvo::catalogue {

// The two boxes of "ps2" as typed.
struct TypedRange {
  text::u16 from;
  text::u16 to;
};

class ListScreens {
 public:
  virtual ~ListScreens() = default;
  virtual CatalogueViews& views() = 0;
  virtual platform::Progress& progress() = 0;
  // The "Transaction" screen that the extended overdue display shows for each member.
  virtual HistoryViews& history() = 0;
  virtual platform::Printer& printer() = 0;
  // "ps2": from and to; nullopt when cancelled.
  virtual std::optional<TypedRange> number_range() = 0;
};

}  // namespace kelvo::catalogue
