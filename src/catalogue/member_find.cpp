#include "catalogue/member_find.h"

#include <algorithm>
#include <functional>

#include "catalogue/list_window.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::catalogue {

using records::MemberRecord;
using records::ReadResult;

namespace {

using MemberTest = std::function<bool(const MemberRecord&)>;
using PrefixTest = std::function<bool(const records::Prefix&)>;

bool list_option(const records::Shop& shop) { return shop.config.i32(records::cfg::kMemberSearchList) == 2; }

// One match at a time in "FIND MEMBER", in file order. The prefix test spares reading records
// that cannot match.
int64_t offer_one_by_one(records::Shop& shop, CatalogueViews& views, const PrefixTest& prefix_ok,
                         const MemberTest& matches) {
  const auto& prefixes = shop.members.prefixes();
  const int64_t slots = std::min<int64_t>(shop.members.counts().total, static_cast<int64_t>(prefixes.size()));
  MemberRecord m;
  auto cursor = shop.members.cursor();
  for (int64_t slot = 0; slot < slots; ++slot) {
    const auto& p = prefixes[slot];
    if ((p[0] == 0 && p[1] == 0) || !prefix_ok(p)) continue;
    if (shop.members.read_slot(cursor, slot, m) != ReadResult::Ok) {
      platform::problem(shop.op(), u"member.dat");
      return 0;
    }
    if (m.number() <= 0 || !matches(m)) continue;
    shop.member = m;
    switch (views.offer_member(m)) {
      case MatchChoice::Select: return m.number();
      case MatchChoice::Cancel: return 0;
      case MatchChoice::Next: break;
    }
  }
  shop.op().message(u"Finished", u"No match found");
  return 0;
}

// Every live match in number order in the "Please select:" list.
int64_t choose_from_list(records::Shop& shop, const MemberTest& matches) {
  std::vector<text::u16> rows;
  MemberRecord m;
  auto cursor = shop.members.cursor();
  for (const auto& e : shop.members.index().entries()) {
    if (e.number <= 0) continue;
    if (shop.members.read_slot(cursor, e.slot, m) != ReadResult::Ok) {
      platform::problem(shop.op(), u"member.dat");
      return 0;
    }
    if (matches(m))
      rows.push_back(text::format("%I64d %s %s %s,  %s", {m.number(), m.title(), m.initial(), m.name(), m.road()}));
  }
  auto chosen = shop.op().choose(u"Please select:", rows, 0);
  if (!chosen || *chosen < 0 || static_cast<size_t>(*chosen) >= rows.size()) return 0;
  return find_member_by_number(shop, text::parse_int64(rows[*chosen]));
}

int64_t search(records::Shop& shop, CatalogueViews& views, const PrefixTest& prefix_ok, const MemberTest& matches) {
  if (list_option(shop)) return choose_from_list(shop, matches);
  return offer_one_by_one(shop, views, prefix_ok, matches);
}

std::vector<ListRow> member_rows(records::Shop& shop, const MemberTest& matches) {
  std::vector<ListRow> rows;
  MemberRecord m;
  auto cursor = shop.members.cursor();
  for (const auto& e : shop.members.index().entries()) {
    if (e.number <= 0) continue;
    if (shop.members.read_slot(cursor, e.slot, m) != ReadResult::Ok) {
      shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
      break;
    }
    if (matches(m)) rows.push_back(member_row(m));
  }
  return rows;
}

}  // namespace

ListRow member_row(const MemberRecord& m) {
  return {text::format("%I64d", {m.number()}), m.name(), text::format("%s %s", {m.title(), m.initial()}), m.road()};
}

int64_t find_member_by_number(records::Shop& shop, int64_t number) {
  auto slot = number > 0 ? shop.members.index().find(number) : std::nullopt;
  if (!slot) return 0;
  MemberRecord m;
  switch (shop.members.read_slot(*slot, m)) {
    case ReadResult::Ok:
      shop.member = m;
      return number;
    case ReadResult::NotOpened:
      shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
      return 0;
    default:
      platform::problem(shop.op(), u"Not able to read member.dat");
      return 0;
  }
}

int64_t name_search(records::Shop& shop, CatalogueViews& views, const SearchText& last_name, text::u16view first_name) {
  const text::u16 first(first_name.substr(0, kFirstNameSearchLimit));
  const bool cs = last_name.case_sensitive;
  auto prefix_ok = [&](const records::Prefix& p) { return prefix_matches(p[0], p[1], last_name.text, cs); };
  auto matches = [&](const MemberRecord& m) {
    return starts_with(m.name(), last_name.text, cs) && starts_with(m.initial(), first, cs);
  };
  return search(shop, views, prefix_ok, matches);
}

int64_t address_search(records::Shop& shop, CatalogueViews& views, text::u16view road, bool case_sensitive) {
  const text::u16 pattern(road.substr(0, kNameSearchLimit));
  auto any_prefix = [](const records::Prefix&) { return true; };
  // House numbers come first on most roads, so the text may stand anywhere in the line.
  auto matches = [&](const MemberRecord& m) { return occurs_in(m.road(), pattern, case_sensitive); };
  return search(shop, views, any_prefix, matches);
}

int64_t find_member(records::Shop& shop, CatalogueViews& views, const platform::PromptAnswer& typed, bool show,
                    NumberRule rule) {
  platform::PromptAnswer a = typed;
  if (a.text.empty()) {
    platform::PromptOptions o;
    o.max_length = static_cast<int>(kNameSearchLimit);
    o.first_name_box = true;
    auto asked = shop.op().prompt(u"Find member", o);
    if (!asked || asked->text.empty()) return 0;
    a = *asked;
  }
  if (auto n = typed_number(a.text, rule)) {
    const int64_t found = find_member_by_number(shop, *n);
    if (found && show) views.show_member(shop.member);
    return found;
  }
  return name_search(shop, views, make_search(a.text, a.case_sensitive, kNameSearchLimit), a.first_name);
}

bool find_by_telephone(records::Shop& shop, text::u16view telephone) {
  if (telephone.empty()) return false;
  MemberRecord m;
  auto cursor = shop.members.cursor();
  for (int64_t slot = 0; slot < shop.members.counts().total; ++slot) {
    auto r = shop.members.read_slot(cursor, slot, m);
    if (r == ReadResult::NotOpened) {
      shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
      return false;
    }
    if (r != ReadResult::Ok) {
      platform::problem(shop.op(), u"Member.dat");
      return false;
    }
    if (m.number() <= 0) continue;
    const auto t1 = m.telephone1(), t2 = m.telephone2();
    const bool in1 = contains(t1, telephone);
    if (!in1 && !contains(t2, telephone)) continue;
    auto ask = text::format("%I64d, %s: %s", {m.number(), m.name(), in1 ? t1 : t2});
    auto answer = shop.op().message(u"Search: No to continue", ask, platform::Buttons::YesNoCancel);
    if (answer == platform::Answer::No) continue;
    if (answer != platform::Answer::Yes) return false;
    shop.member = m;
    return true;
  }
  shop.op().message(u"Finished", u"No match found");
  return false;
}

int64_t find_member_command(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kNameSearchLimit);
  o.first_name_box = true;
  auto a = shop.op().prompt(u"Find member", o);
  if (!a || a->text.empty()) return 0;
  return find_member(shop, views, *a, true, NumberRule::FindCommand);
}

int64_t find_by_telephone_command(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  auto a = shop.op().prompt(u"Enter telephone number", o);
  if (!a || a->text.empty()) return 0;
  if (a->text.size() > kTelephoneLimit) {
    platform::problem(shop.op(), u"Limit 19 characters");
    return 0;
  }
  if (!find_by_telephone(shop, a->text)) return 0;
  views.show_member(shop.member);
  return shop.member.number();
}

int64_t find_by_address_command(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  o.case_box = true;
  auto a = shop.op().prompt(u"Enter first line of address", o);
  if (!a || a->text.empty()) return 0;
  // The road field holds 29 characters; anything longer could never match.
  if (a->text.size() >= 30) {
    platform::problem(shop.op(), u"Limit 28 characters");
    return 0;
  }
  return address_search(shop, views, a->text, a->case_sensitive);
}

void new_member_searches(records::Shop& shop, CatalogueViews& views, const MemberRecord& candidate) {
  const auto name = candidate.name(), road = candidate.road();
  show_list(shop.op(), views, u"New member search: name",
            member_rows(shop, [&](const MemberRecord& m) { return starts_with(m.name(), name, false); }));
  if (road.empty()) return;
  show_list(shop.op(), views, u"New member search: address",
            member_rows(shop, [&](const MemberRecord& m) { return occurs_in(m.road(), road, false); }));
}

int64_t next_member(records::Shop& shop, int64_t after) {
  for (const auto& e : shop.members.index().entries())
    if (e.number > after && e.number > 0) return find_member_by_number(shop, e.number);
  return 0;
}

}  // namespace kelvo::catalogue
