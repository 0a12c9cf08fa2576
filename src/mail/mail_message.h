#pragma once
// The three mails as the counter writes them: the day report, the day's part of the log and the
// overdue reminder. Everything is built on the counter's thread from the shop as it is at that
// moment, so a job on its worker sends its own copy while the counter goes on.
#include <array>
#include <cstdint>
#include <optional>

#include "platform/locale.h"
#include "records/shop.h"
#include "text/calendar.h"

namespace kelvo::mail {

// The figures of the day that both the report and the log mail open with.
struct DayFigures {
  text::u16 address1, address2;
  float takings_today = 0;
  int64_t rentals_today = 0, returns_today = 0;
  float items_sold_count = 0, items_sold_amount = 0, stock_sales = 0;
  std::array<float, 14> history{};  // entry 0 is the day before the start date
};
DayFigures day_figures(const records::Shop& shop);

// The header lines a mail reader needs besides FROM, TO and SUBJECT.
struct MimeStamp {
  text::u16 date;        // RFC 5322 date-time
  text::u16 message_id;  // with its angle brackets
};
MimeStamp mime_stamp(const text::DateTime& now, text::u16view sender);

// "FROM: %s\r\nTO: %s\r\nSUBJECT: %s\r\n", the MIME header lines and the blank line.
text::u16 mail_head(text::u16view sender, text::u16view target, text::u16view subject, const MimeStamp& stamp);

struct Moment {
  text::DateTime now;      // the time the mail is written
  text::DateTime started;  // the program's start date
};

text::u16 day_report_body(const DayFigures& f, const Moment& m, const platform::Locale& locale);
// The log part: the figures, "End report" and the log of the start date ("End log" closes it).
text::u16 day_log_body(const DayFigures& f, const Moment& m, const platform::Locale& locale, text::u16view log);

// Where the start date's entries begin: the first place the ten characters of the date occur
// from the thirteenth character on, less sixteen (the hour of that entry's heading). nullopt
// when the date does not occur.
std::optional<size_t> day_log_start(text::u16view log, const text::DateTime& day);
// The log from `from` as mail lines: characters above code 30 kept, a carriage return or 253
// kept characters ending a line, every line sent with "\r\n".
text::u16 day_log_lines(text::u16view log, size_t from);

// One overdue loan as the reminder lists it.
struct OverdueItem {
  int64_t number = 0;
  text::u16 title;
  text::u16 rented;  // the slot's rental time-date stamp
};
text::u16 reminder_body(const records::AddressLines& address, int64_t member, const std::vector<OverdueItem>& items,
                        const text::DateTime& now, const platform::Locale& locale);

// The member's loans whose items are overdue, in slot order; false when film.dat cannot be read.
bool overdue_items(const records::Shop& shop, const records::MemberRecord& member, std::vector<OverdueItem>& out);

}  // namespace kelvo::mail
