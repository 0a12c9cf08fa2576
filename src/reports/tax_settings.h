#pragma once
// The "TAX CONTROL" settings: two taxes with their rates in hundredths of a percent, the
// compound rule, the two exemptions and the short descriptions printed on receipts.
#include "records/config_block.h"

namespace kelvo::reports {

struct TaxSettings {
  bool active1 = false, active2 = false;
  text::u16 rate1, rate2;  // as typed
  bool compound = false, no_tax_on_overdue = false, no_tax_on_stock_sale = false;
  text::u16 description1, description2;
};

constexpr int kTaxDescriptionLength = 5;

TaxSettings tax_settings(const records::ConfigBlock& c);
// A rate that is not a whole number from 0 to 9999 leaves the stored one; descriptions are cut
// to five characters.
void store_tax_settings(records::ConfigBlock& c, const TaxSettings& s);
// The description of tax 1 or 2, "Tax 1" / "Tax 2" when none is set.
text::u16 tax_description(const records::ConfigBlock& c, int which);

}  // namespace kelvo::reports
