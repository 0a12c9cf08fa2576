#include "text/email_address.h"

#include <algorithm>

namespace kelvo::text {

namespace {

bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Blanks of every script: a no-break space looks like part of the address on the screen but
// splits it for a server.
bool is_blank(char16_t c) {
  return c == u' ' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool is_control(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool is_forbidden(char16_t c) { return is_blank(c) || is_control(c) || u16view(u"<>(),;\"\\").find(c) != u16view::npos; }

// Every surrogate in its pair, so the UTF-8 form is the text as typed.
bool pairs_whole(u16view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (is_low_surrogate(s[i])) return false;
    if (!is_high_surrogate(s[i])) continue;
    if (i + 1 == s.size() || !is_low_surrogate(s[i + 1])) return false;
    ++i;
  }
  return true;
}

}  // namespace

bool is_ascii(u16view s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c < 0x80; });
}

AddressFault address_fault(u16view address) {
  if (address.empty()) return AddressFault::Empty;
  if (address.find_first_of(u"\r\n") != u16view::npos) return AddressFault::LineBreak;
  if (!pairs_whole(address) || std::any_of(address.begin(), address.end(), is_forbidden))
    return AddressFault::Forbidden;
  const size_t at = address.find(u'@');
  if (at == u16view::npos || at == 0 || at + 1 == address.size() || address.find(u'@', at + 1) != u16view::npos)
    return AddressFault::NotOneAt;
  if (to_utf8(address).size() > kAddressLimit || to_utf8(address.substr(0, at)).size() > kLocalPartLimit)
    return AddressFault::TooLong;
  return AddressFault::None;
}

}  // namespace kelvo::text
