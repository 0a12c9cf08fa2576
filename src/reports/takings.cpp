#include "reports/takings.h"

#include "catalogue/list_window.h"
#include "counter/payment.h"
#include "exchange/export.h"
#include "platform/page_writer.h"
#include "records/commit.h"
#include "records/file_io.h"
#include "records/transaction_log.h"
#include "reports/overview.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

int digits_at(text::u16view s, size_t pos, size_t len) {
  if (pos >= s.size()) return 0;
  return static_cast<int>(text::parse_int64(s.substr(pos, len)));
}

void non_valid_date(records::Shop& shop) {
  shop.warn();
  platform::problem(shop.op(), u"Non valid date");
}

std::optional<HistoryDay> ask_day(records::Shop& shop, text::u16view question, text::u16 proposal, bool today_allowed) {
  platform::PromptOptions o;
  o.proposal = std::move(proposal);
  auto a = shop.op().prompt(question, o);
  if (!a) return std::nullopt;
  auto day = read_history_day(a->text, shop.now(), today_allowed);
  if (!day) non_valid_date(shop);
  return day;
}

// Each day from the start to yesterday with its history index.
template <typename F>
void each_day(const HistoryDay& start, F f) {
  Ymd d = start.date;
  for (int k = start.index; k >= 0; --k, d = next(d)) f(d, k);
}

text::u16 month_suffix(const records::ConfigBlock& c, const Ymd& d, int k, const char* format) {
  auto total = month_total(c, d, k);
  return total ? text::format(format, {*total}) : text::u16{};
}

}  // namespace

std::optional<HistoryDay> read_history_day(text::u16view typed, const text::DateTime& today, bool today_allowed) {
  const Ymd d{digits_at(typed, 0, 2), digits_at(typed, 3, 2), digits_at(typed, 6, 4)};
  if (d.day < 1 || d.month < 1 || d.month > 12 || d.year < 1994) return std::nullopt;
  if (d.day > text::month_length(d.month, d.year)) return std::nullopt;
  if (d.year != today.year && d.year != today.year - 1) return std::nullopt;
  const Ymd now = ymd(today);
  if (!before(d, now) && !(today_allowed && d == now)) return std::nullopt;
  if (before(d, first_of_month_year_back(today))) return std::nullopt;
  return HistoryDay{d, days_before(d, today) - 1};
}

std::optional<HistoryDay> ask_takings_start(records::Shop& shop) {
  const text::DateTime today = shop.now();
  const Ymd from = step_back(today, 14);
  return ask_day(shop, text::format("From (Earliest 01-%2d-%d):", {today.month, today.year - 1}),
                 text::format("%02d-%02d-%d", {from.day, from.month, from.year}), false);
}

std::vector<catalogue::ListRow> takings_rows(const records::Shop& shop, const HistoryDay& start) {
  const records::ConfigBlock& c = shop.config;
  std::vector<catalogue::ListRow> rows;
  each_day(start, [&](const Ymd& d, int k) {
    rows.push_back({day_text(shop.locale(), d),
                    text::format("Arrears: %.2f,   Lates: %.2f", {arrears_history(c, k), lates_history(c, k)}),
                    text::format("%.2f", {history(c, k)}), month_suffix(c, d, k, "Month: %.2f")});
  });
  return rows;
}

void show_takings(records::Shop& shop, catalogue::CatalogueViews& views) {
  auto start = ask_takings_start(shop);
  if (!start) return;
  catalogue::show_list(shop.op(), views, u"Takings list", takings_rows(shop, *start));
}

std::vector<text::u16> takings_print_lines(const records::Shop& shop, const HistoryDay& start) {
  const records::ConfigBlock& c = shop.config;
  std::vector<text::u16> lines;
  each_day(start, [&](const Ymd& d, int k) {
    const int weekday = text::weekday_of(d.year, d.month, d.day);
    lines.push_back(text::format("%-12s%2d/%2d/%d  A: %.2f,  L: %.2f,  Total: %.2f",
                                 {text::weekday_name(weekday), d.day, d.month, d.year, arrears_history(c, k),
                                  lates_history(c, k), history(c, k)}) +
                    month_suffix(c, d, k, "  Month: %.2f"));
  });
  return lines;
}

void draw_takings(platform::Printer& printer, const records::Shop& shop, const HistoryDay& start) {
  use_list_font(printer, shop.config);
  const text::u16 head = text::format("%s ", {shop.address.store_name()}) + u"Takings: " +
                         shop.locale().format_date(shop.now(), u"MMMM d yyyy").value_or(u"");
  platform::PageWriter w(printer, {.indent = list_indent(shop.config),
                         .heading = [head](int page) { return text::format("%s  Page: %d", {head, page}); }});
  for (const auto& l : takings_print_lines(shop, start)) w.line(l);
  w.finish();
}

bool print_takings(records::Shop& shop, platform::Printer& printer) {
  auto start = ask_takings_start(shop);
  if (!start || !begin_document(printer)) return false;
  draw_takings(printer, shop, *start);
  return printer.end();
}

void amend_takings(records::Shop& shop) {
  const text::DateTime now = shop.now();
  auto day = ask_day(shop, text::format("Amend (Earliest 01-%02d-%d):", {now.month, now.year - 1}), u"dd-mm-yyyy", true);
  if (!day) return;
  const bool today = day->index < 0;
  const float current = today ? shop.config.takings_today() : history(shop.config, day->index);
  const Ymd& d = day->date;
  text::u16 question = u"Today";
  if (!today) {
    auto s = short_date(shop.locale(), d);
    question = s ? *s : text::format("%s %2d/%2d/%d", {text::weekday_name(text::weekday_of(d.year, d.month, d.day)), d.day, d.month, d.year});
  }
  platform::PromptOptions o;
  o.proposal = text::format("%.2f", {current});
  auto typed = shop.op().prompt(question, o);
  if (!typed) return;
  // A slip of the keyboard must not quietly become 0 and wipe a day's takings.
  auto amount = counter::read_amount(typed->text);
  if (!amount) {
    shop.warn();
    platform::problem(shop.op(), u"Invalid amount");
    return;
  }
  const text::u16 entry = records::log_prefix(now) + u"  Takings amendment" +
                          (today ? text::format("\r\nfor %d/%d/%d: %.2f\r\n", {d.day, d.month, d.year, *amount})
                                 : text::format("\r\nfor %d/%d/%d: %s\r\n", {d.day, d.month, d.year, typed->text}));
  // The amount and its log entry are one change: a change of the day's takings that would
  // leave no trace of who made it is refused rather than made.
  records::Commit commit(shop);
  records::append_log_or_report(shop, entry);
  shop.config.set_f32(today ? cfg::kTakingsToday : cfg::history_entry(day->index), *amount);
  commit.finish();
}

void purge_takings(records::Shop& shop) {
  if (shop.op().message(u"Purge entire takings history", u"Are you sure?", platform::Buttons::OkCancel) !=
      platform::Answer::Ok)
    return;
  records::ConfigBlock& c = shop.config;
  c.clear(cfg::history_entry(0), 4 * kPurgedDays);
  for (int s = 0; s < cfg::kSeriesCount; ++s) c.clear(cfg::series_entry(s, 0), 4 * kPurgedDays);
  shop.save_config();
}

text::u16 takings_csv(const records::Shop& shop, ExportPeriod period) {
  const records::ConfigBlock& c = shop.config;
  const text::DateTime today = shop.now();
  auto line = [](const Ymd& d, float a, float l, float t) {
    return text::format("%02d/%02d/%d, A: %.2f,  L: %.2f,  Total: %.2f\r\n", {d.day, d.month, d.year, a, l, t});
  };
  // Today is not in the history yet: its single row shows the running figures.
  if (period == ExportPeriod::Day)
    return line(ymd(today), c.f32(cfg::kArrearsPaid), c.f32(cfg::kLateFeesPaid), c.takings_today());
  Ymd start = period == ExportPeriod::Week    ? step_back(today, 7)
              : period == ExportPeriod::Month ? Ymd{1, today.month, today.year}
                                              : first_of_month_year_back(today);
  text::u16 out;
  each_day({start, days_before(start, today) - 1}, [&](const Ymd& d, int k) {
    out += line(d, arrears_history(c, k), lates_history(c, k), history(c, k));
  });
  return out;
}

bool export_takings(records::Shop& shop, const TakingsExport& request) {
  const text::u16 body = takings_csv(shop, request.period);
  const std::string bytes = (request.unicode_header ? std::string("\xFF\xFE") : std::string()) + text::utf16le_bytes(body);
  const std::filesystem::path name(text::to_utf8(request.file_name));
  const std::filesystem::path file = name.is_absolute() ? name : shop.folder() / name;
  // A name of one of the shop's own files would replace that file with the export.
  if (request.file_name.empty() || exchange::is_shop_file(shop, file) ||
      !records::write_file_atomic(file, bytes.data(), bytes.size())) {
    platform::problem(shop.op(), u"Unable to open file.");
    return false;
  }
  shop.op().message(u"Export", u"Complete.");
  return true;
}

}  // namespace kelvo::reports
