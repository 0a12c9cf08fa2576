#pragma once
// A counter's copy of the running figures as the server keeps them: each figure's imported
// value and what every counter added to it. A refresh then brings the parts that moved, and
// the counter adds them up itself instead of the server summing every figure at every refresh.
// The sum is the server's (kelvo_figure_value): the parts in double precision on the imported
// value, rounded once to the figure's width. The parts of a float figure are differences of
// single-precision values, which double precision holds exactly, so the order of the sum
// changes nothing.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "records/config_figures.h"

namespace kelvo::store {

class Connection;

class FigureParts {
 public:
  // Every figure and part, read in the snapshot the working copy is made from.
  void load(Connection& db);
  // A part as the server holds it now.
  void set(int32_t offset, const std::string& counter, int64_t whole, double part);
  // What a counter's stored transaction added to its part, added as the server adds it.
  void add(int32_t offset, const std::string& counter, int64_t whole, double part);
  // The figure as the block holds it (little-endian); empty for an offset that is no figure.
  std::vector<uint8_t> value(int32_t offset) const;
  // One counter's part of a figure; zero when it has none.
  std::pair<int64_t, double> part(int32_t offset, const std::string& counter) const;
  records::cfg::FigureType type(int32_t offset) const;

 private:
  struct Figure {
    records::cfg::FigureType type = records::cfg::FigureType::I32;
    int64_t whole = 0;  // the imported value of a whole-number figure
    float real = 0;     // of a float figure
    std::map<std::string, std::pair<int64_t, double>> parts;
  };
  std::map<int32_t, Figure> figures_;
};

}  // namespace kelvo::store
