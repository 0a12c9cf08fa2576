#include "shell/film_commands.h"

#include "catalogue/film_find.h"
#include "catalogue/film_form_screen.h"
#include "catalogue/film_maintenance.h"
#include "catalogue/multicopy.h"
#include "catalogue/qt_catalogue_views_screen.h"
#include "shell/main_window.h"

namespace kelvo::shell {

namespace {

void new_items(MainWindow& window, catalogue::FilmRange range) {
  catalogue::QtFilmFormView view(&window, window.shop().config);
  catalogue::new_items(window.shop(), view, range);
}

}  // namespace

void new_film_format1(MainWindow& window) { new_items(window, catalogue::FilmRange::Format1); }

void new_film_format2(MainWindow& window) { new_items(window, catalogue::FilmRange::Format2); }

void amend_film(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::QtFilmFormView view(&window, window.shop().config);
  catalogue::amend_film(window.shop(), views, view);
}

void delete_film(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::delete_film_command(window.shop(), views);
}

void find_film(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::find_film_command(window.shop(), views);
}

void find_film_by_title(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::find_film_by_title_command(window.shop(), views);
}

void find_films_containing(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::find_that_contain_command(window.shop(), views);
}

void multicopy_analysis(MainWindow& window) {
  catalogue::QtCatalogueViews views(&window, window.shop());
  catalogue::multicopy_analysis(window.shop(), views);
}

}  // namespace kelvo::shell
