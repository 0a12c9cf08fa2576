#pragma once
// The texts of a rental receipt: item lines in their page and till forms and the totals block.
#include <vector>

#include "counter/rental_receipt.h"
#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::reports {

// "%-6I64d %-35s at HH:MM Mmm dd <return time> Mmm dd": rented when, due back when.
text::u16 page_item_line(const counter::ReceiptItem& item, text::u16view return_time);
// Title cut to 10 characters, due date and the return time on a 12-hour clock.
text::u16 till_item_line(const counter::ReceiptItem& item, text::u16view return_time);

// The totals block. Each text is there whether or not its condition holds (the custom receipt
// prints them all); the flags say which the other receipts print.
struct Totals {
  text::u16 late_fees, rentals, sundries, tax1, tax2, total;
  bool late_fees_shown = false, sundries_shown = false, tax1_shown = false, tax2_shown = false;
  text::u16 rentals_amount;  // the value after "Rentals: "
  float total_amount = 0;
  // The shown lines in print order.
  std::vector<text::u16> lines() const;
};
Totals totals(const counter::RentalReceipt& r, const records::ConfigBlock& config);

// The arrears settled as late fees: an unmarked amount that is not 0.
bool late_fees_apply(const counter::RentalReceipt& r);
// "%s: %s (%.2f%%)" with the tax's description, or "Tax n: ..." when it has none.
text::u16 tax_line(const records::ConfigBlock& config, int which, float amount);

// The currency symbol kept in the configuration block.
text::u16 currency(const records::ConfigBlock& config);
// The footer ("by line") of every receipt.
text::u16 footer(const records::ConfigBlock& config);

}  // namespace kelvo::reports
