#include "text/utf16.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <string>

namespace kelvo::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void append_utf16(u16& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The C library's isspace in the "C" locale.
bool is_blank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

u16 from_utf8(std::string_view s) {
  u16 out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t cp;
    char32_t min;
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
      append_utf16(out, kReplacement);
      ++i;
      continue;
    }
    size_t j = i + 1;
    for (; j < s.size() && j <= i + extra; ++j) {
      const unsigned char c = static_cast<unsigned char>(s[j]);
      if ((c & 0xC0) != 0x80) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    // Truncated, overlong, surrogate or out-of-range sequences become one replacement character
    // and decoding resumes at the first byte that did not belong to them.
    if (j != i + 1 + extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      append_utf16(out, kReplacement);
    } else {
      append_utf16(out, cp);
    }
    i = j;
  }
  return out;
}

std::string to_utf8(u16view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      append_utf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      append_utf8(out, kReplacement);  // a lone half of a pair has no UTF-8 form
    } else {
      append_utf8(out, c);
    }
  }
  return out;
}

u16 to_upper(u16view s) {
  u16 out(s);
  for (char16_t& c : out) c = fold_upper(c);
  return out;
}

u16 trimmed(u16view s) {
  size_t b = 0, e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return u16(s.substr(b, e - b));
}

long long parse_int64(u16view s) {
  size_t i = 0;
  while (i < s.size() && is_blank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  // Accumulate on the negative side so that LLONG_MIN itself is reachable.
  long long v = 0;
  for (; i < s.size() && is_digit(s[i]); ++i) {
    const int d = s[i] - u'0';
    if (v < (LLONG_MIN + d) / 10) return negative ? LLONG_MIN : LLONG_MAX;
    v = v * 10 - d;
  }
  if (negative) return v;
  return v == LLONG_MIN ? LLONG_MAX : -v;
}

std::optional<long long> parse_whole_number(u16view s) {
  const u16 t = trimmed(s);
  size_t digits_from = (!t.empty() && (t[0] == u'+' || t[0] == u'-')) ? 1 : 0;
  if (t.size() == digits_from || t.size() - digits_from > 19) return std::nullopt;
  for (size_t i = digits_from; i < t.size(); ++i)
    if (!is_digit(t[i])) return std::nullopt;
  const long long v = parse_int64(t);
  if (v == LLONG_MAX || v == LLONG_MIN) return std::nullopt;  // clamped: beyond 64 bits
  return v;
}

double parse_double(u16view s) {
  size_t i = 0;
  while (i < s.size() && is_blank(s[i])) ++i;
  // Only plain decimals are taken: an amount typed as "inf" or "nan" would poison every total
  // it reaches, so those read as no number at all.
  std::string ascii;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    if (s[i] == u'-') ascii.push_back('-');
    ++i;
  }
  const size_t sign_len = ascii.size();
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (is_digit(c) || c == u'.' || c == u'e' || c == u'E' || c == u'+' || c == u'-') {
      ascii.push_back(static_cast<char>(c));
    } else {
      break;
    }
  }
  if (ascii.size() == sign_len || ascii[sign_len] == '+' || ascii[sign_len] == '-') return 0.0;
  double v = 0.0;
  const char* first = ascii.data();
  const char* last = ascii.data() + ascii.size();
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves v untouched; tell overflow from underflow by the exponent's sign.
    const std::string_view text(first, static_cast<size_t>(ptr - first));
    const size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const bool tiny = e != std::string_view::npos
                          ? e + 1 < text.size() && text[e + 1] == '-'
                          : mantissa.find_first_not_of("-0.") == std::string_view::npos ||
                                mantissa.find_first_not_of("-0") == mantissa.find('.');
    if (tiny) return sign_len ? -0.0 : 0.0;
    // Saturate to the largest finite value rather than infinity, like the integer parser.
    return sign_len ? -DBL_MAX : DBL_MAX;
  }
  if (ec != std::errc()) return 0.0;
  return v;
}

std::optional<long long> whole_number_in_range(u16view s, long long lo, long long hi) {
  const auto v = parse_whole_number(s);
  if (!v || *v < lo || *v > hi) return std::nullopt;
  return v;
}

}  // namespace kelvo::text
