#include "reports/print_walk.h"

#include "records/file_io.h"

namespace kelvo::reports {

catalogue::PrintOutcome print_texts(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading_start,
                         const std::vector<text::u16>& lines) {
  size_t at = 0;
  bool cancelled = false;
  const auto total = static_cast<int64_t>(lines.size());
  return catalogue::print_list_headed(
      shop, screens, std::move(heading_start),
      [&](platform::PageWriter& writer) {
        if (at >= lines.size()) return false;
        if (!screens.progress().step(u"Printing", static_cast<int64_t>(at), total)) {
          cancelled = true;
          return false;
        }
        writer.line(lines[at++]);
        return true;
      },
      [&] { return cancelled; });
}

catalogue::PrintOutcome print_work_file(records::Shop& shop, catalogue::ListScreens& screens, text::u16 heading_start,
                             std::string_view work_file, std::function<void(const WorkRecord&, platform::PageWriter&)> lines) {
  const auto path = shop.path(work_file);
  const int64_t total = static_cast<int64_t>(records::file_size(path).value_or(0) / WorkRecord::kSize);
  WorkFileReader reader(path);
  if (!reader.opened()) {
    records::report_unreadable(shop, work_file, true);
    return catalogue::PrintOutcome::Failed;
  }
  bool cancelled = false;
  WorkRecord w;
  return catalogue::print_list_headed(
      shop, screens, std::move(heading_start),
      [&](platform::PageWriter& writer) {
        if (!screens.progress().step(u"Printing", reader.position(), total)) {
          cancelled = true;
          return false;
        }
        if (!reader.next(w)) return false;
        lines(w, writer);
        return true;
      },
      [&] { return cancelled; });
}

}  // namespace kelvo::reports
