#pragma once
// What reaches the cash drawer and the pole display, step by step. These run on the till's
// worker thread and touch nothing of the shop: they are handed a setup and report through a
// sink, whose messages the counter shows in its own time.
#include <string>

#include "till/till_settings.h"

namespace kelvo::till {

inline constexpr char16_t kUnableToOpenPort[] = u"Unable to open port";
inline constexpr char16_t kUnableToWritePort[] = u"Unable write to port";
inline constexpr char16_t kUnableToOpenPrinter[] = u"Unable to open printer for till drawer";
// The spooler's name of the drawer's raw job.
inline constexpr char kDrawerDocument[] = "QDRX";

class TillSink {
 public:
  virtual ~TillSink() = default;
  virtual void problem(text::u16view text) = 0;  // a "Problem" message box
};

// The system spooler, for a drawer chained to the receipt printer: one raw job of one page.
class RawSpooler {
 public:
  virtual ~RawSpooler() = default;
  // False when the printer could not be reached or the job not completed. An empty printer
  // name means the system's default printer.
  virtual bool print_raw(const std::string& printer, const std::string& document, const Bytes& bytes) = 0;
};

// Opens the drawer, directly on its port or through the receipt printer; nothing when the
// drawer is not in use.
void open_drawer(const DrawerSetup& drawer, RawSpooler& spooler, TillSink& sink);

// Shows a text on the pole display; nothing when the display is not in use.
void show_on_pole(const PoleSetup& pole, text::u16view text, TillSink& sink);

// The display takes single bytes: ASCII and the Latin-1 letters as themselves, anything else
// (control characters included, which the display would take for commands) as "?".
Bytes display_bytes(text::u16view text);
// The text as it goes to the display: line 1 cut to its columns (0: not cut); what is left goes
// on line 2 after the "Set cursor second line" sequence, cut to that line's columns, when the
// line has columns and the sequence is set; otherwise it is dropped.
Bytes pole_text(const PoleSetup& pole, text::u16view text);
// "Total: %.2f".
text::u16 pole_total_text(float amount);

}  // namespace kelvo::till
