#pragma once
// The member lists: shown in the list window (Members menu, "List", and the extended overdue
// display) and printed (Members menu, "Print", and the printed overdue member list).
#include "catalogue/list_screens.h"
#include "records/shop.h"

namespace kelvo::reports {

void list_members_from(records::Shop& shop, catalogue::ListScreens& screens);
void list_members_alphabetically(records::Shop& shop, catalogue::ListScreens& screens);
void list_members_owing(records::Shop& shop, catalogue::ListScreens& screens);          // "Members with non zero credit"
void list_active_members(records::Shop& shop, catalogue::ListScreens& screens);         // "Member list active"
void list_members_not_category1(records::Shop& shop, catalogue::ListScreens& screens);  // "Member list not category 1"
// "Member overdue list", with the "Transaction" screen of each member listed; its Cancel stops
// the display.
void list_overdue_members(records::Shop& shop, catalogue::ListScreens& screens);

void print_members_from(records::Shop& shop, catalogue::ListScreens& screens);          // "Numeric member list: "
void print_members_alphabetically(records::Shop& shop, catalogue::ListScreens& screens);  // "Alphabetical member list: "
void print_active_members(records::Shop& shop, catalogue::ListScreens& screens);        // "Active member list: "
void print_members_owing(records::Shop& shop, catalogue::ListScreens& screens);         // "Debit / credit member list: "
void print_members_not_category1(records::Shop& shop, catalogue::ListScreens& screens);  // "Non default category member list: "
void print_members_not_seen_since(records::Shop& shop, catalogue::ListScreens& screens);  // "Useage gap member list: "
void print_overdue_members(records::Shop& shop, catalogue::ListScreens& screens);       // "Overdue member list: "

}  // namespace kelvo::reports
