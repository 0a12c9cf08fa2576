#pragma once
// Text in memory is UTF-16, as in the records and in every file the program writes.
#include <optional>
#include <string>
#include <string_view>

namespace kelvo::text {

using u16 = std::u16string;
using u16view = std::u16string_view;

u16 from_utf8(std::string_view s);
std::string to_utf8(u16view s);

// Case folding for searches: ASCII and Latin-1 letters only, as the counter's searches expect.
inline char16_t fold_upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ, but not ÷
  if (c == 0xFF) return 0x178;                                // ÿ -> Ÿ
  return c;
}
u16 to_upper(u16view s);

// Leading and trailing blanks removed.
u16 trimmed(u16view s);

// Decimal parsing in the manner of the C library: leading blanks, optional sign, digits; stops at
// the first other character. Returns 0 when no digit is found.
long long parse_int64(u16view s);
double parse_double(u16view s);
// A whole number and nothing else (blanks around it allowed); nullopt for an empty text, any
// other character, or a value beyond 64 bits. For settings where "abc" must not become 0.
std::optional<long long> parse_whole_number(u16view s);
// A typed whole number within [lo, hi], else nullopt: the setting it was typed for keeps its
// old value.
std::optional<long long> whole_number_in_range(u16view s, long long lo, long long hi);

}  // namespace kelvo::text
