#include "mail/mail_message.h"

#include <cstdio>
#include <ctime>
#include <random>

#include "records/config_layout.h"
#include "text/format.h"

namespace kelvo::mail {

using text::format;
using text::u16;

namespace {

u16 long_date(const text::DateTime& d, const platform::Locale& locale) {
  return locale.format_date(d, u"ddd MMM dd yy").value_or(u"");
}

text::DateTime day_before(text::DateTime d) {
  if (--d.day < 1) {
    if (--d.month < 1) {
      d.month = 12;
      --d.year;
    }
    d.day = text::month_length(d.month, d.year);
  }
  return d;
}

u16 slash_date(const text::DateTime& d) { return format("%d/%d/%d", {d.day, d.month, d.year}); }

u16 figures_lines(const DayFigures& f, bool stock_ends_block) {
  u16 out = format("%s\r\n", {f.address1}) + format("%s\r\n\r\n", {f.address2});
  out += format("Today's takings: %.2f\r\n", {f.takings_today});
  out += format("Today Rent: %I64d Return: %I64d\r\n", {static_cast<long long>(f.rentals_today),
                                                         static_cast<long long>(f.returns_today)});
  out += format("Rental items sold (%d): %.2f\r\n", {static_cast<int>(f.items_sold_count), f.items_sold_amount});
  out += format(stock_ends_block ? "Stock sales: %.2f\r\n\r\n" : "Stock sales: %.2f\r\n", {f.stock_sales});
  return out;
}

}  // namespace

DayFigures day_figures(const records::Shop& shop) {
  namespace cfg = records::cfg;
  const auto& c = shop.config;
  DayFigures f;
  f.address1 = shop.address.line(1);
  f.address2 = shop.address.line(2);
  f.takings_today = c.takings_today();
  f.rentals_today = c.i64(cfg::kRentalsToday);
  f.returns_today = c.i64(cfg::kReturnsToday);
  f.items_sold_count = c.f32(cfg::kItemsSoldCount);
  f.items_sold_amount = c.f32(cfg::kItemsSoldAmount);
  f.stock_sales = c.f32(cfg::kStockSalesToday);
  for (int k = 0; k < 14; ++k) f.history[k] = c.f32(cfg::history_entry(k));
  return f;
}

MimeStamp mime_stamp(const text::DateTime& now, text::u16view sender) {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  long offset = local.tm_gmtoff / 60;
  char sign = offset < 0 ? '-' : '+';
  if (offset < 0) offset = -offset;
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  char date[64];
  std::snprintf(date, sizeof date, "%s, %02d %s %d %02d:%02d:%02d %c%02ld%02ld",
                kDays[text::weekday_of(now.year, now.month, now.day)], now.day, kMonths[(now.month + 11) % 12],
                now.year, now.hour, now.minute, now.second, sign, offset / 60, offset % 60);
  std::random_device random;
  char id[40];
  std::snprintf(id, sizeof id, "%08x%08x.%d%02d%02d", random(), random(), now.year, now.month, now.day);
  size_t at = sender.rfind(u'@');
  u16 domain = at == text::u16view::npos || at + 1 == sender.size() ? u16(u"kelvo.invalid") : u16(sender.substr(at + 1));
  return {text::from_utf8(date), u"<" + text::from_utf8(id) + u"@" + domain + u">"};
}

u16 mail_head(text::u16view sender, text::u16view target, text::u16view subject, const MimeStamp& stamp) {
  u16 out = format("FROM: %s\r\nTO: %s\r\nSUBJECT: %s\r\n", {sender, target, subject});
  out += format("Date: %s\r\nMessage-ID: %s\r\n", {stamp.date, stamp.message_id});
  out += u"MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n";
  return out;
}

u16 day_report_body(const DayFigures& f, const Moment& m, const platform::Locale& locale) {
  u16 out = format("QUENDRIX report: %d:%02d ", {m.now.hour, m.now.minute}) + long_date(m.now, locale) + u"\r\n\r\n";
  out += figures_lines(f, true);
  out += u"Previous daily takings\r\n";
  text::DateTime day = m.started;
  text::DateTime line1, line8;
  float week1 = 0, week2 = 0;
  for (int k = 0; k < 14; ++k) {
    day = day_before(day);
    if (k == 0) line1 = day;
    if (k == 7) line8 = day;
    (k < 7 ? week1 : week2) += f.history[k];
    out += format("D:%d/M:%d/Y:%d: %.2f\r\n", {day.day, day.month, day.year, f.history[k]});
  }
  out += u"\r\nWeekly summaries:\r\n";
  out += format("WE %s: %.2f\r\n", {slash_date(line8), week2});
  out += format("WE %s: %.2f\r\n", {slash_date(line1), week1});
  out += u"End report";
  return out;
}

u16 day_log_body(const DayFigures& f, const Moment& m, const platform::Locale& locale, text::u16view log) {
  u16 out = format("QUENDRIX log: %d:%02d ", {m.now.hour, m.now.minute}) + long_date(m.now, locale) + u"\r\n\r\n";
  out += figures_lines(f, false);
  out += u"End report\r\n\r\n";
  out += format("%s Log file: %02d/%02d/%d\r\n", {f.address1, m.started.day, m.started.month, m.started.year});
  if (auto from = day_log_start(log, m.started)) out += day_log_lines(log, *from);
  out += u"End log\r\n";
  return out;
}

std::optional<size_t> day_log_start(text::u16view log, const text::DateTime& day) {
  const u16 date = text::make_date(day.day, day.month, day.year);
  if (date.size() != 10) return std::nullopt;
  // n characters read, the last ten of them compared, from the thirteenth on.
  for (size_t n = std::max<size_t>(13, date.size()); n <= log.size(); ++n) {
    if (log.compare(n - date.size(), date.size(), date) != 0) continue;
    // A heading cut short at the very start of the file has no hour to step back to.
    return n >= 16 ? n - 16 : 0;
  }
  return std::nullopt;
}

u16 day_log_lines(text::u16view log, size_t from) {
  constexpr size_t kLineLimit = 253;
  u16 out, line;
  for (size_t i = from; i < log.size(); ++i) {
    char16_t c = log[i];
    if (c > 30) line += c;
    if (c == u'\r' || line.size() == kLineLimit) {
      out += line + u"\r\n";
      line.clear();
    }
  }
  // A log cut off in mid-line still sends what it holds.
  if (!line.empty()) out += line + u"\r\n";
  return out;
}

u16 reminder_body(const records::AddressLines& address, int64_t member, const std::vector<OverdueItem>& items,
                  const text::DateTime& now, const platform::Locale& locale) {
  u16 out = format("%s\r\n", {address.line(1)}) + format("%s\r\n\r\n", {address.line(2)});
  out += format("Overdue reminder: %d:%02d ", {now.hour, now.minute}) + long_date(now, locale) + u"\r\n\r\n";
  out += format("Dear Sir / Madam,  Member number: %I64d\r\n\r\n", {static_cast<long long>(member)});
  out += u"According to our records the following item(s) are overdue:\r\n\r\n";
  for (const auto& item : items) {
    u16 r = item.rented;
    r.resize(std::max<size_t>(r.size(), 5), u' ');
    out += format("%-6I64d %-35s rented at %c%c:%c%c on %s\r\n",
                  {static_cast<long long>(item.number), item.title, r[0], r[1], r[3], r[4],
                   text::u16view(r).substr(5)});
  }
  out += u"\r\nPlease return at your earliest convenience. Thank you.";
  return out;
}

bool overdue_items(const records::Shop& shop, const records::MemberRecord& member, std::vector<OverdueItem>& out) {
  const auto now = shop.now();
  const u16 deadline = shop.config.return_deadline();
  for (int s = 0; s < records::MemberRecord::kLoanSlots; ++s) {
    int64_t number = member.on_loan(s);
    if (number == 0) continue;
    records::FilmRecord film;
    auto got = shop.films.read_number(number, film);
    if (got == records::ReadResult::NotOpened) return false;
    if (got != records::ReadResult::Ok) continue;
    if (text::days_overdue(now, film.return_date(), deadline) > 0)
      out.push_back({number, film.title(), member.on_loan_rented(s)});
  }
  return true;
}

}  // namespace kelvo::mail
