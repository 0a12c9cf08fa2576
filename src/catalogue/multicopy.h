#pragma once
// Rentals of the last 7 and 30 days from a film's day maps, and the multiple-copy analysis
// over every film of the same title.
#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

int rentals_last_7_days(const records::FilmRecord& film, const text::DateTime& now);
int rentals_last_30_days(const records::FilmRecord& film, const text::DateTime& now);

struct MulticopyResult {
  text::u16 title_line;  // "%s (%d copies)"
  text::u16 last_7;      // "%d (%.0f%%)"
  text::u16 last_30;
  int copies = 0, sum_7 = 0, sum_30 = 0;
};

// Every film whose whole title equals the given one, exactly; the film itself counts.
MulticopyResult analyse_copies(records::Shop& shop, const records::FilmRecord& chosen);

// The command: prompt, find, analyse, show.
void multicopy_analysis(records::Shop& shop, CatalogueViews& views);

}  // namespace kelvo::catalogue
