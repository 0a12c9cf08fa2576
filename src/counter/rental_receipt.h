#pragma once
// What a settled rental hands to its receipt: the member, the items rented in this
// transaction and the money as the cash tendered screen settled it. The rental fills it; the
// receipt printing lays it out. Kept apart from both, as the sale's receipt is.
#include <cstdint>
#include <vector>

#include "text/calendar.h"
#include "text/utf16.h"

namespace kelvo::counter {

struct ReceiptItem {
  int64_t number = 0;
  text::u16 title;
  text::u16 rented;  // time-date stamp hh:mmdd/mm/yyyy
  text::u16 due;     // dd/mm/yyyy
};

struct RentalReceipt {
  int64_t member = 0;
  text::u16 title, initial, name, road, area, town, post_code;
  std::vector<ReceiptItem> items;  // only the items rented in this transaction
  // Arrears paid as the rental began. The marker stays 0 unless a settlement records one; a
  // marked amount is not shown as late fees.
  float arrears_settled = 0;
  int settlement_marker = 0;
  float rental_charge = 0;  // what this transaction charges for its items, taxes included
  float discount = 0;       // deducted from the rental charge
  float sundries = 0;       // retail sales made inside the rental, before their taxes
  float tax1 = 0, tax2 = 0;  // the rental's taxes and the sundries' together
  float sundries_taxes = 0;  // the sundries' share of tax1 and tax2: the total charges it too
  float rentals_ex_tax = 0;  // the sub total before taxes
  float balance_before = 0;  // the member's owed when the rental started
  float balance_after = 0;   // and once it was paid
  int32_t transaction = 0;
  text::u16 return_time;     // the store's return deadline "HH:MM"
  text::DateTime when;
};

// The receipt buttons of the cash tendered screen, numbered as the "Auto receipt" setting.
enum class RentalReceiptForm { Page = 1, Till1, TwoPerPage1, TwoPerPage2, Custom, Till2 };

class RentalReceipts {
 public:
  virtual ~RentalReceipts() = default;
  virtual void print_rental_receipt(const RentalReceipt& receipt, RentalReceiptForm form) = 0;
};

}  // namespace kelvo::counter
