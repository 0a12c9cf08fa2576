#pragma once
// What a retail sale hands to its receipt: the units sold and the money. The sale flows fill
// it; the receipt printing lays it out. Kept apart from both so neither depends on the other.
#include <cstdint>
#include <vector>

#include "text/utf16.h"

namespace kelvo::counter {

struct SoldItem {
  text::u16 description;  // stock line description, "Non inventory" text or the film title
  float price = 0;        // sale price of this one unit, before taxes
};

struct SaleReceipt {
  std::vector<SoldItem> items;  // one entry per unit, in the order they were added
  float tax1 = 0, tax2 = 0;     // 0: the tax line is left out
  float total = 0;              // what the customer pays, taxes included
  int64_t member = 0;           // the page form's member heading; 0 when sold without a member
};

// "&Till receipt" for one item (non-inventory sale, sold film) or a basket, "&Page receipt".
enum class SaleReceiptForm { SingleTill, MultiTill, MultiPage };

// The sale screens print through this; the printing side chooses the printer the way every
// receipt does and reports its own problems.
class SaleReceipts {
 public:
  virtual ~SaleReceipts() = default;
  virtual void print_sale_receipt(const SaleReceipt& sale, SaleReceiptForm form) = 0;
};

}  // namespace kelvo::counter
