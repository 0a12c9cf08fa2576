#pragma once
// "Investigate member": the member, the recent and previous rentals, and the members who share
// the last name, road, telephone or join date.
#include <QDialog>

#include "catalogue/member_history.h"

class QComboBox;
class QGridLayout;

namespace kelvo::catalogue {

class InvestigationScreen : public QDialog {
  Q_OBJECT
 public:
  InvestigationScreen(const Investigation& data, QWidget* parent = nullptr);
};

// The recent rentals table and the previous rentals list, shared with the "Transaction" screen.
QWidget* rental_history_widget(const RentalHistory& history, QWidget* parent);
// A read-only drop-down list showing its first entry.
QComboBox* entry_list(const std::vector<text::u16>& entries, const char* name, QWidget* parent);

}  // namespace kelvo::catalogue
