// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/command_table.h"

#include <string>

#include "catalogue/reservations.h"
#include "records/settings_rules.h"
#include "reports/film_lists.h"
#include "reports/film_prints.h"
#include "reports/member_lists.h"
#include "shell/email_commands.h"
#include "shell/export_commands.h"
#include "shell/figures_commands.h"
#include "shell/import_commands.h"
#include "shell/film_commands.h"
#include "shell/list_commands.h"
#include "shell/main_window.h"
#include "shell/payment_commands.h"
#include "shell/member_commands.h"
#include "shell/pricing_commands.h"
#include "shell/print_commands.h"
#include "shell/rental_commands.h"
#include "shell/retail_commands.h"
#include "shell/return_commands.h"
#include "shell/settings_prompts.h"
#include "shell/shell_operations.h"
#include "shell/till_commands.h"

namespace kelvo::shell {

namespace {

using records::Flag;
using records::StartNumber;
using records::Toggle;
namespace cfg = records::cfg;

constexpr Guard kAdmin = Guard::Administrator;

Command item(std::string_view id, std::string_view menu, std::string_view text, std::string_view keys = {},
             Handler handler = nullptr, CheckMark check = nullptr) {
  return Command{id, menu, text, keys, {}, Guard::Open, Flag::Configuration, handler, check};
}
Command guarded(std::string_view id, std::string_view menu, std::string_view text, Flag flag,
                std::string_view keys = {}, Handler handler = nullptr) {
  return Command{id, menu, text, keys, {}, Guard::Flag, flag, handler, nullptr};
}
Command admin(std::string_view id, std::string_view menu, std::string_view text, std::string_view keys,
              Handler handler) {
  return Command{id, menu, text, keys, {}, kAdmin, Flag::Configuration, handler, nullptr};
}
// Keys that work but are not printed beside the menu text.
Command hidden_keys(Command c) {
  c.shown = "-";
  return c;
}
Command separator(std::string_view menu) { return Command{{}, menu, "-", {}, {}}; }

template <Toggle T>
bool toggled(const records::ConfigBlock& c) { return records::toggle_on(c, T); }
template <Toggle T>
void flip(MainWindow& w) { settings::toggle(w, T); }
template <StartNumber S>
void start_number(MainWindow& w) { settings::start_number(w, S); }

// A list or print flow as a command of the window.
template <lists::ListFlow F>
void list_command(MainWindow& w) { lists::run(w, F); }
#define L(flow) list_command<flow>

void overdue_any(records::Shop& s, catalogue::ListScreens& l) { reports::list_overdue_films(s, l, reports::OverdueKind::AnyDays); }
void overdue_at_least(records::Shop& s, catalogue::ListScreens& l) { reports::list_overdue_films(s, l, reports::OverdueKind::AtLeast); }
void overdue_below(records::Shop& s, catalogue::ListScreens& l) { reports::list_overdue_films(s, l, reports::OverdueKind::Below); }
void print_overdue_any(records::Shop& s, catalogue::ListScreens& l) { reports::print_overdue_films(s, l, false); }
void print_overdue_days(records::Shop& s, catalogue::ListScreens& l) { reports::print_overdue_films(s, l, true); }

bool indent_set(const records::ConfigBlock& c) { return c.i64(cfg::kListIndent) != 0; }
bool sound_on(const records::ConfigBlock& c) { return c.sound_on(); }

std::vector<Command> build() {
  std::vector<Command> t;
  auto add = [&t](Command c) { t.push_back(c); };

  // File
  add(item("file.list_font_size", "&File", "&List font size", {}, settings::list_font_size));
  add(item("file.indent_listings", "&File", "&Indent listings", {}, settings::indent_listings, indent_set));
  add(item("file.new_searches", "&File", "&New searches", {}, flip<Toggle::NewSearches>, toggled<Toggle::NewSearches>));
  add(separator("&File"));
  add(item("file.email_setup", "&File", "Email &setup", {}, email::setup));
  add(item("file.email_report", "&File", "Email &report", {}, email::report));
  add(item("file.email_day_log", "&File", "Email the &day log", {}, email::day_log));
  add(separator("&File"));
  add(item("file.update_items", "&File", "&Update items from file", {}, update_items));
  add(separator("&File"));
  add(item("file.exit_print_report", "&File", "Exit - &print report", {}, figures::exit_print_report));
  add(item("file.exit_print_log", "&File", "Exit - print &log", {}, figures::exit_print_log));
  add(item("file.exit_print_both", "&File", "Exit - print report + lo&g", {}, figures::exit_print_both));
  add(item("file.exit", "&File", "E&xit", "Alt+X", [](MainWindow& w) { w.quit(); }));

  // Films
  add(item("films.new_format1", "F&ilms", "New format &1", "F5", new_film_format1));
  add(item("films.new_format2", "F&ilms", "New format &2", "F3", new_film_format2));
  add(guarded("films.amend", "F&ilms", "&Amend", Flag::AmendFilm, "Ctrl+A", amend_film));
  add(guarded("films.delete", "F&ilms", "&Delete", Flag::DeleteFilm, {}, delete_film));
  add(guarded("films.sell", "F&ilms", "&Sell", Flag::SellFilm, {}, retail::sell_film));
  add(separator("F&ilms"));
  add(item("films.day_return", "F&ilms", "Day &return rental", "F7", rental::day_return));
  add(separator("F&ilms"));
  add(item("films.find", "F&ilms", "&Find", "F2", find_film));
  add(item("films.find_title", "F&ilms", "Find by &title", "Ctrl+N", find_film_by_title));
  add(item("films.find_contain", "F&ilms", "Find that &contain", {}, find_films_containing));
  const std::string_view list = "F&ilms/&List";
  add(item("films.list_from", list, "List &from", "Ctrl+F", L(reports::list_films_from)));
  add(item("films.list_alpha", list, "&Alphabetically", {}, L(reports::list_films_alphabetically)));
  add(item("films.list_category", list, "By &Category", {}, L(reports::list_films_by_category)));
  add(item("films.list_format", list, "By F&ormat", {}, L(reports::list_films_by_format)));
  add(item("films.list_band", list, "By charge &band", {}, L(reports::list_films_by_band)));
  add(item("films.list_actor", list, "By Ac&tor", {}, L(reports::list_films_by_actor)));
  add(item("films.list_director", list, "By &Director", {}, L(reports::list_films_by_director)));
  add(item("films.list_active", list, "Acti&ve", {}, L(reports::list_active_films)));
  add(item("films.list_overdue", list, "&Overdue", {}, L(overdue_any)));
  add(hidden_keys(item("films.list_overdue_verbose", list, "Overdue &verbose", "Ctrl+O", L(reports::list_overdue_members))));
  add(item("films.list_overdue_more", list, "Overdue by &>days", {}, L(overdue_at_least)));
  add(item("films.list_overdue_less", list, "Overdue by &<days", {}, L(overdue_below)));
  add(item("films.list_just_rented", list, "&Just rented", {}, L(reports::list_just_rented)));
  add(item("films.list_just_returned", list, "Just r&eturned", "F6", L(reports::list_just_returned)));
  add(item("films.list_rented_today", list, "Rented toda&y", {}, L(reports::list_films_rented_today)));
  add(item("films.list_rented_on", list, "Rented on a &set day", {}, L(reports::list_films_rented_on)));
  const std::string_view fprint = "F&ilms/&Print";
  add(item("films.print_from", fprint, "&From number ..", {}, L(reports::print_films_from)));
  add(item("films.print_alpha", fprint, "&Alphabetically", {}, L(reports::print_films_alphabetically)));
  add(item("films.print_active", fprint, "Acti&ve", {}, L(reports::print_active_films)));
  add(item("films.print_category", fprint, "&Category", {}, L(reports::print_films_by_category)));
  add(item("films.print_band", fprint, "Charge &band", {}, L(reports::print_films_by_band)));
  add(item("films.print_not_rented", fprint, "No&t rented since ..", {}, L(reports::print_films_not_rented_since)));
  add(item("films.print_due_on", fprint, "&Due on a set day", {}, L(reports::print_films_due_on)));
  add(item("films.print_overdue", fprint, "&Overdue", "Ctrl+J", L(print_overdue_any)));
  add(item("films.print_overdue_verbose", fprint, "Overdue &verbose", {}, L(reports::print_overdue_members)));
  add(item("films.print_overdue_days", fprint, "Overdue by da&ys", {}, L(print_overdue_days)));
  add(item("films.print_rented_today", fprint, "&Rented today", {}, L(reports::print_films_rented_today)));
  add(item("films.print_rented_on", fprint, "Rented on a &set day", {}, L(reports::print_films_rented_on)));

  // Members
  add(item("members.add", "&Members", "A&dd", {}, members::add));
  add(item("members.add30", "&Members", "Add with &30 day expiry", {}, members::add_30_day));
  add(item("members.add90", "&Members", "Add with &90 day expiry", {}, members::add_90_day));
  add(item("members.amend", "&Members", "&Amend", {}, members::amend));
  add(guarded("members.delete", "&Members", "D&elete", Flag::DeleteMember, {}, members::remove));
  add(guarded("members.prune", "&Members", "Pr&une", Flag::PruneMembership, {}, members::prune));
  add(item("members.lostcard", "&Members", "Los&tcard", {}, lists::lost_card));
  add(guarded("members.amend_credit", "&Members", "Amend &credit", Flag::AmendCredit, {}, amend_credit));
  add(separator("&Members"));
  add(item("members.find", "&Members", "&Find", "F4", members::find));
  add(hidden_keys(item("members.by_address", "&Members", "&By address", "Ctrl+B", members::find_by_address)));
  add(item("members.find_telephone", "&Members", "Find by telep&hone", "Ctrl+E", members::find_by_telephone));
  const std::string_view mlist = "&Members/&List";
  add(item("members.list_from", mlist, "List &from", "Ctrl+M", L(reports::list_members_from)));
  add(item("members.list_alpha", mlist, "&Alphabetically", {}, L(reports::list_members_alphabetically)));
  add(item("members.list_owe", mlist, "&Owe money", {}, L(reports::list_members_owing)));
  add(item("members.list_active", mlist, "A&ctive", {}, L(reports::list_active_members)));
  add(item("members.list_not_cat1", mlist, "&Not category 1", {}, L(reports::list_members_not_category1)));
  add(separator("&Members"));
  add(item("members.return_items", "&Members", "&Return items", "Ctrl+I", return_items_by_member));
  add(item("members.return_then_rent", "&Members", "Return the&n rent", "F8", rental::return_then_rent));
  add(item("members.rent_telephone", "&Members", "Rent b&y telephone", "Ctrl+H", rental::rent_by_telephone));
  add(separator("&Members"));
  add(item("members.transaction_data", "&Members", "Tran&saction data", {}, lists::transaction_data));
  add(item("members.investigate", "&Members", "&Investigate", {}, lists::investigate));
  add(item("members.photo", "&Members", "Add or update ph&oto", {}, members::photo));
  const std::string_view mprint = "&Members/&Print";
  add(item("members.print_from", mprint, "&From number ..", {}, L(reports::print_members_from)));
  add(item("members.print_alpha", mprint, "&Alphabetically", {}, L(reports::print_members_alphabetically)));
  add(item("members.print_active", mprint, "Acti&ve", {}, L(reports::print_active_members)));
  add(item("members.print_owe", mprint, "&Owe money", {}, L(reports::print_members_owing)));
  add(item("members.print_not_cat1", mprint, "&Not category 1", {}, L(reports::print_members_not_category1)));
  add(item("members.print_not_rented", mprint, "No&t rented since ..", {}, L(reports::print_members_not_seen_since)));
  add(item("members.photo_id_config", mprint, "PhotoID card &configuration", {}, prints::photo_id_configuration));
  add(item("members.photo_id", mprint, "&PhotoID card", "Ctrl+D", prints::photo_id_card));
  add(item("members.print_details", mprint, "&Member details", {}, prints::member_details));
  add(item("members.print_rented_by", mprint, "&Rented by specific member", {}, prints::rented_by_member));

  // Reservations
  add(item("reservations.add", "&Reservations", "&Add", {}, lists::add_reservation));
  add(item("reservations.add_today", "&Reservations", "Add &today", "Ctrl+R", lists::add_reservation_today));
  add(item("reservations.list", "&Reservations", "&List", {}, L(catalogue::list_reservations)));
  add(item("reservations.print", "&Reservations", "&Print", "Ctrl+T", L(catalogue::print_reservations)));
  add(item("reservations.amend", "&Reservations", "A&mend", {}, lists::amend_reservation));
  add(item("reservations.delete", "&Reservations", "&Delete", {}, lists::delete_reservation));
  add(separator("&Reservations"));
  add(item("reservations.notify", "&Reservations", "&Notify on return", {}, flip<Toggle::NotifyOnReturn>,
           toggled<Toggle::NotifyOnReturn>));

  // Retail
  add(item("retail.sale", "Re&tail", "&Sale", "Ctrl+S", retail::sale));
  add(item("retail.new_line", "Re&tail", "&New line", {}, retail::new_line));
  add(guarded("retail.amend", "Re&tail", "&Amend", Flag::SundriesAmend, {}, retail::amend_line));
  add(item("retail.list", "Re&tail", "&List", {}, L(reports::list_stock)));
  add(item("retail.print", "Re&tail", "&Print", {}, L(reports::print_stock)));
  add(guarded("retail.delete", "Re&tail", "&Delete", Flag::SundriesDelete, {}, retail::delete_line));
  add(separator("Re&tail"));
  add(item("retail.non_inventory", "Re&tail", "N&on inventory sale", {}, retail::non_inventory));

  // Reports
  add(item("reports.by_category", "Re&ports", "Rentals by &category", {}, figures::rentals_by_category));
  add(item("reports.by_band", "Re&ports", "Rentals by charge &band", {}, figures::rentals_by_band));
  add(item("reports.averages", "Re&ports", "Display &averages", {}, figures::display_averages));
  add(item("reports.highest", "Re&ports", "&Highest historic", {}, L(reports::list_highest_historic)));
  add(item("reports.multicopy", "Re&ports", "&Multicopy analysis", {}, multicopy_analysis));
  add(separator("Re&ports"));
  Command takings = guarded("reports.takings", "Re&ports", "&Takings", Flag::Takings, {}, figures::takings);
  takings.shown = "F11";  // shown as on the original menu; the key itself signs off
  add(takings);
  add(guarded("reports.print_takings", "Re&ports", "&Print takings", Flag::PrintTakings, {}, figures::print_takings));
  add(guarded("reports.purge_takings", "Re&ports", "P&urge takings", Flag::PurgeTakings, {}, figures::purge_takings));
  add(item("reports.export_takings", "Re&ports", "&Export takings", {}, figures::export_takings));
  add(separator("Re&ports"));
  add(item("reports.till_reconciliation", "Re&ports", "Till &reconciliation", {}, figures::till_reconciliation));
  add(item("reports.till_closeout", "Re&ports", "Till cl&oseout", {}, figures::till_closeout));

  // Activity
  add(guarded("activity.overview", "&Activity", "Daily &overview", Flag::StatusDisplay, "F12", figures::daily_overview));
  add(item("activity.print_overview", "&Activity", "&Print overview", {}, figures::print_overview));
  add(item("activity.previous_overview", "&Activity", "P&revious overview", {},
           [](MainWindow& w) { shell::previous_overview(w.shop(), &w); }));
  add(separator("&Activity"));
  add(item("activity.display_log", "&Activity", "&Display log file", {},
           [](MainWindow& w) { shell::show_log(w.shop(), &w, false); }));
  add(item("activity.display_previous_log", "&Activity", "Display pre&vious log file", {},
           [](MainWindow& w) { shell::show_log(w.shop(), &w, true); }));
  add(guarded("activity.purge_logs", "&Activity", "P&urge log files", Flag::PurgeLogFiles, {},
              [](MainWindow& w) { shell::purge_log_files(w.shop()); }));
  add(separator("&Activity"));
  add(item("activity.print_log_today", "&Activity", "Print &log for today", {}, figures::print_log_today));
  add(item("activity.print_log_day", "&Activity", "Pr&int log from a specific day", {}, figures::print_log_day));
  add(item("activity.print_log_all", "&Activity", "Print &entire log file", {}, figures::print_log_whole));
  add(item("activity.print_log_previous", "&Activity", "Print previous lo&g file", {}, figures::print_log_previous));

  // Options
  add(item("options.backup", "&Options", "&Backup", {}, [](MainWindow& w) { shell::backup(w.shop(), &w); }));
  add(item("options.restore", "&Options", "&Restore", {}, [](MainWindow& w) { w.restore(); }));
  add(separator("&Options"));
  add(item("options.hi_res", "&Options", "&Hi res picture", {}, flip<Toggle::HiResPicture>, toggled<Toggle::HiResPicture>));
  add(item("options.pin_rental", "&Options", "P&IN rental", {}, flip<Toggle::PinRental>, toggled<Toggle::PinRental>));
  add(item("options.op_pin_rental", "&Options", "OP PIN Re&ntal", {}, flip<Toggle::OperatorPinRental>,
           toggled<Toggle::OperatorPinRental>));
  add(item("options.default_debt", "&Options", "Default &debt is paid", {}, settings::default_debt,
           toggled<Toggle::DefaultDebtPaid>));
  add(item("options.default_overdue", "&Options", "Default &overdue is paid", {}, settings::default_overdue,
           toggled<Toggle::DefaultOverduePaid>));
  add(separator("&Options"));
  add(item("options.mailmerge", "&Options", "&Mailmerge", {}, prints::mail_merge));
  add(item("options.custom_receipt", "&Options", "&Custom receipt", {}, prints::custom_receipt));
  add(item("options.membership_form", "&Options", "M&embership form", {}, prints::membership_form));
  add(item("options.overdue_letter1", "&Options", "Overdue &letter 1", "Ctrl+L", prints::overdue_letter1));
  add(item("options.overdue_letter2", "&Options", "O&verdue letter 2", {}, prints::overdue_letter2));
  add(item("options.overdue_letter_text", "&Options", "Overdue letter &text", {}, prints::overdue_letter_text));
  add(item("options.unpaid_letter", "&Options", "&Unpaid letter", {}, prints::unpaid_letter));
  add(item("options.overdue_email", "&Options", "O&verdue email", {}, email::overdue));
  add(separator("&Options"));
  add(guarded("options.special_offers", "&Options", "&Special offers", Flag::SpecialOffers, {}, pricing::special_offers));
  add(guarded("options.offer_one_price", "&Options", "All items one &price", Flag::SpecialOffers, {}, pricing::all_items_one_price));
  add(guarded("options.offer_two_items", "&Options", "A&ny two items one price", Flag::SpecialOffers, {}, pricing::any_two_items));
  add(guarded("options.offer_three_items", "&Options", "Any t&hree items one price", Flag::SpecialOffers, {}, pricing::any_three_items));
  add(item("options.rental_credits", "&Options", "Rental cre&dits", {}, pricing::rental_credits));

  // Utilities
  add(guarded("utilities.configuration", "&Utilities", "&Configuration", Flag::Configuration, "Ctrl+C",
              till_commands::configuration));
  add(item("utilities.log_capacity", "&Utilities", "&Log file capacity", {},
           [](MainWindow& w) { shell::choose_log_capacity(w.shop(), &w); }));
  add(guarded("utilities.takings_amendment", "&Utilities", "&Takings amendment", Flag::TakingsAmendment, {},
              figures::takings_amendment));
  add(separator("&Utilities"));
  add(item("utilities.closed_day", "&Utilities", "Closed &day", {}, pricing::closed_day));
  add(item("utilities.band_days", "&Utilities", "Charge &band days", {}, pricing::band_days));
  // The command exists for the access screen only; it does nothing further.
  add(guarded("utilities.file_reset", "&Utilities", "&File reset", Flag::FileReset, {}, [](MainWindow&) {}));
  add(guarded("utilities.tax", "&Utilities", "Ta&x configuration", Flag::Tax, {}, figures::tax_configuration));
  add(item("utilities.print_heading", "&Utilities", "Store &print heading", {}, prints::print_heading));
  add(item("utilities.barcodes", "&Utilities", "Print ba&rcodes", {}, prints::barcodes));
  add(item("utilities.field_names", "&Utilities", "Customi&ze field names", {}, settings::customize_field_names));
  add(separator("&Utilities"));
  add(item("utilities.format1_start", "&Utilities", "Format &1 start", {}, start_number<StartNumber::Format1>));
  add(item("utilities.format2_start", "&Utilities", "Format &2 start", {}, start_number<StartNumber::Format2>));
  add(item("utilities.member_start", "&Utilities", "&Member start", {}, start_number<StartNumber::Member>));
  add(item("utilities.inhibit_film_start", "&Utilities", "&Inhibit film start", {}, flip<Toggle::InhibitFilmStart>,
           toggled<Toggle::InhibitFilmStart>));
  add(item("utilities.inhibit_member_start", "&Utilities", "I&nhibit member start", {},
           flip<Toggle::InhibitMemberStart>, toggled<Toggle::InhibitMemberStart>));
  add(separator("&Utilities"));
  add(item("utilities.export", "&Utilities", "&Export", {}, export_records));
  add(admin("utilities.import", "&Utilities", "I&mport", {}, import_records));
  add(separator("&Utilities"));
  add(item("utilities.clock_display", "&Utilities", "Cl&ock display", {}, settings::clock_display));
  add(item("utilities.sound_effects", "&Utilities", "&Sound effects", {}, flip<Toggle::SoundEffects>, sound_on));
  add(separator("&Utilities"));
  add(admin("utilities.operator_setup", "&Utilities", "O&perator setup", {},
            [](MainWindow& w) { shell::operator_setup(w.shop(), w.access()); }));
  add(admin("utilities.password_control", "&Utilities", "Pass&word control", "Ctrl+P",
            [](MainWindow& w) { shell::password_control(w.shop(), w.access(), &w); }));
  add(item("utilities.log_off", "&Utilities", "Lo&g off", "F11", [](MainWindow& w) { w.log_off(); }));

  // Help
  add(hidden_keys(item("help.contents", "&Help", "&Contents", "F1", [](MainWindow& w) { w.show_help("index.html"); })));
  add(item("help.using", "&Help", "&Using help", {}, [](MainWindow& w) { w.show_help("using_help.html"); }));
  add(separator("&Help"));
  add(item("help.tip", "&Help", "&Tip of the day ...", {}, [](MainWindow& w) { w.show_tip(true); }));
  add(item("help.calendar", "&Help", "C&alendar", {}, settings::calendar));
  add(item("help.about", "&Help", "&About", {}, settings::about));

  // Reached by the big buttons and keys only.
  add(item("counter.rent", {}, "Rent", {}, rental::rent));
  add(item("counter.return", {}, "Return", {}, return_items));
  add(item("members.amend_last", {}, "Amend last member", "F9", members::amend_last));
  add(item("counter.offer1", {}, "Special offer 1", "7", rental::offer1));
  add(item("counter.offer2", {}, "Special offer 2", "8", rental::offer2));
  add(item("counter.offer3", {}, "Special offer 3", "9", rental::offer3));
  add(item("counter.offer4", {}, "Special offer 4", "0", rental::offer4));
  add(item("till.open_drawer", {}, "Open cash drawer", "+", till_commands::open_drawer));
  return t;
}

}  // namespace

const std::vector<Command>& commands() {
  static const std::vector<Command> table = build();
  return table;
}

const Command* find_command(std::string_view id) {
  for (const Command& c : commands())
    if (!c.id.empty() && c.id == id) return &c;
  return nullptr;
}

std::vector<std::string_view> not_yet_wired() {
  std::vector<std::string_view> out;
  for (const Command& c : commands())
    if (!c.id.empty() && !c.handler) out.push_back(c.id);
  return out;
}

std::vector<std::string_view> top_menus() {
  std::vector<std::string_view> out;
  for (const Command& c : commands()) {
    if (c.menu.empty()) continue;
    std::string_view top = c.menu.substr(0, c.menu.find('/'));
    bool seen = false;
    for (auto m : out) seen = seen || m == top;
    if (!seen) out.push_back(top);
  }
  return out;
}

bool command_allowed(const Command& c, const records::ConfigBlock& config, records::AccessState state) {
  switch (c.guard) {
    case Guard::Open: return true;
    case Guard::Administrator: return records::may_administer(state);
    case Guard::Flag: return records::may_use(config, state, c.flag);
  }
  return true;
}

const std::vector<std::vector<ToolButton>>& toolbar_groups() {
  static const std::vector<std::vector<ToolButton>> groups = {
      {{"Add new inventory item", "films.new_format1"},
       {"Display overdue items (extended)", "films.list_overdue_verbose"},
       {"Print overdue items", "films.print_overdue"},
       {"Add image to member", "members.photo"}},
      {{"Set special offers", "options.special_offers"},
       {"Find by actor", "films.list_actor"},
       {"Find by director", "films.list_director"},
       {"Print membership form", "options.membership_form"}},
      {{"Find film", "films.find"},
       {"Delete film", "films.delete"},
       {"Find member", "members.find"},
       {"Delete member", "members.delete"}},
      {{"Add reservation", "reservations.add"},
       {"Delete reservation", "reservations.delete"},
       {"Print reservations", "reservations.print"},
       {"Display reservations", "reservations.list"}},
      {{"Print overdue letter", "options.overdue_letter1"},
       {"Sell film", "films.sell"},
       {"Log off (F11)", "utilities.log_off"},
       {"Backup", "options.backup"}},
  };
  return groups;
}

const std::vector<BigButtonCommand>& big_buttons() {
  static const std::vector<BigButtonCommand> buttons = {
      {"rent", "counter.rent", "counter.rent"},
      {"return", "counter.return", "counter.return"},
      {"New member", "members.add", "members.add"},
      {"New film", "films.new_format1", "members.find"},
  };
  return buttons;
}

}  // namespace kelvo::shell
