#pragma once
// "FILM": one film record shown read-only; "Next" steps to the film with the next higher
// number and the screen closes after the highest.
#include <QDialog>
#include <QGridLayout>

#include "records/shop.h"

namespace kelvo::catalogue {

class FilmDisplayScreen : public QDialog {
  Q_OBJECT
 public:
  FilmDisplayScreen(records::Shop& shop, const records::FilmRecord& film, QWidget* parent = nullptr);
  int64_t shown_number() const { return shown_; }
  void next();

 private:
  void show_record(const records::FilmRecord& film);

  records::Shop& shop_;
  QGridLayout* grid_ = nullptr;
  int64_t shown_ = 0;
};

void show_film_screen(QWidget* parent, records::Shop& shop, const records::FilmRecord& film);

}  // namespace kelvo::catalogue
