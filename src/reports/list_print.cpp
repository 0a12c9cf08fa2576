#include "reports/list_print.h"

#include "records/config_layout.h"
#include "records/file_io.h"
#include "reports/print_walk.h"
#include "text/format.h"

namespace kelvo::reports {

namespace {

text::u16 printed_date(const records::Shop& shop) {
  const text::DateTime now = shop.now();
  if (auto d = shop.locale().format_date(now, u"MMMM d yyyy")) return *d;
  return text::format("%s %d %d", {text::month_name(now.month), now.day, now.year});
}

}  // namespace

text::u16 heading_start(records::Shop& shop, text::u16view heading_text) {
  return text::format("%s ", {shop.address.store_name()}) + text::u16(heading_text) + printed_date(shop);
}

PrintOutcome print_list(records::Shop& shop, ListScreens& screens, text::u16view heading_text, PrintStep step,
                        const std::function<bool()>& stopped) {
  return print_list_headed(shop, screens, heading_start(shop, heading_text), std::move(step), stopped);
}

PrintOutcome print_texts(records::Shop& shop, ListScreens& screens, text::u16 heading_start,
                         const std::vector<text::u16>& lines) {
  size_t at = 0;
  bool cancelled = false;
  const auto total = static_cast<int64_t>(lines.size());
  return print_list_headed(
      shop, screens, std::move(heading_start),
      [&](PageWriter& writer) {
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

PrintOutcome print_work_file(records::Shop& shop, ListScreens& screens, text::u16 heading_start,
                             std::string_view work_file, std::function<void(const WorkRecord&, PageWriter&)> lines) {
  const auto path = shop.path(work_file);
  const int64_t total = static_cast<int64_t>(records::file_size(path).value_or(0) / WorkRecord::kSize);
  WorkFileReader reader(path);
  if (!reader.opened()) {
    report_unreadable(shop, work_file, true);
    return PrintOutcome::Failed;
  }
  bool cancelled = false;
  WorkRecord w;
  return print_list_headed(
      shop, screens, std::move(heading_start),
      [&](PageWriter& writer) {
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

PrintOutcome print_list_headed(records::Shop& shop, ListScreens& screens, text::u16 heading_start, PrintStep step,
                               const std::function<bool()>& stopped) {
  platform::Printer& printer = screens.printer();
  // The print dialog is not to open under a progress window left from reading the records.
  screens.progress().finish();
  switch (printer.begin(u"QUENDRIX", platform::PrintDestination{})) {
    case platform::PrintStart::Cancelled: return PrintOutcome::NotStarted;
    case platform::PrintStart::Failed:
      platform::problem(shop.op(), u"Unable to start the printer.");
      return PrintOutcome::Failed;
    case platform::PrintStart::Started: break;
  }
  const int64_t lines = shop.config.i64(records::cfg::kListFontSize);
  if (lines > 0) printer.set_font(platform::FontSize{static_cast<int>(lines), 0});
  PageWriter::Options options;
  options.indent = static_cast<int>(shop.config.i64(records::cfg::kListIndent));
  options.heading = [heading_start](int page) { return text::format("%s  Page: %d", {heading_start, page}); };
  PageWriter writer(printer, options);
  while (step(writer)) {
  }
  screens.progress().finish();
  if (stopped()) {
    printer.abort();
    return PrintOutcome::Cancelled;
  }
  writer.finish();
  if (!printer.end()) {
    platform::problem(shop.op(), u"Unable to print.");
    return PrintOutcome::Failed;
  }
  return PrintOutcome::Printed;
}

}  // namespace kelvo::reports
