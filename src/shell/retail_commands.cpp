// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "counter/stock_lines.h"
#include "counter/stock_sale.h"
#include "shell/retail_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "counter/non_inventory_screen.h"
#include "counter/rental_item_sale_screen.h"
#include "counter/sale_cash_screen.h"
#include "counter/sale_screen.h"
#include "counter/stock_line_screen.h"
#include "platform/qt/qt_printer.h"
#include "reports/receipts.h"
#include "shell/main_window.h"
#include "shell/till_commands.h"

namespace kelvo::shell {

namespace {

// The screens of one sale, alive for the length of the command.
struct SaleScreens {
  explicit SaleScreens(MainWindow& w)
      : screen(&w), cash(&w), till(shell::till(w)), printer(&w), receipts(w.shop(), printer) {}
  counter::SaleContext context() { return counter::SaleContext{screen, cash, till, &receipts}; }
  counter::qt::QtSaleScreen screen;
  counter::qt::QtSaleCashScreen cash;
  counter::Till& till;
  platform::qt::QtPrinter printer;
  reports::Receipts receipts;
};

}  // namespace

namespace retail {

void sale(MainWindow& w) {
  SaleScreens s(w);
  counter::sell_stock(w.shop(), s.context(), false);
}

void new_line(MainWindow& w) {
  counter::qt::QtStockLineScreen screen(&w);
  counter::new_stock_line(w.shop(), screen);
}

void amend_line(MainWindow& w) {
  counter::qt::QtStockLineScreen screen(&w);
  counter::amend_stock_line(w.shop(), screen);
}

void delete_line(MainWindow& w) { counter::delete_stock_line(w.shop()); }

void non_inventory(MainWindow& w) {
  SaleScreens s(w);
  counter::qt::QtNonInventoryScreen screen(&w);
  counter::sell_non_inventory(w.shop(), s.context(), screen);
}

void sell_film(MainWindow& w) {
  SaleScreens s(w);
  catalogue::QtCatalogueViews views(&w, w.shop());
  counter::qt::QtRentalItemSaleScreen screen(&w, w.shop().config);
  counter::sell_rental_item(w.shop(), s.context(), views, screen);
}

}  // namespace retail
}  // namespace kelvo::shell
