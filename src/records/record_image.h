#pragma once
// A fixed-size record held as its exact byte image. Accessors read and write named fields at
// their offsets; bytes no accessor names are kept as they were read.
#include <array>
#include <cstdint>

#include "text/coding.h"

namespace kelvo::records {

template <size_t N>
class RecordImage {
 public:
  static constexpr size_t kSize = N;
  RecordImage() { bytes_.fill(0); }
  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  void clear() { bytes_.fill(0); }
  bool operator==(const RecordImage& o) const { return bytes_ == o.bytes_; }

 protected:
  int64_t i64_at(size_t off) const { return text::get_i64(&bytes_[off]); }
  int32_t i32_at(size_t off) const { return text::get_i32(&bytes_[off]); }
  float f32_at(size_t off) const { return text::get_f32(&bytes_[off]); }
  text::u16 text_at(size_t off, size_t width) const { return text::get_text(&bytes_[off], width); }
  void put_i64_at(size_t off, int64_t v) { text::put_i64(&bytes_[off], v); }
  void put_i32_at(size_t off, int32_t v) { text::put_i32(&bytes_[off], v); }
  void put_f32_at(size_t off, float v) { text::put_f32(&bytes_[off], v); }
  void put_text_at(size_t off, size_t width, text::u16view s) { text::put_text(&bytes_[off], width, s); }
  std::array<uint8_t, N> bytes_;
};

}  // namespace kelvo::records

// Field accessors generated from the layout tables: name(), set_name(v) and, for arrays,
// name(i), set_name(i, v).
#define KELVO_I64(name, off) \
  static constexpr size_t k_##name = off; \
  int64_t name() const { return i64_at(off); } \
  void set_##name(int64_t v) { put_i64_at(off, v); }
#define KELVO_I32(name, off) \
  static constexpr size_t k_##name = off; \
  int32_t name() const { return i32_at(off); } \
  void set_##name(int32_t v) { put_i32_at(off, v); }
#define KELVO_F32(name, off) \
  static constexpr size_t k_##name = off; \
  float name() const { return f32_at(off); } \
  void set_##name(float v) { put_f32_at(off, v); }
#define KELVO_TEXT(name, off, width) \
  static constexpr size_t k_##name = off; \
  static constexpr size_t w_##name = width; \
  kelvo::text::u16 name() const { return text_at(off, width); } \
  void set_##name(kelvo::text::u16view v) { put_text_at(off, width, v); }
#define KELVO_I64_ARRAY(name, off, count) \
  static constexpr size_t k_##name = off; \
  int64_t name(int i) const { return i64_at(off + 8 * static_cast<size_t>(i)); } \
  void set_##name(int i, int64_t v) { put_i64_at(off + 8 * static_cast<size_t>(i), v); }
#define KELVO_TEXT_ARRAY(name, off, width, count) \
  static constexpr size_t k_##name = off; \
  kelvo::text::u16 name(int i) const { return text_at(off + (width) * static_cast<size_t>(i), width); } \
  void set_##name(int i, kelvo::text::u16view v) { put_text_at(off + (width) * static_cast<size_t>(i), width, v); }
