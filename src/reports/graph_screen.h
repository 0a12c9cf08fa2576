#pragma once
// "GRAPH": weekly average takings of the last year, repainted to the window's size.
#include <QDialog>

#include "reports/graph.h"

namespace kelvo::reports {

class GraphScreen : public QDialog {
  Q_OBJECT
 public:
  GraphScreen(const WeeklyAverages& averages, const text::DateTime& today, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  WeeklyAverages averages_;
  text::DateTime today_;
};

}  // namespace kelvo::reports
