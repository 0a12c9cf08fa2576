#pragma once
// A member's history and the lost card: "Investigate" shows the member's recent and earlier
// items and the other members who share the last name, road, telephone or join date;
// "Transaction data" shows what the member has on loan now; "Lostcard" stops a card and can
// copy the member to a new number.
#include <vector>

#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

struct RecentRental {
  text::u16 item;      // "%I64d %s", empty when the film is no longer on file
  text::u16 rented;    // date part of the rental stamp, or empty
  text::u16 returned;  // date part of the return stamp, or empty
};

// "Recent rentals" and "Previous rentals", shared by both screens.
struct RentalHistory {
  std::vector<RecentRental> recent;  // up to four, most recent first
  std::vector<text::u16> previous;   // item numbers, most recent first
};

struct Investigation {
  text::u16 heading;  // "%I64d, %s %s %s"
  text::u16 road;
  text::u16 last_rented, last_returned;
  text::u16 owed;     // "%.2f"
  RentalHistory history;
  std::vector<text::u16> same_name, same_road, same_telephone, same_join_date;
};

struct TransactionData {
  text::u16 title;    // "Transaction: %s"
  text::u16 heading;  // "%I64d, %s %s %s"
  text::u16 address;  // road, two blanks, telephone1
  text::u16 last_rented;
  text::u16 transaction_amount, owed;
  std::vector<text::u16> on_loan;
  RentalHistory history;
};

class HistoryViews {
 public:
  virtual ~HistoryViews() = default;
  // "Investigate member": OK or Cancel close it.
  virtual void show_investigation(const Investigation& data) = 0;
  // The "Transaction" screen; false when closed with Cancel.
  virtual bool show_transaction(const TransactionData& data) = 0;
};

RentalHistory rental_history(records::Shop& shop, const records::MemberRecord& m);
// Reads every live member once; false when member.dat could not be read (reported).
bool find_identical(records::Shop& shop, const records::MemberRecord& m, Investigation& out);
// The screen's data; false when film.dat could not be read (reported).
bool transaction_data_of(records::Shop& shop, const records::MemberRecord& m, TransactionData& out);

void investigate(records::Shop& shop, CatalogueViews& views, HistoryViews& history);        // "Investigate"
void transaction_data(records::Shop& shop, CatalogueViews& views, HistoryViews& history);   // "Transaction data"
void lost_card(records::Shop& shop, CatalogueViews& views);                                  // "Lostcard"

}  // namespace kelvo::catalogue
