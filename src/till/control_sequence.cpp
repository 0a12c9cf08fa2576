#include "till/control_sequence.h"

namespace kelvo::till {

Bytes read_control_sequence(text::u16view typed) {
  Bytes out;
  if (typed.empty()) return out;
  size_t start = 0;
  while (true) {
    const size_t comma = typed.find(u',', start);
    const text::u16view value = typed.substr(start, comma == text::u16view::npos ? text::u16view::npos : comma - start);
    out.push_back(static_cast<uint8_t>(text::parse_int64(value)));
    if (comma == text::u16view::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace kelvo::till
