#include "reports/letter_texts.h"

#include "records/file_io.h"
#include "text/coding.h"

namespace kelvo::reports {

namespace {

constexpr const char16_t* kLetter1Closing =
    u"Please return at your earliest convenience. Thank you.\r\n"
    u"Yours sincerely,\r\n\r\n\r\n\r\n\r\n\r\n"
    u"---------------------\r\n"
    u"Manager\r\n";

constexpr const char16_t* kLetter2Opening =
    u"If not returned in 48 hours the item(s) must be reported to the police\r\n"
    u"as stolen. We may also start court proceedings to recover our costs.\r\n";

text::u16 dots(int n) { return text::u16(static_cast<size_t>(n), u'.'); }

}  // namespace

text::u16 default_closing(OverdueLetter which) {
  text::u16 s = which == OverdueLetter::Final ? kLetter2Opening : u"";
  return s + kLetter1Closing;
}

text::u16 default_form_text() {
  text::u16 s =
      u"Rules and conditions of membership:\r\n"
      u"1. All members must be aged 18 or over\r\n"
      u"2. The membership is not transferable\r\n"
      u"3. Overdue items will be charged at the applicable daily rate\r\n"
      u"4. If the membership card is lost or stolen you must\r\n"
      u"   report it to us immediately otherwise fraudulent use\r\n"
      u"   will be your responsibility\r\n"
      u"5. Copyright exists in the material in the rental items\r\n"
      u"6. The library reserves the right to alter these conditions\r\n"
      u"\r\n";
  s += u"Name " + dots(57) + u"\r\n";
  s += u"Address" + dots(55) + u"\r\n";
  s += dots(62) + u"\r\n";
  s += dots(62) + u"\r\n";
  s += u"Telephone" + dots(53) + u"\r\n";
  s += u"Signed" + dots(33) + u"Date" + dots(19) + u"\r\n\r\n";
  s += u"Proof of identity" + dots(45) + u"\r\n";
  s += u"Membership number" + dots(17) + u"Accepted by" + dots(17) + u"\r\n";
  return s;
}

// The limit counts characters: a file that its own window wrote must always be read back.
std::optional<text::u16> read_letter_text(const records::Shop& shop, std::string_view file) {
  const auto bytes = records::read_whole(shop.path(file));
  if (!bytes || bytes->empty() || bytes->size() % 2 != 0 || bytes->size() >= 2 * kLetterTextLimit) return std::nullopt;
  return text::from_utf16le(bytes->data(), bytes->size());
}

text::u16 closing_text(const records::Shop& shop, OverdueLetter which) {
  const auto file = which == OverdueLetter::First ? letter_files::kLetter1 : letter_files::kLetter2;
  if (auto s = read_letter_text(shop, file)) return *s;
  return default_closing(which);
}

text::u16 form_text(const records::Shop& shop) {
  if (auto s = read_letter_text(shop, letter_files::kForm)) return *s;
  return default_form_text();
}

text::u16 with_crlf(text::u16view s) {
  text::u16 out;
  out.reserve(s.size() + s.size() / 16);
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r' || s[i] == u'\n') {
      out += u"\r\n";
      if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool save_letter_text(const records::Shop& shop, std::string_view file, text::u16view s) {
  const std::string bytes = text::utf16le_bytes(with_crlf(s));
  if (records::write_file_atomic(shop.path(file), bytes.data(), bytes.size())) return true;
  shop.op().message(u"Fatal error", u"File failure.");
  return false;
}

}  // namespace kelvo::reports
