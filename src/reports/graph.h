#pragma once
// "Display averages": the weekly average takings of the last year drawn as a line over twelve
// month labels. The geometry is worked out here for a window size; the screen only paints it.
#include <array>
#include <vector>

#include "records/config_block.h"
#include "text/calendar.h"

namespace kelvo::reports {

constexpr int kGraphWeeks = 53;  // weeks starting at history entries 0, 7, ... 364

struct WeeklyAverages {
  std::array<float, kGraphWeeks> sum{};
  std::array<float, kGraphWeeks> average{};
  float min = 0;  // smallest non-zero average
  float max = 0;
};
WeeklyAverages weekly_averages(const records::ConfigBlock& c);

struct GraphPoint {
  double x = 0, y = 0;
};
struct GraphLabel {
  double x = 0, y = 0;
  text::u16 text;
};
struct GraphGeometry {
  double unit = 0;
  std::array<GraphPoint, 3> axes;          // right end of the time axis, origin, top of the value axis
  std::vector<GraphLabel> months;          // bottom-centre aligned at their point
  std::vector<double> grid_x;              // dotted vertical lines
  GraphLabel min_label, max_label;         // "%0.0f" at the value axis
  std::vector<GraphPoint> line;            // the most recent week first, older to the left
};
GraphGeometry graph_geometry(const WeeklyAverages& w, const text::DateTime& today, int width, int height);

}  // namespace kelvo::reports
