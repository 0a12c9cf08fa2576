#include "catalogue/qt_catalogue_views_screen.h"

#include "catalogue/film_display_screen.h"
#include "catalogue/film_match_screen.h"
#include "catalogue/member_views_screen.h"
#include "catalogue/multicopy_screen.h"

namespace kelvo::catalogue {

MatchChoice QtCatalogueViews::offer_film(const records::FilmRecord& film) {
  return offer_film_screen(parent_, shop_, film);
}

MatchChoice QtCatalogueViews::offer_member(const records::MemberRecord& member) {
  return offer_member_screen(parent_, shop_, member);
}

void QtCatalogueViews::show_film(const records::FilmRecord& film) { show_film_screen(parent_, shop_, film); }

void QtCatalogueViews::show_member(const records::MemberRecord& member) {
  show_member_screen(parent_, shop_, member);
}

ListAnswer QtCatalogueViews::show_list_page(text::u16view title, const std::vector<ListRow>& rows, bool more_left) {
  return show_list_page_screen(parent_, title, rows, more_left);
}

void QtCatalogueViews::show_multicopy(const MulticopyResult& result) { show_multicopy_screen(parent_, result); }

}  // namespace kelvo::catalogue
