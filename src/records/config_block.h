#pragma once
// The configuration block: every setting, operator and running total of the shop in one byte
// image, read whole from wr.cfg at start and written whole after every change that matters.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "records/config_layout.h"
#include "text/calendar.h"
#include "text/coding.h"

namespace kelvo::records {

enum class SaveResult { Ok, Failed };

class ConfigBlock {
 public:
  ConfigBlock() { bytes_.fill(0); }

  int32_t i32(size_t off) const { return text::get_i32(&bytes_[off]); }
  int64_t i64(size_t off) const { return text::get_i64(&bytes_[off]); }
  float f32(size_t off) const { return text::get_f32(&bytes_[off]); }
  uint16_t u16(size_t off) const { return text::get_u16(&bytes_[off]); }
  text::u16 str(size_t off, size_t width) const { return text::get_text(&bytes_[off], width); }
  void set_i32(size_t off, int32_t v) { text::put_i32(&bytes_[off], v); }
  void set_i64(size_t off, int64_t v) { text::put_i64(&bytes_[off], v); }
  void set_f32(size_t off, float v) { text::put_f32(&bytes_[off], v); }
  void set_u16(size_t off, uint16_t v) { text::put_u16(&bytes_[off], v); }
  void set_str(size_t off, size_t width, text::u16view s) { text::put_text(&bytes_[off], width, s); }
  void clear(size_t off, size_t len) { std::fill_n(&bytes_[off], len, uint8_t{0}); }

  const uint8_t* data() const { return bytes_.data(); }
  uint8_t* data() { return bytes_.data(); }

  // Frequently used values, named as the counter speaks of them.
  text::u16 return_deadline() const { return str(cfg::kReturnDeadline, 12); }
  float takings_today() const { return f32(cfg::kTakingsToday); }
  void set_takings_today(float v) { set_f32(cfg::kTakingsToday, v); }
  int log_capacity() const { return i32(cfg::kLogCapacity); }
  bool sound_on() const { return i32(cfg::kSoundOff) != 2; }
  int64_t signed_on_operator() const { return i64(cfg::kSignedOnOperator); }
  int32_t transaction_counter() const { return i32(cfg::kTransactionCounter); }
  // Operators 1 to 10 have the long-name table, 11 to 30 the short one.
  text::u16 operator_name(int64_t n) const;
  void set_operator_name(int64_t n, text::u16view name);
  text::u16 operator_password(int n) const { return str(cfg::operator_password(n), cfg::kOperatorPasswordWidth); }
  text::u16 format_name(int which) const;
  text::u16 store_category(int i) const { return str(cfg::category_name(i), cfg::kCategoryNameWidth); }
  // The printer the "Receipts" page chose: its device name, or empty for "Default". The receipts
  // and a drawer chained to the receipt printer both go where this says.
  text::u16 receipt_printer() const;

  void set_last_shutdown(const text::DateTime& t);
  text::DateTime last_shutdown() const;

  // The block of a brand-new shop: zeros and the first-run defaults, last shutdown = now.
  void set_first_run_defaults(const text::DateTime& now);
  // The repairs made every time the block is loaded (format names, operators, offers,
  // transaction counter). The default rental days repair is separate: it comes later at start.
  void repair_after_load();
  void repair_rental_days();

  // Reads up to the block's size; bytes not in the file stay zero. False when it cannot be opened.
  bool load(const std::filesystem::path& file);
  // Written to a temporary file and renamed over the old one: the old file stays on any failure.
  SaveResult save(const std::filesystem::path& file) const;

  // What wr.cfg holds, as last read whole or written: a transaction writes only the byte ranges
  // [from, to) that differ from it.
  bool has_saved_image() const { return saved_ != nullptr; }
  std::vector<std::pair<size_t, size_t>> unsaved_ranges() const;
  void mark_saved() const;

 private:
  using Image = std::array<uint8_t, cfg::kSize>;
  Image bytes_;
  mutable std::shared_ptr<const Image> saved_;
};

// The seven store address lines of ADDRESS.RK: 42 characters (84 bytes) each.
class AddressLines {
 public:
  static constexpr size_t kLineBytes = 84;
  static constexpr int kLines = 7;
  AddressLines() { bytes_.fill(0); }
  text::u16 line(int i) const { return text::get_text(&bytes_[kLineBytes * (i - 1)], kLineBytes); }
  void set_line(int i, text::u16view s) { text::put_text(&bytes_[kLineBytes * (i - 1)], kLineBytes, s); }
  text::u16 store_name() const { return line(1); }
  // False when the file cannot be opened; the caller then puts in the default lines.
  bool load(const std::filesystem::path& file);
  void set_missing_defaults();
  SaveResult save(const std::filesystem::path& file) const;
  const uint8_t* data() const { return bytes_.data(); }

 private:
  std::array<uint8_t, kLineBytes * kLines> bytes_;
};

}  // namespace kelvo::records
