#include "catalogue/reservations.h"

#include "catalogue/film_find.h"
#include "catalogue/list_print.h"
#include "catalogue/list_window.h"
#include "catalogue/member_find.h"
#include "records/file_io.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {

constexpr size_t kDaySize = ReservationDay::kSize;

text::u16 cut(text::u16view s, size_t n) { return text::u16(s.substr(0, std::min(n, s.size()))); }

void problem_resn(records::Shop& shop) { platform::problem(shop.op(), u"Data file: resn.dat."); }

// The common steps of every command but Add: choose a day, read it; an empty day ends here.
std::optional<ReservationDay> chosen_day_with_entries(records::Shop& shop) {
  auto n = choose_reservation_day(shop);
  if (!n) return std::nullopt;
  ReservationDay day;
  if (!read_reservation_day(shop, *n, day)) return std::nullopt;
  if (day.count() == 0) {
    shop.op().message(u"Reservations", u"No reservations recorded.");
    return std::nullopt;
  }
  return day;
}

// "Amend reservation" / "Delete reservation": the entry chosen from the day's list.
std::optional<int> choose_entry(records::Shop& shop, const ReservationDay& day, text::u16view caption) {
  std::vector<text::u16> lines;
  for (int i = 0; i < ReservationDay::kEntries; ++i)
    if (day.state(i) == ReservationDay::kInUse) lines.push_back(cut(day.member(i), 10) + u", " + cut(day.item(i), 10));
  auto chosen = shop.op().choose(caption, lines, 0);
  if (!chosen) return std::nullopt;
  if (*chosen < 0 || *chosen >= ReservationDay::kEntries || day.state(*chosen) != ReservationDay::kInUse) {
    shop.op().message(u"Amend Reservation", u"No reservations held");
    return std::nullopt;
  }
  return *chosen;
}

// "Member details:" and "Film:": more than 29 characters is refused.
std::optional<text::u16> ask_amended(records::Shop& shop, text::u16view question, text::u16view current) {
  platform::PromptOptions o;
  o.proposal = text::u16(current);
  auto a = shop.op().prompt(question, o);
  if (!a) return std::nullopt;
  if (a->text.size() > static_cast<size_t>(kTextLimitOnAmend)) {
    shop.op().message(u"Input exceeds aloowed length", u"30 characters", platform::Buttons::OkCancel);
    return std::nullopt;
  }
  return a->text;
}

text::u16 list_title(records::Shop& shop, const ReservationDay& day) {
  const text::DateTime d = reservation_date(shop.now(), day.day_index());
  return text::format("Reservations: %s %d/%d/%d  Total: %d",
                      {text::weekday_name(d.weekday), d.day, d.month, d.year, day.count()});
}

}  // namespace

text::DateTime reservation_date(const text::DateTime& today, int n) {
  text::DateTime d = today;
  for (int i = 0; i < n; ++i) d = text::next_day(d);
  return d;
}

text::u16 reservation_day_text(const platform::Locale& locale, const text::DateTime& d) {
  if (auto s = locale.format_date(d, u"ddd d MMM yy")) return *s;
  return text::format("%s %d/%d/%d", {text::weekday_name(d.weekday), d.day, d.month, d.year});
}

bool read_reservation_day(records::Shop& shop, int n, ReservationDay& out) {
  const auto got = records::read_at(shop.path(records::files::kReservations), static_cast<uint64_t>(n) * kDaySize,
                                    out.data(), kDaySize);
  if (got != static_cast<long long>(kDaySize)) {
    problem_resn(shop);
    return false;
  }
  return true;
}

bool write_reservation_day(records::Shop& shop, const ReservationDay& day) {
  const auto pos = static_cast<uint64_t>(day.day_index()) * kDaySize;
  if (records::write_at(shop.path(records::files::kReservations), pos, day.data(), kDaySize) != records::WriteResult::Ok) {
    problem_resn(shop);
    return false;
  }
  return true;
}

std::optional<int> choose_reservation_day(records::Shop& shop) {
  const auto file = shop.path(records::files::kReservations);
  std::vector<text::u16> lines;
  ReservationDay day;
  for (int n = 0; n < kOfferedDays; ++n) {
    if (records::read_at(file, static_cast<uint64_t>(n) * kDaySize, day.data(), kDaySize) !=
        static_cast<long long>(kDaySize)) {
      shop.op().message(u"Fatal error", u"Data file: resn.dat, not present.");
      return std::nullopt;
    }
    text::u16 line = reservation_day_text(shop.locale(), reservation_date(shop.now(), n));
    if (day.count() != 0) line += text::format(" (%d)", {day.count()});
    lines.push_back(line);
  }
  auto chosen = shop.op().choose(u"Select day:", lines, 0);
  if (!chosen || *chosen < 0 || *chosen >= kOfferedDays) return std::nullopt;
  return *chosen;
}

ReservationAdd::ReservationAdd(records::Shop& shop, CatalogueViews& views, ReservationDay day)
    : shop_(shop), views_(views), day_(day) {}

text::u16 ReservationAdd::date_line() const {
  const text::DateTime d = reservation_date(shop_.now(), day_.day_index());
  if (auto s = shop_.locale().format_date(d, u"ddd d MMM yy")) return *s;
  return text::format("Day: %d Month: %d Year: %d", {d.day, d.month, d.year});
}

std::vector<text::u16> ReservationAdd::member_lines() const {
  std::vector<text::u16> out;
  for (int i = 0; i < ReservationDay::kEntries; ++i)
    if (day_.state(i) == ReservationDay::kInUse)
      out.push_back(text::format("%s (item: %s)", {day_.member(i), day_.item(i)}));
  return out;
}

std::vector<text::u16> ReservationAdd::item_lines() const {
  std::vector<text::u16> out;
  for (int i = 0; i < ReservationDay::kEntries; ++i)
    if (day_.state(i) == ReservationDay::kInUse)
      out.push_back(text::format("%s (by: %s)", {day_.item(i), day_.member(i)}));
  return out;
}

bool ReservationAdd::find_member() {
  member.clear();
  if (find_member_command(shop_, views_) == 0) return false;
  const auto& m = shop_.member;
  member = text::format("%I64d, %s %s", {m.number(), m.initial(), m.name()});
  return true;
}

bool ReservationAdd::find_item() {
  item.clear();
  if (find_film_command(shop_, views_) == 0) return false;
  item = shop_.film.title();
  return true;
}

bool ReservationAdd::store() {
  int free = reached_;
  while (free < ReservationDay::kEntries && day_.state(free) == ReservationDay::kInUse) ++free;
  // The last entry is never stored: a day keeps at most 199 reservations on file, and the
  // screen's copy of the day stays what the file holds.
  if (free >= ReservationDay::kEntries - 1) {
    shop_.op().message(u"Reservations", u"Total reached");
    return false;
  }
  ReservationDay next = day_;
  next.set_member(free, cut(member, kTextLimitOnAdd));
  next.set_item(free, cut(item, kTextLimitOnAdd));
  next.set_state(free, ReservationDay::kInUse);
  next.set_count(next.count() + 1);
  if (!write_reservation_day(shop_, next)) return false;
  day_ = next;
  reached_ = free;
  return true;
}

void add_reservation(records::Shop& shop, CatalogueViews& views, ReservationScreens& screens, bool today) {
  std::optional<int> n = 0;
  if (!today) n = choose_reservation_day(shop);
  if (!n) return;
  ReservationDay day;
  if (!read_reservation_day(shop, *n, day)) return;
  if (day.count() >= ReservationDay::kEntries) {
    shop.op().message(u"Reservations", u"Total reached");
    return;
  }
  ReservationAdd model(shop, views, day);
  screens.add_reservations(model);
}

void list_reservations(records::Shop& shop, ListScreens& screens) {
  auto day = chosen_day_with_entries(shop);
  if (!day) return;
  std::vector<ListRow> rows;
  for (int i = 0; i < ReservationDay::kEntries; ++i)
    if (day->state(i) == ReservationDay::kInUse) rows.push_back({day->member(i), day->item(i), {}, {}});
  show_list(shop.op(), screens.views(), list_title(shop, *day), rows);
}

void print_reservations(records::Shop& shop, ListScreens& screens) {
  auto day = chosen_day_with_entries(shop);
  if (!day) return;
  int i = 0;
  print_list(
      shop, screens, list_title(shop, *day) + u"  ",
      [&](platform::PageWriter& w) {
        while (i < ReservationDay::kEntries && day->state(i) != ReservationDay::kInUse) ++i;
        if (i >= ReservationDay::kEntries) return false;
        w.line(text::format("%-30s  %s", {day->member(i), day->item(i)}));
        ++i;
        return true;
      },
      [] { return false; });
}

void amend_reservation(records::Shop& shop) {
  auto day = chosen_day_with_entries(shop);
  if (!day) return;
  auto entry = choose_entry(shop, *day, u"Amend reservation");
  if (!entry) return;
  auto member = ask_amended(shop, u"Member details:", day->member(*entry));
  if (!member) return;
  day->set_member(*entry, *member);
  auto item = ask_amended(shop, u"Film:", day->item(*entry));
  if (!item) return;
  day->set_item(*entry, *item);
  if (!write_reservation_day(shop, *day)) return;
  shop.op().message(u"Reservations", u"Updated");
}

void delete_reservation(records::Shop& shop) {
  auto day = chosen_day_with_entries(shop);
  if (!day) return;
  auto entry = choose_entry(shop, *day, u"Delete reservation");
  if (!entry) return;
  for (int i = *entry; i < ReservationDay::kEntries - 1; ++i) day->copy_entry(i + 1, i);
  day->set_state(ReservationDay::kEntries - 1, 0);
  day->set_count(day->count() - 1);
  if (!write_reservation_day(shop, *day)) return;
  shop.op().message(u"Reservations", u"Updated");
}

}  // namespace kelvo::catalogue
