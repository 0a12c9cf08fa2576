#include "catalogue/member_history.h"

#include "catalogue/film_display.h"
#include "catalogue/member_find.h"
#include "records/record_files.h"
#include "records/record_walk.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {

using records::FilmRecord;
using records::MemberRecord;

text::u16 heading_of(const MemberRecord& m) {
  return text::format("%I64d, %s %s %s", {m.number(), m.title(), m.initial(), m.name()});
}

// last_used and last_returned: the long date, else time, two blanks and date; "NEW" or an empty
// text as it is.
text::u16 shown_stamp(const platform::Locale& locale, text::u16view stamp) {
  if (stamp.empty() || stamp == u"NEW") return text::u16(stamp);
  if (auto d = long_date(locale, stamp)) return *d;
  if (stamp.size() < 12) return text::u16(stamp);
  return text::u16(stamp.substr(0, 5)) + u"  " + text::u16(stamp.substr(5));
}

text::u16 date_part_if_any(text::u16view stamp) { return stamp.size() > 4 ? text::u16(stamp.substr(5)) : text::u16(); }

platform::PromptAnswer ask_member(records::Shop& shop, text::u16view question) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kNameSearchLimit);
  o.first_name_box = true;
  auto a = shop.op().prompt(question, o);
  return a ? *a : platform::PromptAnswer{};
}

}  // namespace

RentalHistory rental_history(records::Shop& shop, const MemberRecord& m) {
  RentalHistory h;
  for (int i = 99; i >= 96; --i) {
    const int64_t item = m.previous_items(i);
    if (item == 0) break;
    RecentRental r;
    FilmRecord f;
    if (shop.films.index().contains(item) && records::read_film(shop, item, f)) {
      r.item = text::format("%I64d %s", {item, f.title()});
      r.rented = date_part_if_any(m.previous_rented(i));
      r.returned = date_part_if_any(m.previous_returned(i));
    }
    h.recent.push_back(r);
  }
  for (int i = 99; i >= 1; --i)
    if (m.previous_items(i) != 0) h.previous.push_back(text::format("%I64d", {m.previous_items(i)}));
  for (int i = 99; i >= 1; --i)
    if (m.older_items(i) != 0) h.previous.push_back(text::format("%I64d", {m.older_items(i)}));
  return h;
}

namespace {

// A text field of a record compared where it lies, without making a string of it: twenty
// thousand members are read for every Investigate.
char16_t unit_at(const uint8_t* field, size_t i) {
  return static_cast<char16_t>(field[2 * i] | (field[2 * i + 1] << 8));
}
bool field_starts_with(const MemberRecord& r, size_t offset, size_t width, text::u16view s) {
  const uint8_t* field = r.data() + offset;
  if (s.size() >= width / 2) return false;
  for (size_t i = 0; i < s.size(); ++i)
    if (unit_at(field, i) != s[i]) return false;
  return true;
}
bool field_equals(const MemberRecord& r, size_t offset, size_t width, text::u16view s) {
  return field_starts_with(r, offset, width, s) && unit_at(r.data() + offset, s.size()) == 0;
}

}  // namespace

bool find_identical(records::Shop& shop, const MemberRecord& m, Investigation& out) {
  const auto name = m.name(), road = m.road(), telephone = m.telephone1(), joined = m.join_date();
  platform::NoProgress quiet;
  auto line = [](const MemberRecord& other, const text::u16& third) {
    return text::format("%I64d, %s: %s", {other.number(), other.name(), third});
  };
  // Every slot once, in file order: one sequential pass over member.dat.
  return records::for_each_in_file_order(
      shop, shop.members, records::files::kMember, quiet, [](int64_t) { return true; },
      [&](int64_t, const MemberRecord& other) {
        if (other.number() <= 0 || other.number() == m.number()) return;
        if (field_equals(other, MemberRecord::k_name, MemberRecord::w_name, name))
          out.same_name.push_back(line(other, other.road()));
        if (field_equals(other, MemberRecord::k_road, MemberRecord::w_road, road))
          out.same_road.push_back(line(other, other.road()));
        // Only one way round: the investigated number is the beginning of the other one.
        if (!telephone.empty() &&
            field_starts_with(other, MemberRecord::k_telephone1, MemberRecord::w_telephone1, telephone))
          out.same_telephone.push_back(line(other, other.telephone1()));
        if (field_equals(other, MemberRecord::k_join_date, MemberRecord::w_join_date, joined))
          out.same_join_date.push_back(line(other, other.join_date()));
      });
}

bool transaction_data_of(records::Shop& shop, const MemberRecord& m, TransactionData& out) {
  out.title = text::format("Transaction: %s", {m.transaction()});
  out.heading = heading_of(m);
  out.address = m.road() + u"  " + m.telephone1();
  out.last_rented = shown_stamp(shop.locale(), m.last_used());
  out.transaction_amount = text::format("%.2f", {m.transaction_amount()});
  out.owed = text::format("%.2f", {m.owed()});
  for (int i = 0; i < MemberRecord::kLoanSlots; ++i) {
    const int64_t item = m.on_loan(i);
    if (item == 0) continue;
    FilmRecord f;
    auto slot = shop.films.index().find(item);
    if (!slot) continue;
    if (shop.films.read_slot(*slot, f) != records::ReadResult::Ok) {
      shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
      return false;
    }
    const auto due = f.return_date();
    const text::u16 due_shown = long_date(shop.locale(), due).value_or(date_part_if_any(due));
    out.on_loan.push_back(text::format("%I64d, %s    ", {item, f.title()}) +
                          long_date(shop.locale(), f.last_hire()).value_or(date_part_if_any(f.last_hire())) + u"    " +
                          due_shown);
  }
  out.history = rental_history(shop, m);
  return true;
}

void investigate(records::Shop& shop, CatalogueViews& views, HistoryViews& history) {
  const auto typed = ask_member(shop, u"Number / Last name / fragment");
  if (typed.text.empty() || find_member(shop, views, typed, false) == 0) return;
  const MemberRecord m = shop.member;
  Investigation data;
  data.heading = heading_of(m);
  data.road = m.road();
  data.last_rented = shown_stamp(shop.locale(), m.last_used());
  data.last_returned = shown_stamp(shop.locale(), m.last_returned());
  data.owed = text::format("%.2f", {m.owed()});
  data.history = rental_history(shop, m);
  if (!find_identical(shop, m, data)) return;
  history.show_investigation(data);
}

void transaction_data(records::Shop& shop, CatalogueViews& views, HistoryViews& history) {
  const auto typed = ask_member(shop, u"Number / Last name / fragment");
  if (typed.text.empty() || find_member(shop, views, typed, false) == 0) return;
  if (shop.member.on_loan_flag() == 0) {
    platform::problem(shop.op(), u"No items on loan");
    return;
  }
  TransactionData data;
  if (!transaction_data_of(shop, shop.member, data)) return;
  history.show_transaction(data);
}

}  // namespace kelvo::catalogue
