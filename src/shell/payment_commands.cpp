// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "counter/payment.h"
#include "shell/payment_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_operator.h"
#include "shell/main_window.h"

namespace kelvo::shell {

void amend_credit(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  w.op().set_next_prompt_title(QStringLiteral("Amend credit"));
  counter::amend_credit(w.shop(), views);
}

}  // namespace kelvo::shell
