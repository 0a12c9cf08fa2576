#pragma once
// "Film categories for today" / "... for month" and "Rentals by charge band": the rental
// counters of the configuration block, read only.
#include <QDialog>

#include "reports/overview.h"

namespace kelvo::reports {

class CategoryScreen : public QDialog {
  Q_OBJECT
 public:
  CategoryScreen(const QString& title, const std::array<text::u16, 18>& fields, QWidget* parent = nullptr);
};

class BandScreen : public QDialog {
  Q_OBJECT
 public:
  explicit BandScreen(const std::array<BandRow, 9>& rows, QWidget* parent = nullptr);
};

}  // namespace kelvo::reports
