#pragma once
// What the "FILM" screen shows of a film record: each line's configured label and its text,
// and the long date that this screen and the lists share.
#include <optional>
#include <vector>

#include "platform/locale.h"
#include "records/config_block.h"
#include "records/film_record.h"

namespace kelvo::catalogue {

// Places of the film label table, in its stored order.
enum class FilmLabel {
  Number, Title, Category, Certificate, Supplier, Actor1, Actor2, Director, Format, ChargeBand,
  DatePurchased, Cost, Rentals, Revenue, LastRental, OnLoanTo, ReturnDate, LastRentedBy, Language, Location,
};
text::u16 film_label(const records::ConfigBlock& config, FilmLabel which);

// The date of a time-date stamp as "ddd d MMM yy" in the locale; nullopt for a stamp of 13
// characters or fewer, or a day, month or year (below 1900) that cannot be a date.
std::optional<text::u16> long_date(const platform::Locale& locale, text::u16view stamp);

// last_hire as shown: "hh:mm" and the long date, or "hh:mm  dd/mm/yyyy" when that fails; a
// text too short to hold a date is shown as stored.
text::u16 shown_last_hire(const platform::Locale& locale, text::u16view stamp);

struct DisplayLine {
  const char* name;  // stable name of the line, for the screen's widgets
  text::u16 label;
  text::u16 value;
};

std::vector<DisplayLine> film_display_lines(const records::ConfigBlock& config, const platform::Locale& locale,
                                            const records::FilmRecord& film, const text::DateTime& now);

}  // namespace kelvo::catalogue
