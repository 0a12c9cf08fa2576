#pragma once
// The page of a letter or form, laid out by the page writer of every print: line n lies at
// y = n x character height.
// Every letter and form opens with the same letter head: letter.bmp at a quarter of the width
// beside store address lines 1 to 6, or those lines centred when there is no bitmap.
#include <filesystem>

#include "platform/page_writer.h"
#include "platform/printer.h"
#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::reports {

// A file of the shop folder found without regard to case (letter.bmp, LETTER.BMP); the name
// as given when none matches.
std::filesystem::path find_any_case(const std::filesystem::path& folder, std::string_view name);

// The lines of a letter run down to the bottom edge of the page, without a heading.
class LetterPage {
 public:
  explicit LetterPage(platform::Printer& p) : page_(p, {.indent = 0, .heading = {}, .line_gap = 0}) {}

  platform::Printer& printer() { return page_.printer(); }
  int line() const { return page_.next_line(); }
  int y() const { return platform::line_y(page_.printer(), line()); }
  // Moves down `n` lines ("n lines further").
  void down(int n = 1) { page_.skip(n); }
  void at_line(int n) { page_.move_to(n); }

  // Texts on the current line; the line does not move.
  void left(text::u16view s, int x = 0) { page_.put(x, s); }
  void centred(text::u16view s) { page_.put_centred(s); }
  void right(text::u16view s) { page_.put(page_.printer().page_width(), s, platform::Align::Right); }
  // A text on the current line, then the next line; a line past the bottom of the page
  // starts a new page.
  void line(text::u16view s, int x = 0) { page_.line_at(x, s); }

  // The text from the left margin: CR starts a new line, LF is skipped, and a line that would
  // run past the page width breaks at its last blank (a blank-less word breaks where it must).
  // Lines that reach the bottom of the page carry on at the top of a new one.
  void flow(text::u16view s);

  // Starts a new page at its top line.
  void new_page() { page_.page_break(); }

 private:
  platform::PageWriter page_;
};

// The letter head on a fresh page; leaves the page at line 7, the last line of the head.
void letter_head(LetterPage& page, const records::AddressLines& address, const std::filesystem::path& folder);

}  // namespace kelvo::reports
