#pragma once
// The list window: a title line, 13 rows of four columns, "More" for the next rows and
// "Cancel". Films, members, stock and reservations all page through it.
#include <QDialog>

#include "catalogue/catalogue_views.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kelvo::catalogue {

class ListWindowScreen : public QDialog {
  Q_OBJECT
 public:
  ListWindowScreen(const QString& title, const std::vector<ListRow>& rows, bool more_left, QWidget* parent = nullptr);
  ListAnswer run();
  QTableWidget* table() const { return table_; }
  QPushButton* more() const { return more_; }

 private:
  QTableWidget* table_ = nullptr;
  QPushButton* more_ = nullptr;
  ListAnswer answer_ = ListAnswer::Cancel;
};

}  // namespace kelvo::catalogue
