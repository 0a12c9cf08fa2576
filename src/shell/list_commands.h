#pragma once
// The list, print, reservation and member history commands of the main window. Each runs its
// flow with the Qt screens (list window, progress, printer, prompts) over the window.

#pragma push_macro("slots")
#undef slots
#include "catalogue/list_screens.h"
#include "records/shop.h"
#pragma pop_macro("slots")

namespace kelvo::shell {

class MainWindow;

namespace lists {
using ListFlow = void (*)(records::Shop&, catalogue::ListScreens&);
// Runs a list or print flow with the window's screens.
void run(MainWindow& w, ListFlow flow);

void add_reservation(MainWindow& w);
void add_reservation_today(MainWindow& w);
void amend_reservation(MainWindow& w);
void delete_reservation(MainWindow& w);

void investigate(MainWindow& w);
void transaction_data(MainWindow& w);
void lost_card(MainWindow& w);
}  // namespace lists

}  // namespace kelvo::shell
