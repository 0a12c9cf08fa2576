#include "text/format.h"

#include <locale.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kelvo::text {
namespace {

struct Conversion {
  bool left = false, plus = false, space = false, zero = false, alt = false;
  int width = 0;
  int precision = -1;  // -1: none given
  bool wide_int = false;  // I64, ll, j, q: the value keeps all 64 bits in unsigned conversions
  char16_t conv = 0;
};

class Args {
 public:
  Args(const FormatArg* begin, const FormatArg* end) : it_(begin), end_(end) {}
  const FormatArg* next() { return it_ == end_ ? nullptr : it_++; }
  long long next_int() {
    const FormatArg* a = next();
    return a && a->kind() != FormatArg::Kind::Text ? a->as_int() : 0;
  }

 private:
  const FormatArg* it_;
  const FormatArg* end_;
};

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

int clamp_count(long long v) { return v > 1000000 ? 1000000 : static_cast<int>(v); }

int read_number(u16view f, size_t& i) {
  long long v = 0;
  while (i < f.size() && is_digit(f[i])) {
    v = v * 10 + (f[i++] - u'0');
    if (v > 1000000) v = 1000000;  // a runaway width must not exhaust memory
  }
  return static_cast<int>(v);
}

void append_ascii(u16& out, std::string_view s) {
  for (char c : s) out.push_back(static_cast<unsigned char>(c));
}

void pad(u16& out, int n, char16_t c) {
  if (n > 0) out.append(static_cast<size_t>(n), c);
}

// Places `body` (already holding sign and prefix at its front, `lead` units long) in the field.
void place(u16& out, const Conversion& sp, const u16& body, size_t lead, bool zero_pad) {
  const int fill = sp.width - static_cast<int>(body.size());
  if (sp.left) {
    out += body;
    pad(out, fill, u' ');
  } else if (zero_pad) {
    out.append(body, 0, lead);
    pad(out, fill, u'0');
    out.append(body, lead, u16::npos);
  } else {
    pad(out, fill, u' ');
    out += body;
  }
}

void format_integer(u16& out, const Conversion& sp, long long value) {
  const bool is_signed = sp.conv == u'd' || sp.conv == u'i';
  unsigned long long magnitude;
  bool negative = false;
  if (is_signed) {
    negative = value < 0;
    magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : value;
  } else if (!sp.wide_int && value >= INT32_MIN && value <= UINT32_MAX) {
    // Without a 64-bit prefix the C library sees a 32-bit int: -1 shows as ffffffff.
    magnitude = static_cast<uint32_t>(value);
  } else {
    magnitude = static_cast<unsigned long long>(value);
  }

  const unsigned base = sp.conv == u'x' || sp.conv == u'X' ? 16 : sp.conv == u'o' ? 8 : 10;
  const char* digits = sp.conv == u'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string num;
  for (unsigned long long m = magnitude; m; m /= base) num.insert(num.begin(), digits[m % base]);
  if (sp.precision >= 0) {
    if (static_cast<int>(num.size()) < sp.precision) num.insert(0, clamp_count(sp.precision) - num.size(), '0');
  } else if (num.empty()) {
    num = "0";
  }

  std::string prefix;
  if (negative) prefix = "-";
  else if (is_signed && sp.plus) prefix = "+";
  else if (is_signed && sp.space) prefix = " ";
  if (sp.alt && magnitude != 0 && base == 16) prefix += sp.conv == u'X' ? "0X" : "0x";
  if (sp.alt && base == 8 && (num.empty() || num[0] != '0')) num.insert(num.begin(), '0');

  u16 body;
  append_ascii(body, prefix);
  append_ascii(body, num);
  place(out, sp, body, prefix.size(), sp.zero && !sp.left && sp.precision < 0);
}

// Numbers are always written with a full stop, whatever locale the process was started in:
// the texts go into receipts, logs and files that other programs read back.
locale_t c_numeric_locale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

void format_floating(u16& out, const Conversion& sp, double value) {
  std::string f = "%";
  if (sp.left) f += '-';
  if (sp.plus) f += '+';
  if (sp.space) f += ' ';
  if (sp.zero) f += '0';
  if (sp.alt) f += '#';
  f += "*.*";
  f += static_cast<char>(sp.conv);
  // Precision beyond what a double holds only adds zeros; keep the buffer bounded.
  const int precision = sp.precision < 0 ? 6 : (sp.precision > 400 ? 400 : sp.precision);
  char small[128];
  const locale_t old = uselocale(c_numeric_locale());
  int n = std::snprintf(small, sizeof small, f.c_str(), sp.width, precision, value);
  std::string text;
  if (n >= 0 && n < static_cast<int>(sizeof small)) {
    text.assign(small, static_cast<size_t>(n));
  } else if (n > 0) {
    text.resize(static_cast<size_t>(n) + 1);
    std::snprintf(text.data(), text.size(), f.c_str(), sp.width, precision, value);
    text.resize(static_cast<size_t>(n));
  }
  uselocale(old);
  append_ascii(out, text);
}

void format_text(u16& out, const Conversion& sp, u16view s) {
  if (sp.precision >= 0 && static_cast<size_t>(sp.precision) < s.size()) {
    size_t n = static_cast<size_t>(sp.precision);
    // Never keep the first half of a surrogate pair without its second.
    if (n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
    s = s.substr(0, n);
  }
  const int fill = sp.width - static_cast<int>(s.size());
  if (!sp.left) pad(out, fill, u' ');
  out += s;
  if (sp.left) pad(out, fill, u' ');
}

void format_char(u16& out, const Conversion& sp, const FormatArg* a) {
  u16 c;
  if (a && a->kind() == FormatArg::Kind::Text) {
    if (!a->as_text().empty()) c.push_back(a->as_text()[0]);
  } else {
    const long long v = a ? a->as_int() : 0;
    // A NUL would end the text early for every later reader; it adds nothing instead.
    if (v != 0) c.push_back(static_cast<char16_t>(v));
  }
  Conversion text_spec = sp;
  text_spec.precision = -1;
  format_text(out, text_spec, c);
}

// Reads flags, width, precision and length prefix after the '%'; returns false when the
// conversion ends before its conversion character.
bool read_spec(u16view f, size_t& i, Conversion& sp, Args& args) {
  for (; i < f.size(); ++i) {
    const char16_t c = f[i];
    if (c == u'-') sp.left = true;
    else if (c == u'+') sp.plus = true;
    else if (c == u' ') sp.space = true;
    else if (c == u'0') sp.zero = true;
    else if (c == u'#') sp.alt = true;
    else break;
  }
  if (i < f.size() && f[i] == u'*') {
    ++i;
    long long w = args.next_int();
    if (w < 0) sp.left = true, w = -w;
    sp.width = clamp_count(w);
  } else {
    sp.width = read_number(f, i);
  }
  if (i < f.size() && f[i] == u'.') {
    ++i;
    if (i < f.size() && f[i] == u'*') {
      ++i;
      const long long p = args.next_int();
      sp.precision = p < 0 ? -1 : clamp_count(p);
    } else {
      sp.precision = read_number(f, i);
    }
  }
  const auto starts = [&](u16view s) { return f.substr(i, s.size()) == s; };
  if (starts(u"I64")) i += 3, sp.wide_int = true;
  else if (starts(u"I32")) i += 3;
  else if (starts(u"ll")) i += 2, sp.wide_int = true;
  else if (starts(u"hh")) i += 2;
  else if (i < f.size() && (f[i] == u'j' || f[i] == u'q')) ++i, sp.wide_int = true;
  else if (i < f.size() && (f[i] == u'l' || f[i] == u'h' || f[i] == u'L' || f[i] == u'z' ||
                            f[i] == u't' || f[i] == u'w' || f[i] == u'I')) ++i;
  if (i >= f.size()) return false;
  sp.conv = f[i++];
  return true;
}

}  // namespace

u16 format(u16view fmt, std::initializer_list<FormatArg> list) {
  u16 out;
  Args args(list.begin(), list.end());
  size_t i = 0;
  while (i < fmt.size()) {
    const size_t pct = fmt.find(u'%', i);
    if (pct == u16view::npos) {
      out.append(fmt.substr(i));
      break;
    }
    out.append(fmt.substr(i, pct - i));
    i = pct + 1;
    if (i < fmt.size() && fmt[i] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    Conversion sp;
    if (!read_spec(fmt, i, sp, args)) {
      out.append(fmt.substr(pct));  // an unfinished conversion stays as written
      break;
    }
    switch (sp.conv) {
      case u'd': case u'i': case u'u': case u'x': case u'X': case u'o':
        format_integer(out, sp, args.next_int());
        break;
      case u'f': case u'F': case u'e': case u'E': case u'g': case u'G': case u'a': case u'A': {
        const FormatArg* a = args.next();
        format_floating(out, sp, a && a->kind() != FormatArg::Kind::Text ? a->as_double() : 0.0);
        break;
      }
      case u's': case u'S': {
        const FormatArg* a = args.next();
        format_text(out, sp, a && a->kind() == FormatArg::Kind::Text ? a->as_text() : u16view());
        break;
      }
      case u'c': case u'C':
        format_char(out, sp, args.next());
        break;
      default:
        // %n and %p have no meaning here (%n would write through an argument), and unknown
        // conversions are shown as written so the mistake is visible.
        out.append(fmt.substr(pct, i - pct));
        break;
    }
  }
  return out;
}

u16 format(std::string_view fmt, std::initializer_list<FormatArg> args) {
  return format(u16view(from_utf8(fmt)), args);
}

}  // namespace kelvo::text
