#pragma once
// printf-style formatting of the program's own formats, as written ("%I64d", "%-40s", "%.2f",
// "%c", "%02d", "%%"), producing UTF-16. Widths and precisions count characters, not bytes.
// Floats are widened to double before formatting, as the C library does with varargs.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "text/utf16.h"

namespace kelvo::text {

class FormatArg {
 public:
  enum class Kind { Int, Double, Text };
  FormatArg(int v) : kind_(Kind::Int), i_(v) {}
  FormatArg(long v) : kind_(Kind::Int), i_(v) {}
  FormatArg(long long v) : kind_(Kind::Int), i_(v) {}
  FormatArg(unsigned v) : kind_(Kind::Int), i_(v) {}
  FormatArg(char16_t v) : kind_(Kind::Int), i_(v) {}
  FormatArg(float v) : kind_(Kind::Double), d_(v) {}
  FormatArg(double v) : kind_(Kind::Double), d_(v) {}
  FormatArg(u16view v) : kind_(Kind::Text), s_(v) {}
  FormatArg(const u16& v) : kind_(Kind::Text), s_(v) {}
  FormatArg(const char16_t* v) : kind_(Kind::Text), s_(v) {}

  Kind kind() const { return kind_; }
  long long as_int() const { return kind_ == Kind::Double ? static_cast<long long>(d_) : i_; }
  double as_double() const { return kind_ == Kind::Int ? static_cast<double>(i_) : d_; }
  u16view as_text() const { return s_; }

 private:
  Kind kind_;
  long long i_ = 0;
  double d_ = 0;
  u16view s_;
};

// Conversions: d i u x X c s f e g and %%, with flags "-+ 0#", width, precision, the length
// prefixes I64, ll, l, h (ignored beyond parsing), and "*" for width or precision from the list.
// A missing argument formats as 0 or the empty text; extra arguments are ignored.
u16 format(std::string_view fmt, std::initializer_list<FormatArg> args = {});
// The same with the format already in UTF-16 (formats stored in files or tables).
u16 format(u16view fmt, std::initializer_list<FormatArg> args = {});

}  // namespace kelvo::text
