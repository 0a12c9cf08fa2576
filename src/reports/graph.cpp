#include "reports/graph.h"

#include "reports/day_figures.h"
#include "text/format.h"

namespace kelvo::reports {

WeeklyAverages weekly_averages(const records::ConfigBlock& c) {
  WeeklyAverages w;
  bool any = false;
  for (int i = 0; i < kGraphWeeks; ++i) {
    w.sum[i] = history_sum(c, 7 * i, 7 * i + 6);
    w.average[i] = w.sum[i] / 7;
    if (i == 0 || w.average[i] > w.max) w.max = w.average[i];
    if (w.average[i] != 0 && (!any || w.average[i] < w.min)) {
      w.min = w.average[i];
      any = true;
    }
  }
  return w;
}

GraphGeometry graph_geometry(const WeeklyAverages& w, const text::DateTime& today, int width, int height) {
  GraphGeometry g;
  const double unit = width / 14.0;
  g.unit = unit;
  g.axes = {GraphPoint{width - 10.0, height - 50.0}, GraphPoint{unit, height - 50.0}, GraphPoint{unit, 2.0}};
  for (int i = 1; i <= 12; ++i) {
    const int month = (today.month + i - 1) % 12 + 1;
    const double x = i * unit + unit;
    g.months.push_back({x, height - 44.0, text::month_short(month)});
    g.grid_x.push_back(x);
  }
  const double span = w.max - w.min;
  const double scale = span != 0 ? (height - 120) / span : height - 120;
  const double base = height - 70.0;
  g.min_label = {unit, height - 70.0, text::format("%0.0f", {w.min})};
  g.max_label = {unit, 50.0, text::format("%0.0f", {w.max})};
  const double step = (width - 2 * unit) / 54;
  double x = unit * 13 + today.day * step / 7;
  // An empty latest week starts the line on the base: placed by the smallest average it could
  // stand far above the window.
  g.line.push_back({x, w.sum[0] != 0 ? base - scale * (w.average[0] - w.min) : base});
  for (int i = 1; i < kGraphWeeks; ++i) {
    x -= step;
    if (w.sum[i] != 0) g.line.push_back({x, base - (w.average[i] - w.min) * scale});
  }
  return g;
}

}  // namespace kelvo::reports
