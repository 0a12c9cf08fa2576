#include "catalogue/search_text.h"

namespace kelvo::catalogue {

namespace {
char16_t fold_ascii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c; }
}  // namespace

SearchText make_search(text::u16view typed, bool case_sensitive, size_t limit) {
  SearchText s{text::u16(typed.substr(0, limit)), case_sensitive};
  if (s.text.size() == 1) s.text.push_back(u'?');
  return s;
}

bool chars_match(char16_t wanted, char16_t have, bool case_sensitive) {
  if (wanted == u'?') return true;
  if (case_sensitive) return wanted == have;
  return fold_ascii(wanted) == fold_ascii(have);
}

bool starts_with(text::u16view have, text::u16view pattern, bool case_sensitive) {
  if (pattern.size() > have.size()) return false;
  for (size_t i = 0; i < pattern.size(); ++i)
    if (!chars_match(pattern[i], have[i], case_sensitive)) return false;
  return true;
}

bool occurs_in(text::u16view have, text::u16view pattern, bool case_sensitive) {
  if (pattern.empty()) return true;
  for (size_t i = 0; i + pattern.size() <= have.size(); ++i)
    if (starts_with(have.substr(i), pattern, case_sensitive)) return true;
  return false;
}

bool prefix_matches(char16_t p0, char16_t p1, text::u16view pattern, bool case_sensitive) {
  const char16_t have[2] = {p0, p1};
  // A title of one character has a 0 as its second prefix character; it can only match a
  // pattern that is itself that short.
  for (size_t i = 0; i < 2 && i < pattern.size(); ++i) {
    if (have[i] == 0) return false;
    if (!chars_match(pattern[i], have[i], case_sensitive)) return false;
  }
  return true;
}

}  // namespace kelvo::catalogue
