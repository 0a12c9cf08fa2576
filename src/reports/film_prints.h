#pragma once
// The printed film lists (Films menu, "Print") and the printed stock list. Each asks its
// questions, then prints the films that pass its test on the list's pages.
#include "catalogue/list_screens.h"
#include "records/shop.h"

namespace kelvo::reports {

void print_films_from(records::Shop& shop, catalogue::ListScreens& screens);            // "Numeric film list: "
void print_films_alphabetically(records::Shop& shop, catalogue::ListScreens& screens);  // "Alphabetical film list: "
void print_active_films(records::Shop& shop, catalogue::ListScreens& screens);          // "Active film list: "
void print_films_by_category(records::Shop& shop, catalogue::ListScreens& screens);     // "Film category list: "
void print_films_not_rented_since(records::Shop& shop, catalogue::ListScreens& screens);  // "Rental gap film list: "
void print_overdue_films(records::Shop& shop, catalogue::ListScreens& screens, bool ask_days);  // "Overdue film list: "
void print_films_rented_today(records::Shop& shop, catalogue::ListScreens& screens);    // "Films rented today: "
void print_films_rented_on(records::Shop& shop, catalogue::ListScreens& screens);       // "Films rented on a set day: "
void print_films_due_on(records::Shop& shop, catalogue::ListScreens& screens);          // "Films due on a set day: "
void print_films_by_band(records::Shop& shop, catalogue::ListScreens& screens);         // "... Film, charge band %I64d: "
void print_stock(records::Shop& shop, catalogue::ListScreens& screens);                 // "Numeric stock list: "

}  // namespace kelvo::reports
