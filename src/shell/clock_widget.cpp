#include "shell/clock_widget.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace kelvo::shell {

ClockWidget::ClockWidget(const platform::Clock& clock, QWidget* parent) : QWidget(parent), clock_(&clock) {
  setObjectName("clock");
  setMinimumSize(120, 120);
  timer_.setInterval(60000);
  connect(&timer_, &QTimer::timeout, this, &ClockWidget::tick);
  timer_.start();
  tick();
}

bool ClockWidget::tick() {
  text::DateTime now = clock_->now();
  if (now.hour == hour_ && now.minute == minute_) return false;
  hour_ = now.hour;
  minute_ = now.minute;
  update();
  return true;
}

void ClockWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  int side = std::min(width(), height());
  p.translate(width() / 2.0, height() / 2.0);
  p.scale(side / 200.0, side / 200.0);

  QRadialGradient face(QPointF(-20, -30), 120);
  face.setColorAt(0, QColor(0xff, 0xff, 0xff));
  face.setColorAt(1, QColor(0xe4, 0xe8, 0xee));
  p.setPen(QPen(QColor(0x4a, 0x55, 0x68), 6));
  p.setBrush(face);
  p.drawEllipse(QPointF(0, 0), 94, 94);

  for (int i = 0; i < 60; ++i) {
    bool hour_mark = i % 5 == 0;
    p.setPen(QPen(QColor(0x33, 0x3a, 0x48), hour_mark ? 4 : 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, hour_mark ? -74 : -80), QPointF(0, -86));
    p.rotate(6);
  }

  auto hand = [&p](double angle, double length, double width, const QColor& colour) {
    p.save();
    p.rotate(angle);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 12), QPointF(0, -length));
    p.restore();
  };
  hand(30.0 * ((hour_ % 12) + minute_ / 60.0), 48, 8, QColor(0x1c, 0x22, 0x2e));
  hand(6.0 * minute_, 72, 5, QColor(0x1c, 0x22, 0x2e));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xc8, 0x3a, 0x2e));
  p.drawEllipse(QPointF(0, 0), 6, 6);
}

}  // namespace kelvo::shell
