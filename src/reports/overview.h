#pragma once
// The day at a glance: the status window (F12), the one-page printed overview and the rental
// analysis windows. Each text is made here; the screens only place them.
#include <array>
#include <vector>

#include "platform/printer.h"
#include "records/shop.h"

namespace kelvo::reports {

// "QUENDRIX STATUS %s ": the lines from top left in reading order, then the two framed groups.
struct StatusTexts {
  text::u16 title;
  std::vector<text::u16> lines;
  std::array<text::u16, 2> arrears;    // Paid, Written off
  std::array<text::u16, 4> late_fees;  // Paid, Left owing, Written off, Total
};
// Runs the counting pass and fills the window's texts. `previous_shutdown` is the switch-off
// time kept at start, before this run stored its own.
StatusTexts status_texts(records::Shop& shop, const text::DateTime& previous_shutdown);

// A line of the printed overview at its line number; `tail` is drawn on the same line after
// the text (the weekly comparison's percentage).
struct OverviewLine {
  int line = 0;
  text::u16 text;
  text::u16 tail;
};
// Runs the counting pass and lays out the page.
std::vector<OverviewLine> overview_lines(records::Shop& shop);
// Draws the lines on a begun printer, each at its line number; a page too short for them all
// continues on the next one where it stopped.
void draw_overview(platform::Printer& printer, const std::vector<OverviewLine>& lines);
// "Print overview": the print dialog, then the page. False when nothing was printed.
bool print_overview(records::Shop& shop, platform::Printer& printer);

// "Format 1 (%s): %d%% (%d rented)" for format 1 or 2.
text::u16 format_line(const records::ConfigBlock& c, int which);

// "Film categories for today" / "... for month": 18 fields "%s %d", categories 1 to 18.
std::array<text::u16, 18> category_fields(const records::ConfigBlock& c, bool month);
// "Rentals by charge band": bands 1 to 9, today and month.
struct BandRow {
  int today = 0, month = 0;
};
std::array<BandRow, 9> band_rows(const records::ConfigBlock& c);

// Begins a document "QUENDRIX" through the print dialog; false (nothing to draw) when the
// operator cancelled it or the printer could not be opened.
bool begin_document(platform::Printer& printer);
// The listing font ("List font size") and indent ("Indent listings") of printed lists.
void use_list_font(platform::Printer& printer, const records::ConfigBlock& c);
int list_indent(const records::ConfigBlock& c);

}  // namespace kelvo::reports
