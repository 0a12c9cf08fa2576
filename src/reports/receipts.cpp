#include "reports/receipts.h"

#include "records/config_layout.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

bool begin_receipt(platform::Printer& p, platform::Operator& op, const records::ConfigBlock& config) {
  platform::PrintDestination where;
  where.printer_name = config.receipt_printer();
  // A named printer is opened without asking; "Omit print confirm" is stored 0 when ticked.
  where.confirm = where.printer_name.empty() && config.i32(cfg::kOmitPrintConfirm) != 0;
  switch (p.begin(u"QUENDRIX", where)) {
    case platform::PrintStart::Started: return true;
    case platform::PrintStart::Cancelled: return false;
    case platform::PrintStart::Failed: break;
  }
  if (!where.printer_name.empty())
    op.message(u"Problem, unable to open printer", where.printer_name);
  else
    op.message(u"Problem", u"Unable to get printer");
  return false;
}

bool end_receipt(platform::Printer& p, platform::Operator& op) {
  if (p.end()) return true;
  op.message(u"Problem", u"Unable to release printer");
  return false;
}

bool custom_receipt_configured(const records::ConfigBlock& config, platform::Operator& op) {
  for (int e = 0; e < cfg::kCustomReceiptElements; ++e)
    if (config.i32(cfg::kCustomReceiptLines + 4 * e) != 0) return true;
  op.message(u"Custom receipt not configured", u"Please set up from the Options menu");
  return false;
}

void Receipts::print_rental_receipt(const counter::RentalReceipt& receipt, counter::RentalReceiptForm form) {
  if (form == counter::RentalReceiptForm::Custom && !custom_receipt_configured(shop_.config, shop_.op())) return;
  if (!begin_receipt(printer_, shop_.op(), shop_.config)) return;
  draw_rental_receipt(shop_, printer_, receipt, form);
  end_receipt(printer_, shop_.op());
}

void Receipts::print_sale_receipt(const counter::SaleReceipt& sale, counter::SaleReceiptForm form) {
  if (!begin_receipt(printer_, shop_.op(), shop_.config)) return;
  draw_sale_receipt(shop_, printer_, sale, form);
  end_receipt(printer_, shop_.op());
}

}  // namespace kelvo::reports
