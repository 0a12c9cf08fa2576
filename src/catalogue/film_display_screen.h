#pragma once
// "FILM": one film record shown read-only; "Next" steps to the next film in slot order.
#include <QWidget>

#include "records/shop.h"

namespace kelvo::catalogue {

void show_film_screen(QWidget* parent, records::Shop& shop, const records::FilmRecord& film);

}  // namespace kelvo::catalogue
