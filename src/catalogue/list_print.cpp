#include "catalogue/list_print.h"

#include "records/config_layout.h"
#include "text/format.h"

namespace kelvo::catalogue {

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
  platform::PageWriter::Options options;
  options.indent = static_cast<int>(shop.config.i64(records::cfg::kListIndent));
  options.heading = [heading_start](int page) { return text::format("%s  Page: %d", {heading_start, page}); };
  platform::PageWriter writer(printer, options);
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

}  // namespace kelvo::catalogue
