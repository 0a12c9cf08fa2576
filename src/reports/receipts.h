#pragma once
// Customer receipts of rentals and retail sales, each one page of a document "QUENDRIX" on the
// receipt printer the "Receipts" settings name, or through the print dialog.
#include "counter/rental_receipt.h"
#include "counter/sale_receipt.h"
#include "platform/operator.h"
#include "platform/printer.h"
#include "records/shop.h"

namespace kelvo::reports {

// The receipt printer: a named one opened directly, else the print dialog, or the default
// printer at once when "Omit print confirm" is set. False when nothing is to be printed; a
// printer that cannot be opened has been reported.
bool begin_receipt(platform::Printer& p, platform::Operator& op, const records::ConfigBlock& config);
// Hands the receipt over; "Unable to release printer" when that failed.
bool end_receipt(platform::Printer& p, platform::Operator& op);

// True when at least one element of the custom receipt has a line; otherwise says so.
bool custom_receipt_configured(const records::ConfigBlock& config, platform::Operator& op);

// The layouts, drawn on a begun printer.
void draw_rental_receipt(const records::Shop& shop, platform::Printer& p, const counter::RentalReceipt& r,
                         counter::RentalReceiptForm form);
void draw_sale_receipt(const records::Shop& shop, platform::Printer& p, const counter::SaleReceipt& sale,
                       counter::SaleReceiptForm form);

// What the cash tendered screens print through.
class Receipts : public counter::RentalReceipts, public counter::SaleReceipts {
 public:
  Receipts(records::Shop& shop, platform::Printer& printer) : shop_(shop), printer_(printer) {}
  void print_rental_receipt(const counter::RentalReceipt& receipt, counter::RentalReceiptForm form) override;
  void print_sale_receipt(const counter::SaleReceipt& sale, counter::SaleReceiptForm form) override;

 private:
  records::Shop& shop_;
  platform::Printer& printer_;
};

}  // namespace kelvo::reports
