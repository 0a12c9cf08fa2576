// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/print_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_progress.h"
#include "reports/barcode_screen.h"
#include "reports/custom_receipt_screen.h"
#include "reports/customer_agreement_screen.h"
#include "reports/letter_commands.h"
#include "reports/letter_text_screen.h"
#include "reports/mail_merge_screen.h"
#include "reports/photo_id_screen.h"
#include "reports/print_heading_screen.h"
#include "platform/qt/qt_operator.h"
#include "shell/main_window.h"

namespace kelvo::shell::prints {

namespace {

// A print for one member: the member prompt named after the command, then the print dialog.
template <class Command>
void for_member(MainWindow& w, const char* title, Command command) {
  if (&w.shop().op() == static_cast<platform::Operator*>(&w.op()))
    w.op().set_next_prompt_title(QString::fromLatin1(title));
  catalogue::QtCatalogueViews views(&w, w.shop());
  platform::qt::QtPrinter printer(&w);
  command(w.shop(), views, printer);
}

template <class Screen>
void settings_window(MainWindow& w) {
  Screen screen(w.shop(), &w);
  screen.exec();
}

template <class Screen>
void print_window(MainWindow& w) {
  platform::qt::QtPrinter printer(&w);
  Screen screen(w.shop(), printer, &w);
  screen.exec();
}

}  // namespace

void overdue_letter1(MainWindow& w) {
  for_member(w, "Overdue letter 1", [](auto& shop, auto& views, auto& p) {
    reports::overdue_letter_command(shop, views, p, reports::OverdueLetter::First);
  });
}
void overdue_letter2(MainWindow& w) {
  for_member(w, "Overdue letter 2", [](auto& shop, auto& views, auto& p) {
    reports::overdue_letter_command(shop, views, p, reports::OverdueLetter::Final);
  });
}
void unpaid_letter(MainWindow& w) { for_member(w, "Unpaid letter", reports::unpaid_letter_command); }
void member_details(MainWindow& w) { for_member(w, "Member details", reports::member_details_command); }
void rented_by_member(MainWindow& w) { for_member(w, "Rented by specific member", reports::rented_by_member_command); }
void photo_id_card(MainWindow& w) { for_member(w, "PhotoID card", reports::photo_id_command); }

void overdue_letter_text(MainWindow& w) { settings_window<reports::LetterTextScreen>(w); }
void photo_id_configuration(MainWindow& w) { settings_window<reports::PhotoIdScreen>(w); }
void print_heading(MainWindow& w) { settings_window<reports::PrintHeadingScreen>(w); }
void mail_merge(MainWindow& w) { print_window<reports::MailMergeScreen>(w); }
void membership_form(MainWindow& w) { print_window<reports::CustomerAgreementScreen>(w); }

void barcodes(MainWindow& w) {
  auto& shop = w.shop();
  reports::BarcodeScreen screen(shop, &w);
  if (screen.exec() != QDialog::Accepted) return;
  if (!reports::valid_range(screen.settings())) {
    platform::problem(shop.op(), u"Invalid range");
    return;
  }
  platform::qt::QtPrinter printer(&w);
  platform::qt::QtProgress progress(&w);
  reports::print_label_document(shop, printer, progress, screen.settings());
}

void custom_receipt(MainWindow& w) {
  reports::CustomReceiptScreen screen(w.shop().config, &w);
  if (screen.exec() == QDialog::Accepted) w.shop().save_config();
}

}  // namespace kelvo::shell::prints
