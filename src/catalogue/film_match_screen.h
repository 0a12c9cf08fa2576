#pragma once
// "FIND FILM": one candidate of a search with OK, Next and Cancel.
#include <QDialog>

#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

class FilmMatchScreen : public QDialog {
  Q_OBJECT
 public:
  FilmMatchScreen(const records::Shop& shop, const records::FilmRecord& film, QWidget* parent = nullptr);
  MatchChoice run();

 private:
  MatchChoice choice_ = MatchChoice::Cancel;
};

MatchChoice offer_film_screen(QWidget* parent, const records::Shop& shop, const records::FilmRecord& film);

}  // namespace kelvo::catalogue
