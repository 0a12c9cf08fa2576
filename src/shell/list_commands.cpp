// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/list_commands.h"

#include "catalogue/member_history.h"
#include "catalogue/qt_catalogue_views_screen.h"
#include "catalogue/reservation_screen.h"
#include "catalogue/reservations.h"
#include "catalogue/transaction_screen.h"
#include "platform/qt/qt_operator.h"
#include "reports/list_screens_screen.h"
#include "shell/main_window.h"

namespace kelvo::shell::lists {

namespace {

// Names the prompt window after the command, when the prompt is a Qt one.
void title_next_prompt(MainWindow& w, const char* title) {
  if (&w.shop().op() == static_cast<platform::Operator*>(&w.op())) w.op().set_next_prompt_title(QObject::tr(title));
}

void add(MainWindow& w, bool today) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::QtReservationScreens screens(&w);
  catalogue::add_reservation(w.shop(), views, screens, today);
}

}  // namespace

void run(MainWindow& w, ListFlow flow) {
  reports::QtListScreens screens(&w, w.shop());
  flow(w.shop(), screens);
}

void add_reservation(MainWindow& w) { add(w, false); }
void add_reservation_today(MainWindow& w) { add(w, true); }
void amend_reservation(MainWindow& w) { catalogue::amend_reservation(w.shop()); }
void delete_reservation(MainWindow& w) { catalogue::delete_reservation(w.shop()); }

void investigate(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::QtHistoryViews history(&w);
  title_next_prompt(w, "Investigate");
  catalogue::investigate(w.shop(), views, history);
}

void transaction_data(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::QtHistoryViews history(&w);
  title_next_prompt(w, "Transaction");
  catalogue::transaction_data(w.shop(), views, history);
}

void lost_card(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::lost_card(w.shop(), views);
}

}  // namespace kelvo::shell::lists
