// records/shop.h (through mail_setup_screen.h) comes before any Qt header: a record count there is named "slots".
#include "mail/mail_setup_screen.h"
#include "shell/email_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_operator.h"
#include "shell/main_window.h"

namespace kelvo::shell::email {

namespace {

mail::QtMailScreens screens_of(MainWindow& w) { return mail::QtMailScreens(&w, w.shop().op()); }

}  // namespace

void setup(MainWindow& w) {
  auto screens = screens_of(w);
  mail::email_setup(w.shop(), screens);
}

void report(MainWindow& w) {
  auto screens = screens_of(w);
  mail::email_report(w.shop(), screens);
}

void day_log(MainWindow& w) {
  auto screens = screens_of(w);
  mail::email_day_log(w.shop(), screens);
}

void overdue(MainWindow& w) {
  auto screens = screens_of(w);
  catalogue::QtCatalogueViews views(&w, w.shop());
  if (&w.shop().op() == static_cast<platform::Operator*>(&w.op()))
    w.op().set_next_prompt_title(QObject::tr("Please enter the member"));
  mail::overdue_email(w.shop(), views, screens);
}

}  // namespace kelvo::shell::email
