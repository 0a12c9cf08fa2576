#pragma once
// What the three parts of the counter's store share: the record tables by file, the bytes of the
// block that are running figures, the values of a request and the transaction it becomes.
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/config_figures.h"
#include "store/counter_store.h"
#include "store/store_layout.h"

namespace kelvo::store {

// The record table of a file by its place in kRecordTables; -1 for a file that is not one.
inline int table_of(std::string_view file) {
  const RecordTable* table = record_table(file);
  return table ? static_cast<int>(table - kRecordTables) : -1;
}

// The two lists of the last items rented and returned: each counter keeps its own, stored at
// the server under its name. Every transaction moves one, and a shared copy made every
// transaction of every counter wait for the one before it to reach the disk.
inline constexpr std::pair<size_t, size_t> kCounterOwn[] = {
    {records::cfg::kLastReturnedItems, records::cfg::kLastReturnedItems + 18 * 8},
    {records::cfg::kLastRentedItems, records::cfg::kLastRentedItems + 18 * 8},
};

// The stretches of the block between running figures: settings and day-close values, and
// (`own`) the counter's own lists, each a stretch of its own.
struct Span {
  size_t from, to;
  bool own;
};
inline const std::vector<Span>& setting_spans() {
  static const std::vector<Span> spans = [] {
    std::vector<std::pair<size_t, size_t>> shared;
    size_t from = 0;
    for (const auto& run : records::cfg::kRunningFigures) {
      if (run.offset > from) shared.emplace_back(from, run.offset);
      from = run.offset + records::cfg::figure_width(run.type) * static_cast<size_t>(run.count);
    }
    if (from < records::cfg::kSize) shared.emplace_back(from, records::cfg::kSize);
    std::vector<Span> out;
    for (auto [a, b] : shared) {
      for (auto [own_from, own_to] : kCounterOwn) {
        if (own_from < a || own_to > b) continue;
        if (own_from > a) out.push_back({a, own_from, false});
        out.push_back({own_from, own_to, true});
        a = own_to;
      }
      if (a < b) out.push_back({a, b, false});
    }
    return out;
  }();
  return spans;
}

inline Value bool_value(bool b) { return Value{{static_cast<uint8_t>(b ? 1 : 0)}, false}; }

// Set while the working copy is written from the server, whose changes are not sent back.
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Applying() { flag_ = was_; }

 private:
  bool& flag_;
  bool was_;
};

// The arrays of one call of kelvo_commit.
struct CounterStore::Request {
  std::vector<Value> tbls, slots, versions, numbers, fresh, images;
  std::vector<Value> fig_offsets, int_deltas, float_deltas;
  std::vector<Value> set_offsets, set_bytes;
  std::vector<Value> log_files, log_bytes, whole_logs;
  Value rename_from = Value::null(), rename_to = Value::null();
  std::vector<Value> file_names, file_bytes;
  Value notice = Value::null();  // what the other counters are told of it
  std::vector<uint8_t> config;  // the block whose differences were added
  std::vector<std::pair<size_t, size_t>> config_moved;  // the stretches of it they cover
  std::string txid;
  bool empty() const {
    return tbls.empty() && fig_offsets.empty() && set_offsets.empty() && log_files.empty() && whole_logs.empty() &&
           rename_from.is_null && file_names.empty();
  }
};

}  // namespace kelvo::store
