#pragma once
// Selling at the counter: a basket of stock lines ("Sale", alone or from the rental screen's
// "Retail" button), an item without a stock line ("Non inventory sale") and a rental item
// itself ("Sell film"). Each sale is one transaction: its records, the day's figures and its
// log entry are committed together, after the files it writes have been found.
#include <cstdint>

#include "catalogue/catalogue_views.h"
#include "counter/payment.h"
#include "counter/retail_views.h"
#include "records/shop.h"

namespace kelvo::counter {

// What a sale talks through besides the shop's operator.
struct SaleContext {
  SaleScreen& screen;
  SaleCashScreen& cash;
  Till& till;
  SaleReceipts* receipts = nullptr;  // the receipt buttons print through it; none: not offered
};

// What a stock sale took: the rental adds it to its cash tendered screen and its receipt.
struct StockSaleResult {
  bool sold = false;
  int units = 0;
  float sub_total = 0, tax1 = 0, tax2 = 0;
  float total = 0;  // S, taxes included
  SaleReceipt receipt;  // names the member when sold inside a rental
};

// `sell_stock(in_rental)`: the "Sale" screen in the form the settings choose, then the commit.
// Alone the drawer opens and the sale's cash tendered screen follows; inside a rental the
// amounts go back to the rental and the drawer opens once the sale is on file.
StockSaleResult sell_stock(records::Shop& shop, const SaleContext& ctx, bool in_rental);

// The commit of a basket (steps 1, 2, 4 and 5): mans.dat and the log are found first and
// nothing changes when either is missing. False when nothing was sold.
bool commit_stock_sale(records::Shop& shop, const SaleBasket& basket);

// "Non inventory sale".
bool sell_non_inventory(records::Shop& shop, const SaleContext& ctx, NonInventoryScreen& screen);

// "Sell film": the film found, refused while on loan, priced on "Sale of rental item", then
// deleted from the catalogue in the same commit that books the money.
bool sell_rental_item(records::Shop& shop, const SaleContext& ctx, catalogue::CatalogueViews& views,
                      RentalItemSaleScreen& screen);

}  // namespace kelvo::counter
