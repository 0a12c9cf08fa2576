#include "reports/log_print.h"

#include "platform/page_writer.h"
#include "records/file_io.h"
#include "reports/overview.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

constexpr size_t kLogLineLimit = 253;
// From the end of the date back over "hh:mm " and the date itself.
constexpr size_t kEntryLead = 16;

text::u16 log_heading(const records::Shop& shop, int page) {
  const text::DateTime kept = shop.config.last_shutdown();
  return text::format("%s Log file: %02d/%02d/%d      Page: %d",
                      {shop.address.store_name(), shop.config.i32(cfg::kRolledDay), kept.month, kept.year, page});
}

}  // namespace

std::optional<size_t> dated_start(text::u16view log, text::u16view date) {
  if (date.empty()) return std::nullopt;
  const size_t at = log.find(date);
  if (at == text::u16view::npos) return std::nullopt;
  const size_t end = at + date.size();
  return end >= kEntryLead ? end - kEntryLead : 0;
}

void draw_log(platform::Printer& printer, const records::Shop& shop, text::u16view log, size_t from) {
  platform::PageWriter w(printer, {.heading = [&shop](int page) { return log_heading(shop, page); }});
  text::u16 line;
  for (size_t i = from; i < log.size(); ++i) {
    const char16_t c = log[i];
    if (c == u'\r') {
      w.line(line);
      line.clear();
    } else if (c > 30) {
      line.push_back(c);
      if (line.size() == kLogLineLimit) {
        w.line(line);
        line.clear();
      }
    }
  }
  if (!line.empty()) w.line(line);
  w.finish();
}

bool print_log(records::Shop& shop, platform::Printer& printer, LogPrint which, text::u16view day) {
  auto bytes = records::read_whole(shop.path(which == LogPrint::Previous ? records::files::kPreviousLog : records::files::kLog));
  if (!bytes) {
    platform::problem(shop.op(), u"Unable to open file.");
    return false;
  }
  const text::u16 log = text::from_utf16le(bytes->data(), bytes->size());
  size_t from = 0;
  if (which == LogPrint::Today || which == LogPrint::Day) {
    const text::DateTime now = shop.now();
    const text::u16 date = which == LogPrint::Today ? text::make_date(now.day, now.month, now.year) : text::u16(day);
    auto start = dated_start(log, date);
    if (!start) {
      shop.op().message(u"Problem, no transactions found for that date", u"Please check 'old log file' for prior operations");
      return false;
    }
    from = *start;
  }
  if (!begin_document(printer)) return false;
  draw_log(printer, shop, log, from);
  return printer.end();
}

}  // namespace kelvo::reports
