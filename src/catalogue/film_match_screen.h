#pragma once
// "FIND FILM": one candidate of a search with OK, Next and Cancel.
#include <QWidget>

#include "catalogue/catalogue_views.h"

namespace kelvo::catalogue {

MatchChoice offer_film_screen(QWidget* parent, const records::FilmRecord& film);

}  // namespace kelvo::catalogue
