#include "text/coding.h"

namespace kelvo::text {

u16 get_text(const uint8_t* p, size_t width_bytes) {
  u16 out;
  const size_t units = width_bytes / 2;
  for (size_t i = 0; i < units; ++i) {
    const char16_t c = get_u16(p + 2 * i);
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

void put_text(uint8_t* p, size_t width_bytes, u16view s) {
  std::memset(p, 0, width_bytes);
  const size_t units = width_bytes / 2;
  if (units == 0) return;
  size_t n = s.size() < units - 1 ? s.size() : units - 1;
  // A cut between the halves of a surrogate pair would leave a character no reader can decode.
  if (n < s.size() && n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
  for (size_t i = 0; i < n; ++i) put_u16(p + 2 * i, static_cast<uint16_t>(s[i]));
}

void copy_text(uint8_t* to, size_t to_width_bytes, const uint8_t* from, size_t from_width_bytes) {
  std::memset(to, 0, to_width_bytes);
  const size_t room = to_width_bytes / 2 == 0 ? 0 : to_width_bytes / 2 - 1;
  const size_t units = from_width_bytes / 2;
  size_t n = 0;
  while (n < units && n <= room && get_u16(from + 2 * n) != 0) ++n;
  if (n > room) {
    n = room;
    const char16_t last = n > 0 ? get_u16(from + 2 * (n - 1)) : 0;
    if (last >= 0xD800 && last <= 0xDBFF) --n;
  }
  std::memcpy(to, from, 2 * n);
}

std::string utf16le_bytes(u16view s) {
  std::string bytes;
  bytes.reserve(s.size() * 2);
  for (char16_t c : s) {
    bytes.push_back(static_cast<char>(c & 0xff));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

u16 from_utf16le(const uint8_t* p, size_t len) {
  u16 out;
  out.reserve(len / 2);
  for (size_t i = 0; i + 1 < len; i += 2) out.push_back(static_cast<char16_t>(p[i] | (p[i + 1] << 8)));
  return out;
}

}  // namespace kelvo::text
