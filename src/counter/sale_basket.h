#pragma once
// The basket of one stock sale: up to 200 units, each unit checked against the quantity in
// stock as it is added, and the sub total, taxes and total that follow it. The pole display
// shows the new total after every addition.
#include <cstdint>
#include <map>
#include <vector>

#include "counter/payment.h"
#include "counter/retail_views.h"
#include "records/shop.h"

namespace kelvo::counter {

// Every live stock line for the list form, in number order, each record read once.
std::vector<StockListRow> stock_list(const records::Shop& shop);

class SaleBasket {
 public:
  static constexpr int kMaxUnits = 200;

  SaleBasket(records::Shop& shop, Till& till);

  // "Add" (units 1), "Add x 2" (units 2) and a double click; true when added. A refusal has
  // shown its message: "Total of 200 items reached.", "Out of stock.", or the stock file's.
  bool add(int64_t number, int units);
  // The scanner form: a line number typed or scanned, then Return. "Unknown item." for a
  // number without a stock line.
  bool add_typed(text::u16view typed);

  int units() const { return static_cast<int>(units_.size()); }
  bool empty() const { return units_.empty(); }
  // Units by line, in the order the lines were first added: what the commit writes.
  const std::vector<std::pair<int64_t, int>>& lines() const { return lines_; }
  const SaleReceipt& receipt() const { return receipt_; }
  // Lines of the basket as the screen lists them: "%I64d %s  %.2f" per unit added.
  const std::vector<text::u16>& shown() const { return shown_; }

  float sub_total() const { return sub_total_; }
  float tax1() const { return tax1_; }
  float tax2() const { return tax2_; }
  float total() const { return sub_total_ + tax1_ + tax2_; }
  text::u16 sub_total_text() const { return money_text(sub_total_); }
  text::u16 tax1_text() const { return money_text(tax1_); }
  text::u16 tax2_text() const { return money_text(tax2_); }
  text::u16 total_text() const { return money_text(total()); }

 private:
  void add_money(float price, int units);

  records::Shop& shop_;
  Till& till_;
  std::vector<int64_t> units_;  // one line number per unit
  std::vector<std::pair<int64_t, int>> lines_;
  std::vector<text::u16> shown_;
  SaleReceipt receipt_;
  float sub_total_ = 0, tax1_ = 0, tax2_ = 0;
};

}  // namespace kelvo::counter
