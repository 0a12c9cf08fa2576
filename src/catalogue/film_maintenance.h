#pragma once
// The film commands: new items (blank, "&Next", "&Multiple"), amend and delete.
#include "catalogue/catalogue_views.h"
#include "catalogue/film_form.h"
#include "records/shop.h"

#include <optional>

namespace kelvo::catalogue {

// The item screen: shows the form, lets the operator edit it, and says which button ended it.
class FilmFormView {
 public:
  virtual ~FilmFormView() = default;
  virtual FormButton edit(FilmForm& form) = 0;
};

// "New format 1" / "New format 2". Returns the number of items stored.
int new_items(records::Shop& shop, FilmFormView& view, FilmRange range);
// "Amend": true when the film was rewritten.
bool amend_film(records::Shop& shop, CatalogueViews& views, FilmFormView& view);
// A film leaving the stock (Delete, Sell): asked for by number or title with `question`, found,
// and not on loan ("Unable to delete", caption "Film is on loan"). nullopt when the operator
// cancelled, nothing was found or the film cannot go.
struct LeavingFilm {
  records::FilmRecord film;
  int64_t slot;
};
std::optional<LeavingFilm> film_leaving_stock(records::Shop& shop, CatalogueViews& views, text::u16view question);

// "Delete": true when the film was deleted.
bool delete_film_command(records::Shop& shop, CatalogueViews& views);

}  // namespace kelvo::catalogue
