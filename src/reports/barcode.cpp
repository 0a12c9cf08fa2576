#include "reports/barcode.h"

#include <array>
#include <cmath>

namespace kelvo::reports {

namespace {

// Left-hand odd parity (set A) of EAN-13; set B is the right-hand pattern reversed, and the
// right-hand set C is set A with bars and spaces swapped.
constexpr std::array<const char*, 10> kSetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                               "0110001", "0101111", "0111011", "0110111", "0001011"};
// Which left digits use set B, by the first digit (1 = B).
constexpr std::array<const char*, 10> kParity = {"000000", "001011", "001101", "001110", "010011",
                                                 "011001", "011100", "010101", "010110", "011010"};

std::string set_c(int d) {
  std::string s = kSetA[d];
  for (char& c : s) c = c == '1' ? '0' : '1';
  return s;
}
std::string set_b(int d) {
  std::string s = set_c(d);
  return {s.rbegin(), s.rend()};
}

// Modules as '1' (bar) and '0' (space) into bars; `guard` marks the modules of guard patterns.
Symbol from_modules(const std::string& modules, const std::string& guard) {
  Symbol s;
  s.modules = static_cast<int>(modules.size());
  for (int i = 0; i < s.modules;) {
    if (modules[i] != '1') { ++i; continue; }
    Bar b{i, 0, guard[i] == 'g'};
    while (i < s.modules && modules[i] == '1') ++b.width, ++i;
    s.bars.push_back(b);
  }
  return s;
}

// Code 39: nine elements a character, bar first; 1 marks the three wide ones.
struct Code39Char {
  char c;
  const char* wide;
};
constexpr std::array<Code39Char, 12> kCode39 = {{{'0', "000110100"}, {'1', "100100001"}, {'2', "001100001"},
                                                 {'3', "101100000"}, {'4', "000110001"}, {'5', "100110000"},
                                                 {'6', "001110000"}, {'7', "000100101"}, {'8', "100100100"},
                                                 {'9', "001100100"}, {'-', "010000101"}, {'*', "010010100"}}};

const char* code39_pattern(char c) {
  for (const auto& e : kCode39)
    if (e.c == c) return e.wide;
  return nullptr;
}

}  // namespace

int ean13_check_digit(std::string_view twelve) {
  int sum = 0;
  for (size_t i = 0; i < twelve.size() && i < 12; ++i) sum += (twelve[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return (10 - sum % 10) % 10;
}

std::string ean13_code(int64_t value) {
  std::string digits = std::to_string(value).substr(0, 12);
  for (char& c : digits)
    if (c < '0' || c > '9') c = '0';  // the sign of a negative value; numbers on file are positive
  digits.insert(0, 12 - digits.size(), '0');
  return digits + static_cast<char>('0' + ean13_check_digit(digits));
}

Symbol ean13_symbol(std::string_view code) {
  std::string m = "101", g = "ggg";
  const char* parity = kParity[code[0] - '0'];
  for (int i = 1; i <= 6; ++i) {
    const int d = code[i] - '0';
    m += parity[i - 1] == '1' ? set_b(d) : std::string(kSetA[d]);
    g += "0000000";
  }
  m += "01010", g += "ggggg";
  for (int i = 7; i <= 12; ++i) m += set_c(code[i] - '0'), g += "0000000";
  m += "101", g += "ggg";
  return from_modules(m, g);
}

Symbol code39_symbol(std::string_view text) {
  std::string m;
  auto put = [&m](const char* wide) {
    for (int e = 0; e < 9; ++e) m.append(wide[e] == '1' ? 2 : 1, e % 2 == 0 ? '1' : '0');
    m += '0';  // the gap between characters
  };
  put(code39_pattern('*'));
  for (char c : text)
    if (const char* p = code39_pattern(c); p && c != '*') put(p);
  put(code39_pattern('*'));
  m.pop_back();  // no gap after the stop character
  return from_modules(m, std::string(m.size(), '0'));
}

int Metric::dev(long long hmm) const { return static_cast<int>(std::llround(hmm * dpi_ / 2540.0)); }
long long Metric::hmm(int dev) const { return std::llround(dev * 2540.0 / dpi_); }

void draw_symbol(platform::Printer& p, const Symbol& s, long long x, long long top, int element,
                 BarHeights heights) {
  const Metric m(p);
  const int y = m.dev(top);
  for (const Bar& b : s.bars) {
    const int left = m.dev(x + static_cast<long long>(b.start) * element);
    const int right = m.dev(x + static_cast<long long>(b.start + b.width) * element);
    const int bottom = m.dev(top + (b.guard ? heights.guard : heights.data));
    p.fill_rect(left, y, std::max(1, right - left), bottom - y);
  }
}

}  // namespace kelvo::reports
