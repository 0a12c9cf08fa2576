#pragma once
// What the item and member screens have in common: their start states, the buttons that end
// them, and text boxes that cut what is typed to the field's limit.
#include <array>
#include <cstddef>

#include "text/utf16.h"

namespace kelvo::catalogue {

enum class FormLayout {
  New,    // blank new record, number proposed
  Copy,   // "&Multiple": the previous item's fields with a fresh number
  Amend,  // a found record; the number cannot be changed
  Retry,  // a new record refused by the checks: title "Amend ...", no "&Next" / "&Multiple"
};

enum class FormButton { Ok, Next, Multiple, Cancel };

// A row of text boxes, each with its entry limit in characters.
template <size_t N>
class TextBoxes {
 public:
  explicit TextBoxes(const std::array<int, N>& limits) : limits_(limits) {}
  void set(size_t i, text::u16view v) { values_[i] = text::u16(v.substr(0, static_cast<size_t>(limits_[i]))); }
  const text::u16& get(size_t i) const { return values_[i]; }
  int limit(size_t i) const { return limits_[i]; }

 private:
  std::array<int, N> limits_;
  std::array<text::u16, N> values_;
};

}  // namespace kelvo::catalogue
