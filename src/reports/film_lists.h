#pragma once
// The film lists shown in the list window (Films menu, "List"), the stock list and the
// highest historic films. Each asks its questions, then pages through the films that pass its
// test; an empty result shows "No items on record.".
#include "catalogue/list_screens.h"
#include "records/shop.h"

namespace kelvo::reports {

void list_films_from(records::Shop& shop, catalogue::ListScreens& screens);           // "Film list"
void list_films_alphabetically(records::Shop& shop, catalogue::ListScreens& screens); // "Alphabetical film list"
void list_films_by_category(records::Shop& shop, catalogue::ListScreens& screens);    // "Film list by category"
void list_films_by_format(records::Shop& shop, catalogue::ListScreens& screens);      // "Film list by format"
void list_films_by_band(records::Shop& shop, catalogue::ListScreens& screens);        // "Films band %s"
void list_films_by_actor(records::Shop& shop, catalogue::ListScreens& screens);       // "Film list by actor"
void list_films_by_director(records::Shop& shop, catalogue::ListScreens& screens);    // "Film list by director"
void list_active_films(records::Shop& shop, catalogue::ListScreens& screens);         // "Films active"

enum class OverdueKind { AnyDays, AtLeast, Below };
void list_overdue_films(records::Shop& shop, catalogue::ListScreens& screens, OverdueKind kind);  // "Overdue items"

void list_films_rented_today(records::Shop& shop, catalogue::ListScreens& screens);   // "Films rented today"
void list_films_rented_on(records::Shop& shop, catalogue::ListScreens& screens);      // "Films rented %s"
void list_just_rented(records::Shop& shop, catalogue::ListScreens& screens);          // "Recent rentals"
void list_just_returned(records::Shop& shop, catalogue::ListScreens& screens);        // "Recent returns"
void list_highest_historic(records::Shop& shop, catalogue::ListScreens& screens);     // "Top films ..."
void list_stock(records::Shop& shop, catalogue::ListScreens& screens);                // "Stock list"

}  // namespace kelvo::reports
