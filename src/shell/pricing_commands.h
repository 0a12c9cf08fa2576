#pragma once
// The pricing commands of the main window: the special offer, band days, closed day and rental
// credit settings, and the three one-price offers, which last until the program closes.
#include "counter/pricing.h"

namespace kelvo::shell {

class MainWindow;

// The one-price offers of this run, kept with the main window: gone when the program closes.
counter::OfferState& offer_state(MainWindow& w);

namespace pricing {

void special_offers(MainWindow& w);
void all_items_one_price(MainWindow& w);
void any_two_items(MainWindow& w);
void any_three_items(MainWindow& w);
void rental_credits(MainWindow& w);
void closed_day(MainWindow& w);
void band_days(MainWindow& w);

}  // namespace pricing
}  // namespace kelvo::shell
