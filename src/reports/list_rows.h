#pragma once
// Rows of a list window from a walk over a record file or from a work file, read only as far
// as the window pages through them.
#include <functional>
#include <string_view>
#include <vector>

#include "catalogue/list_window.h"
#include "records/record_walk.h"
#include "records/shop.h"
#include "reports/work_file.h"

namespace kelvo::reports {

// Rows of a list window made from the records of a walk: each record gives no row, one row, or
// several (a member and the items it has overdue).
template <class Record>
class IndexRows : public catalogue::ListSource {
 public:
  using RowsOf = std::function<void(const Record&, std::vector<catalogue::ListRow>&)>;
  // `until` ends the rows early when it turns true (the operator's Cancel in a screen of its own).
  IndexRows(records::IndexWalk<Record> walk, RowsOf rows_of, std::function<bool()> until = [] { return false; })
      : walk_(std::move(walk)), rows_of_(std::move(rows_of)), until_(std::move(until)) {}
  bool next(catalogue::ListRow& row) override {
    while (at_ >= pending_.size()) {
      pending_.clear();
      at_ = 0;
      if (until_() || !walk_.next(record_)) return false;
      rows_of_(record_, pending_);
    }
    row = pending_[at_++];
    return true;
  }
  bool stopped() const override { return walk_.cancelled_or_failed(); }
  bool cut_short() const override { return until_(); }

 private:
  records::IndexWalk<Record> walk_;
  RowsOf rows_of_;
  std::function<bool()> until_;
  Record record_;
  std::vector<catalogue::ListRow> pending_;
  size_t at_ = 0;
};

// Rows of a list window read from a work file, a page at a time. A work file that does not open
// is reported, and the list says nothing more.
class WorkFileRows : public catalogue::ListSource {
 public:
  using RowOf = std::function<catalogue::ListRow(const WorkRecord&)>;
  WorkFileRows(records::Shop& shop, std::string_view work_file, RowOf row_of)
      : reader_(shop.path(work_file)), row_of_(std::move(row_of)) {
    if (!reader_.opened()) records::report_unreadable(shop, work_file, true);
  }
  bool next(catalogue::ListRow& row) override {
    WorkRecord w;
    if (!reader_.next(w)) return false;
    row = row_of_(w);
    return true;
  }
  bool stopped() const override { return !reader_.opened(); }

 private:
  WorkFileReader reader_;
  RowOf row_of_;
};

}  // namespace kelvo::reports
