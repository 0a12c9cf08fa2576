#pragma once
// Reservations: short free-text notes that a member wants an item on a day, kept for today and
// the next 27 days in resn.dat. Add (for a chosen day or today), list, print, amend, delete.
#include <optional>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "catalogue/reservation_day.h"
#include "records/shop.h"

namespace kelvo::catalogue {

class ListScreens;

constexpr int kOfferedDays = 28;  // records 0 to 27; 28 and 29 stay empty
constexpr int kTextLimitOnAdd = 28;
constexpr int kTextLimitOnAmend = 29;

// The date of day record n: today + n through the program's calendar.
text::DateTime reservation_date(const text::DateTime& today, int n);
// The long date "ddd d MMM yy", else "%s %d/%d/%d" (weekday name, day, month, year).
text::u16 reservation_day_text(const platform::Locale& locale, const text::DateTime& date);

// Reads and writes one day record; each failure is reported ("Data file: resn.dat.").
bool read_reservation_day(records::Shop& shop, int n, ReservationDay& out);
bool write_reservation_day(records::Shop& shop, const ReservationDay& day);

// "Select day:": records 0 to 27 with their counts; the chosen day, or nullopt.
std::optional<int> choose_reservation_day(records::Shop& shop);

// The "Add reservation" screen's model: the two boxes, their Find buttons and the two lists of
// the day's entries.
class ReservationAdd {
 public:
  ReservationAdd(records::Shop& shop, CatalogueViews& views, ReservationDay day);
  text::u16 date_line() const;
  std::vector<text::u16> member_lines() const;  // "%s (item: %s)"
  std::vector<text::u16> item_lines() const;    // "%s (by: %s)"
  // The Find buttons; true when something was chosen (the box then holds it), else the box is
  // emptied.
  bool find_member();
  bool find_item();
  // "Next" and "Add and finish": stores the boxes as the next entry. False when the day is full
  // ("Total reached" shown, nothing stored).
  bool store();
  const ReservationDay& day() const { return day_; }

  text::u16 member;
  text::u16 item;

 private:
  records::Shop& shop_;
  CatalogueViews& views_;
  ReservationDay day_;
  int reached_ = 0;
};

class ReservationScreens {
 public:
  virtual ~ReservationScreens() = default;
  // Runs "Add reservation" until "Add and finish" or "Cancel".
  virtual void add_reservations(ReservationAdd& model) = 0;
};

void add_reservation(records::Shop& shop, CatalogueViews& views, ReservationScreens& screens, bool today);
void list_reservations(records::Shop& shop, ListScreens& screens);
void print_reservations(records::Shop& shop, ListScreens& screens);
void amend_reservation(records::Shop& shop);
void delete_reservation(records::Shop& shop);

}  // namespace kelvo::catalogue
