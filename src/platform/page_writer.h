#pragma once
// Lines of a printed page, one per character height of the printer font, with a heading on
// every page, page breaks, the listing indent, centred lines and the closing "End output.".
// Every print lays out its lines through it: the lists and reports, and the letters and forms,
// which place parts of a line themselves.
//
// The printer must be begun before and is ended by the caller after finish().
#include <functional>

#include "platform/printer.h"
#include "text/utf16.h"

namespace kelvo::platform {

// y of line n on a page: the top of its character cell.
inline int line_y(const Printer& p, int line) { return line * p.char_height(); }

class PageWriter {
 public:
  struct Options {
    // Characters of indent for left-aligned lines and the heading (the "Indent listings" value).
    int indent = 0;
    // The heading on line 0 of every page, given the page number from 1; the body then starts
    // on line 2. Empty: no heading, the body starts on line 0.
    std::function<text::u16(int page)> heading;
    // Units kept free below every line when checking that it fits: a list's page ends a little
    // before the bottom edge; a letter or form uses the page down to it.
    int line_gap = 2;
  };

  PageWriter(Printer& printer, Options options);

  // The next line, left at the indent (or at x units from the left edge) or centred; a full
  // page is closed first.
  void line(text::u16view s);
  void line_at(int x, text::u16view s);
  void centred(text::u16view s);
  // Texts on next_line() that leave it where it is, for a line of several parts (a date at the
  // right edge beside an address). No page break: the caller has placed the line.
  void put(int x, text::u16view s, Align align = Align::Left);
  void put_centred(text::u16view s);
  // Empty lines; those that would fall past the bottom of a page are dropped.
  void skip(int lines = 1);
  // Moves to a new page unless the next `lines` lines fit on this one (blocks kept whole).
  void keep_together(int lines);
  void page_break();
  // "End output." one line below the next free line.
  void finish();

  // Moves to a line of the current page, above or below the next one.
  void move_to(int line) { line_ = line; }

  Printer& printer() const { return printer_; }
  int page() const { return page_; }
  int next_line() const { return line_; }
  // True when a line printed now at next_line() would not fit.
  bool page_full() const { return !fits(line_); }

 private:
  bool fits(int line) const;
  int first_body_line() const { return options_.heading ? 2 : 0; }
  void start_page();
  // Breaks the page when the next line does not fit; never on a page's first body line, so a
  // font taller than the page cannot make pages without end.
  void make_room();

  Printer& printer_;
  Options options_;
  int page_ = 0;
  int line_ = 0;
};

}  // namespace kelvo::platform
