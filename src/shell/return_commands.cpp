// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "counter/return_transaction.h"
#include "shell/return_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "counter/payment_screens_screen.h"
#include "counter/return_screen.h"
#include "platform/qt/qt_operator.h"
#include "shell/main_window.h"
#include "shell/till_commands.h"

namespace kelvo::shell {

namespace {

// The screens of one return, alive for the length of the command.
struct ReturnScreens {
  explicit ReturnScreens(MainWindow& w) : screen(&w), payment(&w, w.shop().config), till(shell::till(w)) {}
  counter::qt::QtReturnScreen screen;
  counter::qt::QtPaymentScreens payment;
  counter::Till& till;
  counter::ReturnContext context(MainWindow& w) { return {screen, payment, payment, till, w.access()}; }
};

}  // namespace

int64_t run_return(MainWindow& w, int64_t item) {
  ReturnScreens s(w);
  return counter::return_items(w.shop(), s.context(w), item);
}

void return_items(MainWindow& w) { run_return(w); }

void return_items_by_member(MainWindow& w) {
  ReturnScreens s(w);
  catalogue::QtCatalogueViews views(&w, w.shop());
  w.op().set_next_prompt_title(QStringLiteral("Return"));
  counter::return_for_member(w.shop(), views, s.context(w));
}

}  // namespace kelvo::shell
