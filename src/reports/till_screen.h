#pragma once
// "Till reconciliation" and "Till closeout": the day's takings broken down by kind of income.
#include <QDialog>

#include "reports/closeout.h"

namespace kelvo::reports {

class TillScreen : public QDialog {
  Q_OBJECT
 public:
  // Without `act` the reconciliation window (only "Finish"); with it the closeout window, whose
  // three buttons ask `act` whether to close.
  TillScreen(const TillFigures& f, std::function<bool(CloseoutChoice)> act, QWidget* parent = nullptr);

 private:
  void choose(CloseoutChoice c);
  std::function<bool(CloseoutChoice)> act_;
};

class QtTillViews : public TillViews {
 public:
  explicit QtTillViews(QWidget* parent) : parent_(parent) {}
  void show_reconciliation(const TillFigures& f) override;
  void run_closeout(const TillFigures& f, const std::function<bool(CloseoutChoice)>& act) override;

 private:
  QWidget* parent_;
};

}  // namespace kelvo::reports
