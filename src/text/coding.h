#pragma once
// Encoding and decoding of the fixed-width fields that make up every record: little-endian
// integers and floats, and UTF-16LE text that is NUL-terminated inside its width.
#include <cstdint>
#include <cstring>
#include <string>

#include "text/utf16.h"

namespace kelvo::text {

inline int64_t get_i64(const uint8_t* p) { int64_t v; std::memcpy(&v, p, 8); return v; }
inline int32_t get_i32(const uint8_t* p) { int32_t v; std::memcpy(&v, p, 4); return v; }
inline uint16_t get_u16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }
inline float get_f32(const uint8_t* p) { float v; std::memcpy(&v, p, 4); return v; }
inline void put_i64(uint8_t* p, int64_t v) { std::memcpy(p, &v, 8); }
inline void put_i32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }
inline void put_u16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }
inline void put_f32(uint8_t* p, float v) { std::memcpy(p, &v, 4); }
static_assert(sizeof(float) == 4, "records hold IEEE single precision");

// Reads characters up to the first NUL or the end of the field, whichever comes first.
u16 get_text(const uint8_t* p, size_t width_bytes);
// Writes at most width/2 - 1 characters, then the NUL; the rest of the field is zeroed.
void put_text(uint8_t* p, size_t width_bytes, u16view s);
// One text field into another, as put_text of what get_text reads, without making a string.
void copy_text(uint8_t* to, size_t to_width_bytes, const uint8_t* from, size_t from_width_bytes);
// The text as the bytes of a UTF-16LE file (no byte-order mark), as the log and exports hold it.
std::string utf16le_bytes(u16view s);
// And back; an odd last byte is dropped.
u16 from_utf16le(const uint8_t* p, size_t len);

}  // namespace kelvo::text
