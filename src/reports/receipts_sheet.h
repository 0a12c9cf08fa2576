#pragma once
// What every receipt layout shares: texts placed on numbered lines (a logo above them moves
// them all down), the logo itself, the store lines and the date.
#include <filesystem>

#include "platform/printer.h"
#include "records/config_block.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::reports {

class Sheet {
 public:
  explicit Sheet(platform::Printer& p) : p_(p) {}
  platform::Printer& printer() { return p_; }

  // Lines below the logo, added to every line number.
  void shift_by(int lines) { shift_ = lines; }
  int y(int line) const { return (line + shift_) * p_.char_height(); }

  void left(int line, text::u16view s, int x = 0) { p_.text(x, y(line), s); }
  void centred(int line, text::u16view s) { p_.text_centred(y(line), s); }
  // Right-aligned two units in from the page's right edge.
  void right(int line, text::u16view s) { p_.text(p_.page_width() - 2, y(line), s, platform::Align::Right); }
  // The first line of the lower half of the page, where a second copy starts.
  int half_page_line() const { return p_.page_height() / 2 / p_.char_height() + 1; }

 private:
  platform::Printer& p_;
  int shift_ = 0;
};

// receipt.bmp across the page or its middle half, 10 units from the top; the lines it takes,
// 0 when there is no bitmap to draw.
int draw_logo(platform::Printer& p, const std::filesystem::path& folder, bool full_width);
// The logo of the till receipts, when the "Receipts" settings include it.
void till_logo(Sheet& sheet, const records::Shop& shop);

// Store address lines 1 to 6 centred on lines `first` to `first` + 5.
void centred_store_lines(Sheet& sheet, const records::AddressLines& address, int first);
// "MMM d yyyy" in the shop's locale.
text::u16 receipt_date(const records::Shop& shop, const text::DateTime& when);

}  // namespace kelvo::reports
