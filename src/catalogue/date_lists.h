#pragma once
// The day / month / year lists of the item and member screens. A choice holds the chosen
// values; 0 stands for the "0" entry of the lists that have one, or for nothing chosen.
#include <optional>
#include <vector>

#include "text/calendar.h"
#include "text/utf16.h"

namespace kelvo::catalogue {

struct DateChoice {
  int day = 0, month = 0, year = 0;
  bool complete() const { return day != 0 && month != 0 && year != 0; }
  bool operator==(const DateChoice&) const = default;
};

// What each list offers. with_zero puts "0" first; the months are the abbreviated names.
struct DateLists {
  bool with_zero = false;
  int first_year = 1990;
  int last_year = 0;
  std::vector<text::u16> days() const;
  std::vector<text::u16> months() const;
  std::vector<text::u16> years() const;
  // True when each value of the choice is on its list.
  bool offers(const DateChoice& c) const;
};

DateLists purchase_lists(int current_year);     // date_added: 1-31, months, 1990-now
DateLists last_rental_lists(int current_year);  // last_hire: "0" first, 1990-now
DateLists birth_lists(int current_year);        // born: "0" first, 1900-now
DateLists join_lists(int current_year);         // join_date: 1-31, months, 1990-now
DateLists expiry_lists(int current_year);       // expiry: "0" first, 2006 to now + 10

DateChoice today_choice(const text::DateTime& now);
// "dd/mm/yyyy" read back into a choice; anything unreadable gives the empty choice.
DateChoice choice_from_date(text::u16view date);
// The date part of a time-date stamp "hh:mmdd/mm/yyyy".
DateChoice choice_from_stamp(text::u16view stamp);

// date_added and join_date: "%02d/%02d/%d" when all three are chosen, else the stored text.
text::u16 chosen_date_or(const DateChoice& c, text::u16view stored);
// born: empty when any list is at "0".
text::u16 optional_date(const DateChoice& c);
// expiry: as born, with the day brought into the month (30-day months, February).
text::u16 expiry_date(const DateChoice& c);
// last_hire: empty when any list is at "0"; else the stored time (or "00:00") and the date.
text::u16 last_hire_stamp(const DateChoice& c, text::u16view stored);

// Today plus the days, counted day by day through the program's month lengths.
DateChoice days_ahead(const text::DateTime& now, int days);

}  // namespace kelvo::catalogue
