// The six layouts of a rental receipt. Line numbers count from the top of the page (below the
// logo of the till forms).
#include <algorithm>

#include "records/config_layout.h"
#include "reports/letter_page.h"
#include "reports/receipts.h"
#include "reports/receipts_lines.h"
#include "reports/receipts_sheet.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;
using counter::RentalReceipt;
using counter::RentalReceiptForm;

namespace {

const text::u16 kDashes18(18, u'-');
const text::u16 kEquals18(18, u'=');
const text::u16 kDashes67(67, u'-');

std::vector<text::u16> address_lines(const RentalReceipt& r) {
  std::vector<text::u16> out;
  for (const text::u16* s : {&r.road, &r.area, &r.town, &r.post_code})
    if (!s->empty()) out.push_back(*s);
  return out;
}

text::u16 member_heading(const RentalReceipt& r) { return text::format("%s %s %s", {r.title, r.initial, r.name}); }

text::u16 time_and_date(const records::Shop& shop, const RentalReceipt& r) {
  return text::format("%02d:%02d %s", {r.when.hour, r.when.minute, receipt_date(shop, r.when)});
}

// The totals block centred from `line`; the last line it used.
int totals_block(Sheet& sheet, int line, const Totals& t) {
  const auto lines = t.lines();
  for (const auto& s : lines) sheet.centred(line++, s);
  return line - 1;
}

void page_receipt(const records::Shop& shop, platform::Printer& p, const RentalReceipt& r) {
  LetterPage head(p);
  letter_head(head, shop.address, shop.folder());
  Sheet sheet(p);
  int line = 7 + 8;
  sheet.left(line, text::format("%s %s %s (ID: %I64d)", {r.title, r.initial, r.name, r.member}));
  for (const auto& a : address_lines(r)) sheet.left(++line, a);
  sheet.right(++line, receipt_date(shop, r.when));
  line += 6;
  sheet.left(line, u"Items:");
  line += 1;
  for (const auto& item : r.items) sheet.left(++line, page_item_line(item, r.return_time));
  line = totals_block(sheet, line + 2, totals(r, shop.config));
  line += 2;
  sheet.centred(line, footer(shop.config));
  sheet.left(line + 4, u"Signed .....................");
}

void till_receipt(const records::Shop& shop, platform::Printer& p, const RentalReceipt& r, bool with_items) {
  Sheet sheet(p);
  till_logo(sheet, shop);
  centred_store_lines(sheet, shop.address, 2);
  sheet.centred(9, text::format("Sales Receipt # %d", {r.transaction}));
  sheet.centred(10, receipt_date(shop, r.when));
  sheet.centred(11, kDashes18);
  int line = 11;
  if (with_items) {
    line += 2;
    sheet.centred(line, member_heading(r));
    for (const auto& item : r.items) sheet.centred(++line, till_item_line(item, r.return_time));
  }
  line = totals_block(sheet, line + 2, totals(r, shop.config));
  sheet.centred(++line, kEquals18);
  line += 2;
  sheet.centred(line, footer(shop.config));
  sheet.centred(line + 2, u"  ");  // feeds the paper past the tear bar
}

// The store block of both two-per-page forms; the next free line.
int two_per_page_store(Sheet& sheet, const records::AddressLines& a, int line) {
  sheet.left(line++, a.line(1));
  sheet.left(line++, text::format("%s     Enquires  Call: %s", {a.line(2), a.line(6)}));
  sheet.left(line++, text::format("%s, %s", {a.line(3), a.line(4)}));
  return line;
}

void two_per_page_1_copy(const records::Shop& shop, Sheet& sheet, const RentalReceipt& r, int line) {
  line = two_per_page_store(sheet, shop.address, line);
  sheet.left(line++, text::format("Account %I64d %s, %s     %s", {r.member, r.name, r.initial, receipt_date(shop, r.when)}));
  sheet.left(line++, kDashes67);
  for (const auto& item : r.items) sheet.left(line++, page_item_line(item, r.return_time));
  line = totals_block(sheet, line, totals(r, shop.config)) + 1;
  sheet.centred(line++, footer(shop.config));
  sheet.left(line++, kDashes67);
  sheet.left(line++, u"Authorized by: .....................");
  sheet.left(line++, u"ID Source: [ ]Driver Lic_________________[ ]SigCard [ ]Known [ ]");
  line += 1;
  sheet.left(line, member_heading(r));
  for (const auto& a : address_lines(r)) sheet.left(++line, a);
}

void two_per_page_2_copy(const records::Shop& shop, Sheet& sheet, const RentalReceipt& r, int line) {
  line = two_per_page_store(sheet, shop.address, line);
  sheet.left(line++, time_and_date(shop, r));
  sheet.left(line++, kDashes67);
  sheet.left(line, text::format("%I64d, %s %s %s", {r.member, r.title, r.initial, r.name}));
  for (const auto& a : address_lines(r)) sheet.left(++line, a);
  ++line;
  const Totals t = totals(r, shop.config);
  const text::u16 late_fees = late_fees_apply(r) ? text::format("%.2f", {r.arrears_settled}) : text::u16(u"0.00");
  sheet.left(line++, text::format("Beginning balance: %.2f    Late fees paid: ", {r.balance_before}) + late_fees);
  sheet.left(line++, text::format("Rentals: %s    Sales: %.2f", {t.rentals_amount, r.sundries}));
  const text::u16 remaining = r.balance_after > 0 ? text::format("%.2f", {r.balance_after}) : text::u16();
  sheet.left(line++, text::format("Total: %s      Remaining balance: ", {text::format("%.2f", {t.total_amount})}) + remaining);
  sheet.left(line, kDashes67);
}

template <typename Copy>
void two_per_page(const records::Shop& shop, platform::Printer& p, const RentalReceipt& r, Copy copy) {
  Sheet sheet(p);
  copy(shop, sheet, r, 1);
  copy(shop, sheet, r, sheet.half_page_line());
}

// Custom receipt element texts, by element number.
text::u16 custom_text(const records::Shop& shop, const RentalReceipt& r, const Totals& t, int element) {
  switch (element) {
    case 0: case 1: case 2: case 3: case 4: case 5: return shop.address.line(element + 1);
    case 6: return time_and_date(shop, r);
    case 7: return footer(shop.config);
    case 8: return text::format("Customer: %I64d", {r.member});
    case 9: return text::format("%s %s", {r.initial, r.name});
    case 10: return t.late_fees;
    case 11: return t.rentals;
    case 12: return t.tax1;
    case 13: return t.tax2;
    case 14: return t.total;
    case 15: return t.sundries;
    case 17: return text::format("Sales Receipt # %d", {r.transaction});
    case 18: return text::u16(20, u'-');
    case 20: return text::u16(20, u'=');
    default: return {};
  }
}

void custom_receipt(const records::Shop& shop, platform::Printer& p, const RentalReceipt& r) {
  const records::ConfigBlock& c = shop.config;
  Sheet sheet(p);
  if (c.i32(cfg::kCustomReceiptLogo) == 2)
    sheet.shift_by(draw_logo(p, shop.folder(), c.i32(cfg::kLogoFullWidth) == 2));
  const Totals t = totals(r, c);
  int last = 0;
  for (int e = 0; e < cfg::kCustomReceiptElements; ++e) {
    const int at = c.i32(cfg::kCustomReceiptLines + 4 * e);
    if (at <= 0) continue;
    if (e == 16 || e == 19) {
      int line = at;
      for (const auto& item : r.items)
        sheet.centred(line++, e == 16 ? text::format("%-6I64d %s", {item.number, item.title})
                                      : till_item_line(item, r.return_time));
      last = std::max(last, line - 1);
      continue;
    }
    sheet.centred(at, custom_text(shop, r, t, e));
    last = std::max(last, at);
  }
  const int blank = std::clamp(c.i32(cfg::kCustomReceiptBlankLines), 0, 20);
  for (int i = 0; i < blank; ++i) sheet.centred(last + 2 + i, u"  ");
}

}  // namespace

void draw_rental_receipt(const records::Shop& shop, platform::Printer& p, const RentalReceipt& r,
                         RentalReceiptForm form) {
  switch (form) {
    case RentalReceiptForm::Page: return page_receipt(shop, p, r);
    case RentalReceiptForm::Till1: return till_receipt(shop, p, r, false);
    case RentalReceiptForm::Till2: return till_receipt(shop, p, r, true);
    case RentalReceiptForm::TwoPerPage1: return two_per_page(shop, p, r, two_per_page_1_copy);
    case RentalReceiptForm::TwoPerPage2: return two_per_page(shop, p, r, two_per_page_2_copy);
    case RentalReceiptForm::Custom: return custom_receipt(shop, p, r);
  }
}

}  // namespace kelvo::reports
