#pragma once
// The analogue clock of the main window. It redraws once a minute, and only when the hour or
// minute has moved on since the last look.
#include <QTimer>
#include <QWidget>

#include "platform/clock.h"

namespace kelvo::shell {

class ClockWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ClockWidget(const platform::Clock& clock, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {150, 150}; }
  // The hands last drawn, for tests and for the tick's comparison.
  int shown_hour() const { return hour_; }
  int shown_minute() const { return minute_; }
  // One tick of the minute timer; true when the hands moved.
  bool tick();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const platform::Clock* clock_;
  QTimer timer_;
  int hour_ = -1;
  int minute_ = -1;
};

}  // namespace kelvo::shell
