#pragma once
// The day's figures for the command table: status window and overview, rental analysis, tax
// settings, the takings history, the till and the printed log.
namespace kelvo::shell {

class MainWindow;

namespace figures {
void daily_overview(MainWindow& w);
void print_overview(MainWindow& w);
void rentals_by_category(MainWindow& w);
void rentals_by_band(MainWindow& w);
void tax_configuration(MainWindow& w);
void takings(MainWindow& w);
void print_takings(MainWindow& w);
void takings_amendment(MainWindow& w);
void purge_takings(MainWindow& w);
void export_takings(MainWindow& w);
void display_averages(MainWindow& w);
void till_reconciliation(MainWindow& w);
void till_closeout(MainWindow& w);
void print_log_today(MainWindow& w);
void print_log_day(MainWindow& w);
void print_log_whole(MainWindow& w);
void print_log_previous(MainWindow& w);
void exit_print_report(MainWindow& w);
void exit_print_log(MainWindow& w);
void exit_print_both(MainWindow& w);
}  // namespace figures

}  // namespace kelvo::shell
