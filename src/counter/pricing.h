#pragma once
// Pricing of a rental: the price of each item as it is added, the days it goes out for, the
// closed-day extension, rental credits and the two taxes. Money is single-precision float as
// the counter has always computed it; prices and offer totals are whole pence times 0.01f.
#include <cstdint>

#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::counter {

// The three one-price offers. They live only in memory: zero when the program starts and never
// written to wr.cfg, so a forgotten offer ends with the day's run. The shell keeps one for the run.
struct OfferState {
  int64_t one_price = 0;  // "All items one price", pence; 0 not in use
  int64_t any_two = 0;    // "Any two items one price"
  int64_t any_three = 0;  // "Any three items one price"
  bool any_in_use() const { return one_price != 0 || any_two != 0 || any_three != 0; }
};

// How a rental is priced and dated.
struct RentalMode {
  enum class Kind { Normal, DayReturn, Offer };
  Kind kind = Kind::Normal;
  int offer = 0;  // 1 to 4 when kind == Offer
  static RentalMode normal() { return {}; }
  static RentalMode day_return() { return {Kind::DayReturn, 0}; }
  static RentalMode special_offer(int k) { return {Kind::Offer, k}; }
  bool is_offer() const { return kind == Kind::Offer; }
  bool is_day_return() const { return kind == Kind::DayReturn; }
};

// Band price in pence: bands 1 to 8, band 9 the day return price. Any other band has no price
// (a stray band number must not read some unrelated setting as a price).
int32_t band_price(const records::ConfigBlock& config, int band);
bool band_days_active(const records::ConfigBlock& config);
// Days of band 1 to 8 from the charge band days table; 0 for any other band.
int32_t band_days(const records::ConfigBlock& config, int band);
bool offer_uses_band_days(const records::ConfigBlock& config, int k);

// Whether the member's rental credits pay for the n-th item of the transaction (free items
// included in n), given how many free items were already in it. The credits are those of the
// member record, not the count shown going down on the screen.
bool credits_cover(int32_t rental_credits, int n, int free_before);
// Credits left after a finished rental: each new item that is not free uses one, never below 0.
int32_t credits_after_rental(int32_t rental_credits, int new_items_not_free);

// Adds the price of the item being added to `sub_total` (or, for the any-two and any-three
// offers, sets it to the offer price). `days` is the item's rental days, `n` the number of
// items in the transaction including this one. Only called when the item is to be priced:
// not free, no special offer mode, not covered by credits.
void price_item(const records::ConfigBlock& config, const OfferState& offers, RentalMode mode,
                int band, int64_t days, int n, float& sub_total);

// The days an item goes out for, before the closed-day extension. `days` are the rental days in
// force (days box or default days); band days and offers may replace them.
int64_t rental_days(const records::ConfigBlock& config, int band, RentalMode mode, int64_t days);
// The days the offer screen opens with in offer mode k (offer k's days).
int64_t offer_days(const records::ConfigBlock& config, int k);
// The offer's total in money, as the sub total starts in offer mode k.
float offer_total(const records::ConfigBlock& config, int k);

// Adds a day for each closed day among the first `days` days from tomorrow (two with "Closed for
// two days"). `today_weekday` is 0 Sunday ... 6 Saturday, taken when the program started.
int64_t extend_for_closed_day(const records::ConfigBlock& config, int today_weekday, int64_t days);

// Rental credits earned by a finished rental; `rental_credits` grows and the number awarded in
// this transaction is returned (0: nothing to announce).
int award_credits(const records::ConfigBlock& config, int64_t rented_before, int64_t rented_after,
                  int32_t& rental_credits);

// What the tax and total boxes show for a sub total.
struct TaxFigures {
  bool taxed = false;   // a tax is active: the boxes below are filled in
  text::u16 tax1_text;  // "%.2f", or "0" when the sub total is 0 or less
  text::u16 tax2_text;
  text::u16 total_text;
  float tax1 = 0;       // the shown values, read back from the texts
  float tax2 = 0;
  float total = 0;
};
// From the sub total box's text: with no tax active the total shows that text unchanged.
TaxFigures compute_taxes(const records::ConfigBlock& config, text::u16view sub_total_text);
TaxFigures compute_taxes(const records::ConfigBlock& config, float sub_total);
// Whether late fees (and stock sales) go untaxed: the taxes are then left out of those amounts.
bool no_tax_on_overdue(const records::ConfigBlock& config);
bool no_tax_on_stock_sale(const records::ConfigBlock& config);
bool any_tax_active(const records::ConfigBlock& config);
// Reads a money box the way the counter does: leading blanks, a sign, digits, a decimal point;
// what cannot be read counts 0.
float read_money(text::u16view text);

}  // namespace kelvo::counter
