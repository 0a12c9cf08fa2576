#pragma once
// A print of the records of an index walk or of a work file, line by line.
#include "catalogue/list_print.h"
#include "reports/list_rows.h"

namespace kelvo::reports {

template <class Record>
catalogue::PrintOutcome print_walk(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading_start, records::IndexWalk<Record> walk,
                        std::function<void(const Record&, platform::PageWriter&)> lines) {
  Record r;
  return catalogue::print_list_headed(
      shop, screens, std::move(heading_start),
      [&](platform::PageWriter& w) {
        if (!walk.next(r)) return false;
        lines(r, w);
        return true;
      },
      [&] { return walk.cancelled_or_failed(); });
}

// The work file from the front, with progress; Cancel abandons the print.
catalogue::PrintOutcome print_work_file(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading_start,
                             std::string_view work_file, std::function<void(const WorkRecord&, platform::PageWriter&)> lines);

// Lines already made, with progress; Cancel abandons the print.
catalogue::PrintOutcome print_texts(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading_start,
                         const std::vector<text::u16>& lines);

}  // namespace kelvo::reports
