#include "catalogue/film_display.h"

#include "catalogue/multicopy.h"
#include "text/format.h"

namespace kelvo::catalogue {

text::u16 film_label(const records::ConfigBlock& config, FilmLabel which) {
  return config.str(records::cfg::film_label(static_cast<int>(which)), records::cfg::kLabelWidth);
}

std::optional<text::u16> long_date(const platform::Locale& locale, text::u16view stamp) {
  if (stamp.size() <= 13) return std::nullopt;
  const text::StampDate s = text::parse_stamp(stamp);
  if (!s.valid || s.day < 1 || s.day > 31 || s.month < 1 || s.month > 12 || s.year < 1900) return std::nullopt;
  text::DateTime d;
  d.year = s.year;
  d.month = s.month;
  d.day = s.day;
  d.weekday = text::weekday_of(s.year, s.month, s.day);
  return locale.format_date(d, u"ddd d MMM yy");
}

text::u16 shown_last_hire(const platform::Locale& locale, text::u16view stamp) {
  if (stamp.size() < 12) return text::u16(stamp);
  const text::u16 time(stamp.substr(0, 5));
  if (auto date = long_date(locale, stamp)) return time + u" " + *date;
  return time + u"  " + text::u16(stamp.substr(5));
}

namespace {

text::u16 renter_text(int64_t member) { return member == 0 ? text::u16() : text::format("%I64d", {member}); }

}  // namespace

std::vector<DisplayLine> film_display_lines(const records::ConfigBlock& config, const platform::Locale& locale,
                                            const records::FilmRecord& f, const text::DateTime& now) {
  auto label = [&](FilmLabel l) { return film_label(config, l); };
  std::vector<DisplayLine> lines = {
      {"number", label(FilmLabel::Number), text::format("%I64d", {f.number()})},
      {"title", label(FilmLabel::Title), f.title()},
      {"category", label(FilmLabel::Category), f.category()},
      {"certificate", label(FilmLabel::Certificate), f.certificate()},
      {"supplier", label(FilmLabel::Supplier), f.supplier()},
      {"actor_1", label(FilmLabel::Actor1), f.actor_1()},
      {"actor_2", label(FilmLabel::Actor2), f.actor_2()},
      {"director", label(FilmLabel::Director), f.director()},
      {"language", label(FilmLabel::Language), f.language()},
      {"location", label(FilmLabel::Location), f.location()},
      {"format", label(FilmLabel::Format), f.format()},
      {"charge_band", label(FilmLabel::ChargeBand), text::format("%d", {f.charge_band()})},
      {"date_added", label(FilmLabel::DatePurchased), f.date_added()},
      {"cost", label(FilmLabel::Cost), text::format("%.2f", {f.cost()})},
      {"rentals", label(FilmLabel::Rentals), text::format("%d", {f.rentals()})},
      {"revenue", label(FilmLabel::Revenue), text::format("%.2f", {f.revenue()})},
      {"last_hire", label(FilmLabel::LastRental), shown_last_hire(locale, f.last_hire())},
      {"on_loan_to", label(FilmLabel::OnLoanTo), renter_text(f.on_loan_to())},
      {"return_date", label(FilmLabel::ReturnDate), f.return_date()},
      // Newest first: the last renter, the one before, then the newest of the earlier ones.
      {"renters", label(FilmLabel::LastRentedBy),
       renter_text(f.last_rental_by()) + u"  " + renter_text(f.previous_to_last_rental_by()) + u"  " +
           renter_text(f.renter(7))},
      {"last_7", u"Last 7 days", text::format("%d", {rentals_last_7_days(f, now)})},
      {"last_30", u"Last 30 days", text::format("%d", {rentals_last_30_days(f, now)})},
      {"website", u"Website", f.website()},
      {"notes", u"Notes", f.notes()},
  };
  return lines;
}

}  // namespace kelvo::catalogue
