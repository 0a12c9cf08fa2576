#include "catalogue/member_history.h"

#include "catalogue/film_display.h"
#include "catalogue/member_find.h"
#include "records/record_files.h"
#include "reports/list_rows.h"
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

bool find_identical(records::Shop& shop, const MemberRecord& m, Investigation& out) {
  const auto name = m.name(), road = m.road(), telephone = m.telephone1(), joined = m.join_date();
  platform::NoProgress quiet;
  // Every slot once, in file order: one sequential pass over member.dat.
  return reports::for_each_in_file_order(
      shop, shop.members, records::files::kMember, quiet, [](int64_t) { return true; },
      [&](int64_t, const MemberRecord& other) {
        if (other.number() <= 0 || other.number() == m.number()) return;
        const auto other_name = other.name(), other_road = other.road();
        if (other_name == name) out.same_name.push_back(text::format("%I64d, %s: %s", {other.number(), other_name, other_road}));
        if (other_road == road) out.same_road.push_back(text::format("%I64d, %s: %s", {other.number(), other_name, other_road}));
        // Only one way round: the investigated number is the beginning of the other one.
        const auto other_telephone = other.telephone1();
        if (!telephone.empty() && other_telephone.starts_with(telephone))
          out.same_telephone.push_back(text::format("%I64d, %s: %s", {other.number(), other_name, other_telephone}));
        const auto other_joined = other.join_date();
        if (other_joined == joined)
          out.same_join_date.push_back(text::format("%I64d, %s: %s", {other.number(), other_name, other_joined}));
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
