#pragma once
// The "Non inventory sale" screen's model: a description typed, picked from the quick buttons or
// spelt on the on-screen keyboard, a price typed or put together on the price pad, taxable or
// not, and Nett, Tax 1, Tax 2 and Total following every change.
#include <optional>
#include <vector>

#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::counter {

class NonInventoryModel {
 public:
  static constexpr size_t kDescriptionLimit = 40;
  static constexpr int kQuickPrices = 20;  // quick buttons 1.00 to 20.00

  explicit NonInventoryModel(const records::ConfigBlock& config);

  // "Misc", "Lottery", "Accessories", "Loose items".
  static const std::vector<text::u16>& quick_descriptions();

  void set_description(text::u16view typed);  // cut to the field's width
  void key(char16_t c);                       // a key of the on-screen keyboard
  void backspace();

  void set_price(text::u16view typed);
  void quick_price(int whole);  // "%d.00"
  // A key of the price pad: a digit, or the decimal point (once; at most two places after it).
  void price_key(char16_t c);
  void price_backspace();
  void clear_price();

  void set_taxable(bool taxable);

  const text::u16& description() const { return description_; }
  const text::u16& price_text() const { return price_text_; }
  bool taxable() const { return taxable_; }
  bool taxes_shown() const;  // a tax is active and applies to this sale
  const text::u16& nett() const { return nett_; }
  const text::u16& tax1() const { return tax1_; }
  const text::u16& tax2() const { return tax2_; }
  const text::u16& total() const { return total_; }

  // The typed price read strictly; nullopt for text that is not an amount, or a negative one.
  std::optional<float> price() const;
  float tax1_amount() const { return tax1_amount_; }
  float tax2_amount() const { return tax2_amount_; }
  float total_amount() const { return total_amount_; }  // what the customer pays

 private:
  void recompute();

  const records::ConfigBlock& config_;
  text::u16 description_, price_text_;
  bool taxable_ = true;
  text::u16 nett_, tax1_, tax2_, total_;
  float tax1_amount_ = 0, tax2_amount_ = 0, total_amount_ = 0;
};

}  // namespace kelvo::counter
