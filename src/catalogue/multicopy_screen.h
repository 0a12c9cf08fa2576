#pragma once
// "Multiple copy analysis": copies of one title and their rentals over 7 and 30 days.
#include <QWidget>

#include "catalogue/multicopy.h"

namespace kelvo::catalogue {

void show_multicopy_screen(QWidget* parent, const MulticopyResult& result);

}  // namespace kelvo::catalogue
