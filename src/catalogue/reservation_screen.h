#pragma once
// "Add reservation": the day, a member box and an item box each with "Find", the day's entries
// by member and by item, and "Next", "Add and finish", "Cancel".
#include <QDialog>

#include "catalogue/reservations.h"
#include "records/shop.h"

class QComboBox;
class QLineEdit;

namespace kelvo::catalogue {

class ReservationScreen : public QDialog {
  Q_OBJECT
 public:
  ReservationScreen(ReservationAdd& model, QWidget* parent = nullptr);

 private:
  void refill_lists();
  void store(bool finish);

  ReservationAdd& model_;
  QLineEdit* member_ = nullptr;
  QLineEdit* item_ = nullptr;
  QComboBox* by_member_ = nullptr;
  QComboBox* by_item_ = nullptr;
};

class QtReservationScreens : public ReservationScreens {
 public:
  explicit QtReservationScreens(QWidget* parent) : parent_(parent) {}
  void add_reservations(ReservationAdd& model) override;

 private:
  QWidget* parent_;
};

}  // namespace kelvo::catalogue
