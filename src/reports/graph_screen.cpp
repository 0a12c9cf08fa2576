#include "reports/graph_screen.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::qs;

GraphScreen::GraphScreen(const WeeklyAverages& averages, const text::DateTime& today, QWidget* parent)
    : QDialog(parent), averages_(averages), today_(today) {
  setObjectName("graph");
  setWindowTitle(tr("GRAPH"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setMinimumSize(420, 300);
  resize(780, 540);  // fits the smallest desktop the program allows; the clerk may maximise it
}

void GraphScreen::paintEvent(QPaintEvent*) {
  const GraphGeometry g = graph_geometry(averages_, today_, width(), height());
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(248, 248, 248), 1, Qt::DotLine));
  for (double x : g.grid_x) p.drawLine(QPointF(x, 2), QPointF(x, g.axes[1].y));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(g.axes[0].x, g.axes[0].y), QPointF(g.axes[1].x, g.axes[1].y));
  p.drawLine(QPointF(g.axes[1].x, g.axes[1].y), QPointF(g.axes[2].x, g.axes[2].y));
  const QFontMetrics fm(font());
  for (const GraphLabel& m : g.months) {
    const QString t = qs(m.text);
    const int w = fm.horizontalAdvance(t);
    p.drawText(QPointF(m.x - w / 2.0, m.y + fm.ascent()), t);
  }
  auto value_label = [&](const GraphLabel& l) {
    const QString t = qs(l.text);
    p.drawText(QPointF(l.x - fm.horizontalAdvance(t) - 6, l.y + fm.ascent() / 2.0), t);
  };
  value_label(g.min_label);
  value_label(g.max_label);
  p.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2));
  for (size_t i = 1; i < g.line.size(); ++i)
    p.drawLine(QPointF(g.line[i - 1].x, g.line[i - 1].y), QPointF(g.line[i].x, g.line[i].y));
}

}  // namespace kelvo::reports
