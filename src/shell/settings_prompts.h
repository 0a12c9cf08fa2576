#pragma once
// The small settings of the main window that need no screen of their own: start numbers,
// listing indent and font size, the menu toggles, clock, field names, calendar and about box.
// The rules themselves are in records/settings_rules.h; these show and ask.
#include "records/settings_rules.h"

namespace kelvo::shell {

class MainWindow;

namespace settings {

void list_font_size(MainWindow& w);
void indent_listings(MainWindow& w);
void start_number(MainWindow& w, records::StartNumber which);
void toggle(MainWindow& w, records::Toggle t);
void default_debt(MainWindow& w);
void default_overdue(MainWindow& w);
void clock_display(MainWindow& w);
void customize_field_names(MainWindow& w);
void calendar(MainWindow& w);
void about(MainWindow& w);

}  // namespace settings
}  // namespace kelvo::shell
