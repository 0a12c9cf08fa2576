// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/figures_commands.h"

#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_printer.h"
#include "records/log_commands.h"
#include "reports/export_takings_screen.h"
#include "reports/graph_screen.h"
#include "reports/log_print.h"
#include "reports/rental_analysis_screen.h"
#include "reports/status_screen.h"
#include "reports/takings.h"
#include "reports/tax_screen.h"
#include "reports/till_screen.h"
#include "shell/main_window.h"

namespace kelvo::shell::figures {

void daily_overview(MainWindow& w) {
  reports::StatusScreen screen(reports::status_texts(w.shop(), w.previous_shutdown()), &w);
  screen.exec();
}

void print_overview(MainWindow& w) {
  platform::qt::QtPrinter printer(&w);
  reports::print_overview(w.shop(), printer);
}

void rentals_by_category(MainWindow& w) {
  reports::CategoryScreen today(QObject::tr("Film categories for today"), reports::category_fields(w.shop().config, false), &w);
  today.exec();
  reports::CategoryScreen month(QObject::tr("Film categories for month"), reports::category_fields(w.shop().config, true), &w);
  month.exec();
}

void rentals_by_band(MainWindow& w) {
  reports::BandScreen screen(reports::band_rows(w.shop().config), &w);
  screen.exec();
}

void tax_configuration(MainWindow& w) {
  reports::TaxScreen screen(reports::tax_settings(w.shop().config), &w);
  if (screen.exec() != QDialog::Accepted) return;
  reports::store_tax_settings(w.shop().config, screen.settings());
  w.shop().save_config();
}

void takings(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  reports::show_takings(w.shop(), views);
}

void print_takings(MainWindow& w) {
  platform::qt::QtPrinter printer(&w);
  reports::print_takings(w.shop(), printer);
}

void takings_amendment(MainWindow& w) { reports::amend_takings(w.shop()); }

void purge_takings(MainWindow& w) { reports::purge_takings(w.shop()); }

void export_takings(MainWindow& w) {
  if (auto request = reports::ExportTakingsScreen::ask(&w)) reports::export_takings(w.shop(), *request);
}

void display_averages(MainWindow& w) {
  reports::GraphScreen screen(reports::weekly_averages(w.shop().config), w.shop().now(), &w);
  screen.exec();
}

void till_reconciliation(MainWindow& w) {
  reports::QtTillViews views(&w);
  reports::till_reconciliation(w.shop(), views);
}

void till_closeout(MainWindow& w) {
  reports::QtTillViews views(&w);
  platform::qt::QtPrinter printer(&w);
  if (reports::till_closeout(w.shop(), views, printer)) w.log_off();
}

namespace {

void print_log(MainWindow& w, reports::LogPrint which, text::u16view day = {}) {
  platform::qt::QtPrinter printer(&w);
  reports::print_log(w.shop(), printer, which, day);
}

}  // namespace

void print_log_today(MainWindow& w) { print_log(w, reports::LogPrint::Today); }

void print_log_day(MainWindow& w) {
  if (auto day = records::ask_log_day(w.shop())) print_log(w, reports::LogPrint::Day, *day);
}

void print_log_whole(MainWindow& w) { print_log(w, reports::LogPrint::Whole); }
void print_log_previous(MainWindow& w) { print_log(w, reports::LogPrint::Previous); }

// Each prints, then ends the run as Exit does, whether or not the print went out.
void exit_print_report(MainWindow& w) {
  print_overview(w);
  w.quit();
}

void exit_print_log(MainWindow& w) {
  print_log_today(w);
  w.quit();
}

void exit_print_both(MainWindow& w) {
  print_overview(w);
  print_log_today(w);
  w.quit();
}

}  // namespace kelvo::shell::figures
