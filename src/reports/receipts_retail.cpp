// The receipts of a retail sale: one item or a basket on the till printer, or a basket on a page.
#include "records/config_layout.h"
#include "records/record_files.h"
#include "reports/letter_page.h"
#include "reports/receipts.h"
#include "reports/receipts_lines.h"
#include "reports/receipts_sheet.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;
using counter::SaleReceipt;
using counter::SaleReceiptForm;

namespace {

text::u16 sale_tax_line(const records::ConfigBlock& c, int which, float amount) {
  const text::u16 description = c.str(which == 1 ? cfg::kTax1Description : cfg::kTax2Description, cfg::kTaxDescriptionWidth);
  if (description.empty()) return text::format("Tax %d: %.2f", {which, amount});
  return text::format("%s: %.2f", {description, amount});
}

// The items, taxes and total from `line`, then the footer and the paper feed.
void sale_body(const records::Shop& shop, Sheet& sheet, const SaleReceipt& sale, int line, bool single) {
  const records::ConfigBlock& c = shop.config;
  auto put = [&](text::u16view s) { sheet.centred(line++, s); };
  for (const auto& item : sale.items) put(text::format("%s  %.2f", {item.description, item.price}));
  if (sale.tax1 != 0) put(sale_tax_line(c, 1, sale.tax1));
  if (sale.tax2 != 0) put(sale_tax_line(c, 2, sale.tax2));
  put(text::u16(14, single ? u'-' : u'='));
  put(text::format("Total: %s%.2f", {currency(c), sale.total}));
  put(footer(c));
  put(u"  ");
  put(u"  ");
}

void till_sale(const records::Shop& shop, platform::Printer& p, const SaleReceipt& sale, bool single) {
  Sheet sheet(p);
  till_logo(sheet, shop);
  centred_store_lines(sheet, shop.address, 2);
  sheet.centred(9, receipt_date(shop, shop.now()));
  sheet.centred(10, u"=======");
  sale_body(shop, sheet, sale, 11, single);
}

// As the rental page receipt: letter head, the member when the sale had one, "Items:".
void page_sale(const records::Shop& shop, platform::Printer& p, const SaleReceipt& sale) {
  LetterPage head(p);
  letter_head(head, shop.address, shop.folder());
  Sheet sheet(p);
  int line = 7 + 8;
  records::MemberRecord m;
  if (sale.member > 0 && shop.members.read_number(sale.member, m) == records::ReadResult::Ok) {
    sheet.left(line, text::format("%s %s %s", {m.title(), m.initial(), m.name()}));
    for (const text::u16& a : {m.road(), m.area(), m.town(), m.post_code()})
      if (!a.empty()) sheet.left(++line, a);
  }
  sheet.right(++line, receipt_date(shop, shop.now()));
  line += 6;
  sheet.left(line, u"Items:");
  sale_body(shop, sheet, sale, line + 2, false);
}

}  // namespace

void draw_sale_receipt(const records::Shop& shop, platform::Printer& p, const SaleReceipt& sale, SaleReceiptForm form) {
  switch (form) {
    case SaleReceiptForm::SingleTill: return till_sale(shop, p, sale, true);
    case SaleReceiptForm::MultiTill: return till_sale(shop, p, sale, false);
    case SaleReceiptForm::MultiPage: return page_sale(shop, p, sale);
  }
}

}  // namespace kelvo::reports
