#pragma once
// How typed search texts are compared with titles and names: a prefix match in which "?"
// stands for any one character, with ASCII letters folded unless "Case sensitive" is ticked.
// Only A-Z and a-z fold, so accented letters must be typed as stored.
#include "text/utf16.h"

namespace kelvo::catalogue {

struct SearchText {
  text::u16 text;
  bool case_sensitive = false;
};

// A one-character search gets "?" as its second character, so that the two-character prefix
// tables can still be tested first; longer texts are cut to the field's limit.
SearchText make_search(text::u16view typed, bool case_sensitive, size_t limit);

bool chars_match(char16_t wanted, char16_t have, bool case_sensitive);
// True when every character of the pattern matches the text at the same place; the text may
// go on. An empty pattern matches everything.
bool starts_with(text::u16view have, text::u16view pattern, bool case_sensitive);
// The first two characters of the pattern against a prefix table entry.
bool prefix_matches(char16_t p0, char16_t p1, text::u16view pattern, bool case_sensitive);

// The pattern anywhere in the text, compared as starts_with does.
bool occurs_in(text::u16view have, text::u16view pattern, bool case_sensitive);

// Exact, case-counting "occurs anywhere".
inline bool contains(text::u16view have, text::u16view fragment) {
  return !fragment.empty() && have.find(fragment) != text::u16view::npos;
}

}  // namespace kelvo::catalogue
