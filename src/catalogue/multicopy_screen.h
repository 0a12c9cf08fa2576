#pragma once
// "Multiple copy analysis": copies of one title and their rentals over 7 and 30 days.
#include <QDialog>

#include "catalogue/multicopy.h"

namespace kelvo::catalogue {

class MulticopyScreen : public QDialog {
  Q_OBJECT
 public:
  explicit MulticopyScreen(const MulticopyResult& result, QWidget* parent = nullptr);
};

void show_multicopy_screen(QWidget* parent, const MulticopyResult& result);

}  // namespace kelvo::catalogue
