#pragma once
// "Transaction: %s": the member, the last transaction's amount, what is owed, the items on loan
// now with their rental and due dates, and the recent and previous rentals.
#include <QDialog>

#include "catalogue/member_history.h"

namespace kelvo::catalogue {

class TransactionScreen : public QDialog {
  Q_OBJECT
 public:
  TransactionScreen(const TransactionData& data, QWidget* parent = nullptr);
};

// The Qt history views: both screens, modal.
class QtHistoryViews : public HistoryViews {
 public:
  explicit QtHistoryViews(QWidget* parent) : parent_(parent) {}
  void show_investigation(const Investigation& data) override;
  bool show_transaction(const TransactionData& data) override;

 private:
  QWidget* parent_;
};

}  // namespace kelvo::catalogue
