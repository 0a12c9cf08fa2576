#pragma once
// EAN-13 and Code 39 as the bars a printer draws: the published module patterns, turned into
// filled rectangles in hundredths of a millimetre, whatever the printer's resolution.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printer.h"

namespace kelvo::reports {

// One bar of a symbol: where it starts and how wide it is, in modules (narrow elements) from the
// symbol's left edge. Guard bars of EAN-13 hang further down than the data bars.
struct Bar {
  int start = 0;
  int width = 1;
  bool guard = false;
  bool operator==(const Bar&) const = default;
};

struct Symbol {
  std::vector<Bar> bars;
  int modules = 0;  // the whole width, spaces included
};

// The 13 digits an EAN label carries for a value: its decimal text cut to 12 characters, padded
// on the left with zeros, and the check digit.
std::string ean13_code(int64_t value);
// The check digit of 12 digits: weights 1, 3, 1, 3 ... from the left, up to the next ten.
int ean13_check_digit(std::string_view twelve);
// 95 modules: edge guards, six left digits in the parity set chosen by the first digit, the
// centre guard, six right digits.
Symbol ean13_symbol(std::string_view thirteen);
// The text between the start and stop characters, wide elements two modules, a one-module gap
// after each character: 13 modules a character. Characters Code 39 lacks are left out.
Symbol code39_symbol(std::string_view text);

// Device units from hundredths of a millimetre on a given printer.
class Metric {
 public:
  explicit Metric(const platform::Printer& p) : dpi_(p.dots_per_inch()) {}
  int dev(long long hmm) const;
  long long hmm(int dev) const;

 private:
  int dpi_;
};

struct BarHeights {
  int data = 1000;   // hundredths of a millimetre
  int guard = 1120;
};

// Draws the bars with their left edge at x and their tops at `top` (both in hundredths of a
// millimetre from the top left of the printable area), one module `element` wide. Each edge is
// rounded from its exact position, so widths never drift along the symbol.
void draw_symbol(platform::Printer& p, const Symbol& s, long long x, long long top, int element,
                 BarHeights heights = {});

}  // namespace kelvo::reports
