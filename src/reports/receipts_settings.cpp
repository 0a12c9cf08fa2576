#include "reports/receipts_settings.h"

#include <algorithm>

namespace kelvo::reports {

namespace cfg = records::cfg;

const std::array<const char16_t*, cfg::kCustomReceiptElements> kCustomReceiptLabels = {
    u"Store name",   u"Store Address 1", u"Store Address 2", u"Store Address 3", u"Store Address 4",
    u"Store telephone", u"Date",         u"By line",         u"Member number",   u"Member name",
    u"Arrears total", u"Rentals total",  u"Tax 1",           u"Tax 2",           u"Total",
    u"Sundries",     u"Items",           u"Receipt",         u"Divider 1",       u"Items with return",
    u"Divider 2"};

const std::array<const char16_t*, 7> kAutoReceiptChoices = {
    u"None", u"Page receipt", u"Till receipt 1", u"Two per page 1", u"Two per page 2", u"Custom receipt",
    u"Till receipt 2"};

namespace {

constexpr size_t line_offset(int element) { return cfg::kCustomReceiptLines + 4 * static_cast<size_t>(element); }
constexpr size_t kDeviceWidth = cfg::kReceiptPrinterDriver - cfg::kReceiptPrinterDevice;

std::optional<int> within(text::u16view typed, int low, int high) {
  const auto v = text::parse_whole_number(typed);
  if (!v || *v < low || *v > high) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

CustomLayout custom_layout(const records::ConfigBlock& c) {
  CustomLayout out;
  for (int e = 0; e < cfg::kCustomReceiptElements; ++e) out.lines[e] = c.i32(line_offset(e));
  out.blank_lines = c.i32(cfg::kCustomReceiptBlankLines);
  out.logo = c.i32(cfg::kCustomReceiptLogo) == 2;
  return out;
}

void store_custom_layout(records::ConfigBlock& c, const CustomLayoutTyped& typed) {
  for (int e = 0; e < cfg::kCustomReceiptElements; ++e)
    if (const auto v = within(typed.lines[e], 0, kCustomLineLimit)) c.set_i32(line_offset(e), *v);
  if (const auto v = within(typed.blank_lines, kBlankLinesMin, kBlankLinesMax))
    c.set_i32(cfg::kCustomReceiptBlankLines, *v);
  c.set_i32(cfg::kCustomReceiptLogo, typed.logo ? 2 : 0);
}

ReceiptSettings receipt_settings(const records::ConfigBlock& c) {
  ReceiptSettings s;
  s.printer = c.receipt_printer();
  s.omit_print_confirm = c.i32(cfg::kOmitPrintConfirm) == 0;
  s.footer = c.str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth);
  s.include_logo = c.i32(cfg::kIncludeLogoOff) == 0;
  s.logo_full_width = c.i32(cfg::kLogoFullWidth) == 2;
  s.auto_receipt = std::clamp(c.i32(cfg::kAutoReceipt), 0, 6);
  return s;
}

void store_receipt_settings(records::ConfigBlock& c, const ReceiptSettings& s, const std::vector<text::u16>& installed) {
  const auto found = std::find(installed.begin(), installed.end(), s.printer);
  const bool named = !s.printer.empty() && found != installed.end();
  c.set_i32(cfg::kReceiptPrinterIndex, named ? static_cast<int32_t>(found - installed.begin()) + 1 : 0);
  c.set_str(cfg::kReceiptPrinterDevice, kDeviceWidth, named ? s.printer : text::u16());
  // CUPS has no separate driver name to keep beside the queue's.
  c.set_str(cfg::kReceiptPrinterDriver, cfg::kReceiptPrinterDriverWidth, u"");
  c.set_i32(cfg::kOmitPrintConfirm, s.omit_print_confirm ? 0 : 2);
  c.set_str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth, s.footer.substr(0, kFooterLimit));
  c.set_i32(cfg::kIncludeLogoOff, s.include_logo ? 0 : 2);
  c.set_i32(cfg::kLogoFullWidth, s.logo_full_width ? 2 : 0);
  c.set_i32(cfg::kAutoReceipt, std::clamp(s.auto_receipt, 0, 6));
}

}  // namespace kelvo::reports
