// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "counter/rental.h"
#include "shell/rental_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "counter/payment_screens_screen.h"
#include "counter/rental_screen.h"
#include "counter/sale_cash_screen.h"
#include "counter/sale_screen.h"
#include "platform/qt/qt_operator.h"
#include "platform/qt/qt_printer.h"
#include "reports/receipts.h"
#include "shell/main_window.h"
#include "shell/pricing_commands.h"
#include "shell/return_commands.h"
#include "shell/till_commands.h"

namespace kelvo::shell {

namespace {

// The screens of one rental, alive for the length of the command.
struct RentalScreens {
  explicit RentalScreens(MainWindow& w)
      : views(&w, w.shop()), screen(&w), payment(&w, w.shop().config), till(shell::till(w)), printer(&w),
        receipts(w.shop(), printer), sale_screen(&w), sale_cash(&w), sale{sale_screen, sale_cash, till, &receipts} {
    screen.help = [&w] { w.show_help(QStringLiteral("renting.html")); };
  }
  counter::RentalContext context(MainWindow& w) {
    platform::qt::QtOperator* op = &w.op();
    counter::RentalContext ctx{views,   screen,  payment, payment, payment, payment,
                                  payment, till,    offer_state(w), w.access(),
                                  [op](text::u16view caption) {
                                    op->set_next_prompt_title(QString::fromStdU16String(text::u16(caption)));
                                  },
                                  &receipts};
    ctx.retail = &sale;
    return ctx;
  }
  catalogue::QtCatalogueViews views;
  counter::qt::QtRentalScreen screen;
  counter::qt::QtPaymentScreens payment;
  counter::Till& till;
  platform::qt::QtPrinter printer;
  reports::Receipts receipts;
  // "Retail" on the rental screen: the stock sale's screens.
  counter::qt::QtSaleScreen sale_screen;
  counter::qt::QtSaleCashScreen sale_cash;
  counter::SaleContext sale;
};

}  // namespace

void run_rental(MainWindow& w, counter::RentalMode mode, int64_t member) {
  RentalScreens s(w);
  counter::rent(w.shop(), s.context(w), counter::RentalRequest{mode, member});
}

namespace rental {

void rent(MainWindow& w) { run_rental(w, counter::RentalMode::normal()); }
void offer1(MainWindow& w) { run_rental(w, counter::RentalMode::special_offer(1)); }
void offer2(MainWindow& w) { run_rental(w, counter::RentalMode::special_offer(2)); }
void offer3(MainWindow& w) { run_rental(w, counter::RentalMode::special_offer(3)); }
void offer4(MainWindow& w) { run_rental(w, counter::RentalMode::special_offer(4)); }
void day_return(MainWindow& w) { run_rental(w, counter::RentalMode::day_return()); }

void return_then_rent(MainWindow& w) {
  const int64_t member = run_return(w);
  if (member > 0) run_rental(w, counter::RentalMode::normal(), member);
}

void rent_by_telephone(MainWindow& w) {
  RentalScreens s(w);
  counter::rent_by_telephone(w.shop(), s.context(w));
}

}  // namespace rental
}  // namespace kelvo::shell
