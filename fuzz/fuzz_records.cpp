// Film, member and stock records as stored: every reader of their fields and stamps, the
// display lines and the export items made of them.
#include <cstring>

#include "catalogue/film_display.h"
#include "exchange/export_formats.h"
#include "exchange/xml_film_item.h"
#include "platform/locale.h"
#include "records/config_block.h"
#include "records/film_record.h"
#include "records/member_record.h"
#include "records/stock_record.h"
#include "text/calendar.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const records::ConfigBlock config = [] {
    records::ConfigBlock c;
    c.set_first_run_defaults(text::DateTime{});
    return c;
  }();
  static const platform::EnglishLocale locale;
  text::DateTime now;
  now.year = 2026, now.month = 12, now.day = 8, now.hour = 10;

  records::FilmRecord film;
  std::memcpy(film.data(), data, std::min(size, records::FilmRecord::kSize));
  exchange::xml_film_item(film);
  exchange::FieldChoice all;
  all.entire = true;
  exchange::text_film_line(film, all);
  catalogue::film_display_lines(config, locale, film, now);
  text::days_since(now, film.last_hire());
  text::days_overdue(now, film.return_date(), config.return_deadline());
  film.mark_hire_day(text::days_since(now, film.last_hire()));
  for (int i = 0; i < 10; ++i) film.renter(i);
  film.push_renter(7);

  records::MemberRecord member;
  std::memcpy(member.data(), data, std::min(size, records::MemberRecord::kSize));
  exchange::text_member_line(member, all);
  exchange::xml_member_item(member);
  member.holds_items();
  member.free_loan_slot();
  member.loan_slot_of(1);
  for (int s = 0; s < records::MemberRecord::kLoanSlots; ++s) text::days_overdue(now, member.on_loan_due(s), u"");

  records::StockRecord stock;
  std::memcpy(stock.data(), data, std::min(size, records::StockRecord::kSize));
  (void)stock.number();
  return 0;
}
