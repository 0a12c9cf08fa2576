#pragma once
// A print of the records of an index walk or of a work file, line by line.
#include "reports/list_print.h"
#include "reports/list_rows.h"

namespace kelvo::reports {

template <class Record>
PrintOutcome print_walk(records::Shop& shop, ListScreens& screens, text::u16 heading_start, IndexWalk<Record> walk,
                        std::function<void(const Record&, PageWriter&)> lines) {
  Record r;
  return print_list_headed(
      shop, screens, std::move(heading_start),
      [&](PageWriter& w) {
        if (!walk.next(r)) return false;
        lines(r, w);
        return true;
      },
      [&] { return walk.cancelled_or_failed(); });
}

// The work file from the front, with progress; Cancel abandons the print.
PrintOutcome print_work_file(records::Shop& shop, ListScreens& screens, text::u16 heading_start,
                             std::string_view work_file, std::function<void(const WorkRecord&, PageWriter&)> lines);

// Lines already made, with progress; Cancel abandons the print.
PrintOutcome print_texts(records::Shop& shop, ListScreens& screens, text::u16 heading_start,
                         const std::vector<text::u16>& lines);

// "%s " (store name) and the heading text and the date: the usual start of a page heading.
text::u16 heading_start(records::Shop& shop, text::u16view heading_text);

}  // namespace kelvo::reports
