#pragma once
// The "General" and "Bands" pages of the Configuration window: their values as typed and the
// rules that store them. A value outside its range, or not a value at all, leaves the stored
// one as it was.
#include <array>
#include <cstdint>

#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::till {

// --- "General" -------------------------------------------------------------------------------
struct GeneralSettings {
  static constexpr int64_t kMinRentalDays = 1, kMaxRentalDays = 180;
  static constexpr int64_t kMaxItemsPerCustomer = 100;  // a rental holds at most 100 items
  static constexpr size_t kFormatLength = 4, kCategoryLength = 3;

  text::u16 rental_days;
  text::u16 return_deadline;  // "HH:MM"
  text::u16 format1, format2;
  text::u16 till_total;
  text::u16 items_per_customer;  // 0: no limit
  std::array<text::u16, records::cfg::kCategoryCount> categories;
  bool cash_tendered = true;         // "Display cash tendered dialog after each rental ..."
  bool member_list = false;          // "On the member search display a list box ..."
  bool charge_per_day = true;        // "The rental charge is the product of ..."
  bool select_all_on_return = false; // "The return dialog will default to select all ..."
  bool auto_offer = false;           // "Automatically offer item on rental"
  bool sundry_by_list = true;        // "On sundry item sale select by list, ..."
  int overdue_detail = 0;            // "Overdue print detail", 0 to 3

  static GeneralSettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
  static const std::array<const char16_t*, 4>& overdue_details();
};

// Exactly five characters "HH:MM", hour below 24 and minute below 60.
bool valid_return_deadline(text::u16view typed);

// --- "Bands" ---------------------------------------------------------------------------------
struct BandSettings {
  static constexpr int kRentalBands = 9;   // band 9 is the day return price
  static constexpr int kOverdueBands = 8;
  static constexpr int64_t kMaxPrice = 200000;  // hundredths of the currency; above 0
  static constexpr size_t kCurrencyLength = 3;

  std::array<text::u16, kRentalBands> rental;
  std::array<text::u16, kOverdueBands> overdue;
  text::u16 currency_symbol;

  static BandSettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
};

}  // namespace kelvo::till
