#pragma once
// The tests that pick films for the lists and prints, and the rows the list window shows of
// them. Displays and prints share them, so a film is in a printed list exactly when it is in
// the displayed one.
#include "catalogue/catalogue_views.h"
#include "platform/locale.h"
#include "records/config_block.h"
#include "records/film_record.h"
#include "records/stock_record.h"
#include "text/calendar.h"

namespace kelvo::reports {

// Category and format: the field begins with the typed text, letters of either case alike; a
// field shorter than the text does not match.
bool begins_with_folded(text::u16view field, text::u16view typed);
// Actors and director: "?" stands for any one character and letters of either case are alike;
// a text starting with "=" looks for the rest anywhere in the name, exact case.
bool person_matches(text::u16view name, text::u16view typed);

// Days the film on loan is late (0 when in stock or not late).
int film_days_overdue(const records::FilmRecord& f, const text::DateTime& now, text::u16view deadline);
// The date part (from character 5) of a time-date stamp, empty when it holds no date.
text::u16 stamp_date(text::u16view stamp);
// The date of a stamp in the short form "ddd d MMM yy", else its date part.
text::u16 short_date(const platform::Locale& locale, text::u16view stamp);
// "%c%c:%c%c" of a stamp: hour and minute digits.
text::u16 stamp_time(text::u16view stamp);
// "Not rented since" a year and month: never rented, or last rented in that year up to that
// month, or in an earlier year.
bool not_rented_since(const records::FilmRecord& f, int year, int month);

// Rows of the list window.
catalogue::ListRow film_row(const records::FilmRecord& f);                       // number, title, category, "cert, format, cost"
catalogue::ListRow rented_row(const records::FilmRecord& f);                     // the time and member while out
catalogue::ListRow active_row(const records::FilmRecord& f, const platform::Locale& locale);  // member, last_hire date
catalogue::ListRow recent_row(const records::FilmRecord& f, int64_t member);     // number, title, time, member
catalogue::ListRow stock_row(const records::StockRecord& s);

}  // namespace kelvo::reports
