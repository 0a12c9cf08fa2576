#pragma once
// The page of a letter or form, written line by line: line n lies at y = n x character height.
// Every letter and form opens with the same letter head: letter.bmp at a quarter of the width
// beside store address lines 1 to 6, or those lines centred when there is no bitmap.
#include <filesystem>

#include "platform/printer.h"
#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::reports {

// A file of the shop folder found without regard to case (letter.bmp, LETTER.BMP); the name
// as given when none matches.
std::filesystem::path find_any_case(const std::filesystem::path& folder, std::string_view name);

class LetterPage {
 public:
  explicit LetterPage(platform::Printer& p) : p_(p) {}

  platform::Printer& printer() { return p_; }
  int line() const { return line_; }
  int y() const { return line_ * p_.char_height(); }
  // Moves down `n` lines ("n lines further").
  void down(int n = 1) { line_ += n; }
  void at_line(int n) { line_ = n; }

  // Texts on the current line; the line does not move.
  void left(text::u16view s, int x = 0);
  void centred(text::u16view s);
  void right(text::u16view s);
  // A text on the current line, then the next line; a line past the bottom of the page
  // starts a new page.
  void line(text::u16view s, int x = 0);

  // The text from the left margin: CR starts a new line, LF is skipped, and a line that would
  // run past the page width breaks at its last blank (a blank-less word breaks where it must).
  // Lines that reach the bottom of the page carry on at the top of a new one.
  void flow(text::u16view s);

  // Starts a new page at its top line.
  void new_page();

 private:
  bool fits_below() const;

  platform::Printer& p_;
  int line_ = 0;
};

// The letter head on a fresh page; leaves the page at line 7, the last line of the head.
void letter_head(LetterPage& page, const records::AddressLines& address, const std::filesystem::path& folder);

}  // namespace kelvo::reports
