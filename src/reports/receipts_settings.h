#pragma once
// The receipt settings of the configuration block as the "Receipts" page and the "Custom
// receipt" dialog show and store them. Typed values are read strictly: a slip keeps the old
// value rather than becoming 0.
#include <array>
#include <vector>

#include "records/config_block.h"
#include "records/config_layout.h"
#include "text/utf16.h"

namespace kelvo::reports {

constexpr int kCustomLineLimit = 40;
constexpr int kBlankLinesMin = 1, kBlankLinesMax = 20;
constexpr size_t kFooterLimit = 252;

// The dialog's labels of the 21 custom receipt elements, in element order.
extern const std::array<const char16_t*, records::cfg::kCustomReceiptElements> kCustomReceiptLabels;

struct CustomLayout {
  std::array<int, records::cfg::kCustomReceiptElements> lines{};
  int blank_lines = 0;
  bool logo = false;
};
CustomLayout custom_layout(const records::ConfigBlock& c);

// The dialog's boxes as typed: a line from 0 to 40 and blank lines from 1 to 20 are stored,
// anything else leaves that value as it was.
struct CustomLayoutTyped {
  std::array<text::u16, records::cfg::kCustomReceiptElements> lines;
  text::u16 blank_lines;
  bool logo = false;
};
void store_custom_layout(records::ConfigBlock& c, const CustomLayoutTyped& typed);

// "Auto receipt" choices, 0 to 6.
extern const std::array<const char16_t*, 7> kAutoReceiptChoices;

struct ReceiptSettings {
  text::u16 printer;  // empty: "Default"
  bool omit_print_confirm = true;
  text::u16 footer;
  bool include_logo = true;
  bool logo_full_width = false;
  int auto_receipt = 0;
};
ReceiptSettings receipt_settings(const records::ConfigBlock& c);
// `installed` is the printer list after "Default"; a printer no longer installed is "Default".
void store_receipt_settings(records::ConfigBlock& c, const ReceiptSettings& s, const std::vector<text::u16>& installed);

}  // namespace kelvo::reports
