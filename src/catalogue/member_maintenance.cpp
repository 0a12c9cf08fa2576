#include "catalogue/member_maintenance.h"

#include "catalogue/deletion.h"
#include "catalogue/member_find.h"
#include "records/commit.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace cfg = records::cfg;
using records::MemberRecord;

namespace {

void refuse(records::Shop& shop, const char16_t* message) {
  shop.warn();
  platform::problem(shop.op(), message);
}

bool new_searches_on(const records::ConfigBlock& config) { return config.i64(cfg::kNewSearches) != 0; }

// The fee goes into today's takings and the day's membership takings, and into the log.
void take_fee(records::Shop& shop, const MemberRecord& m, float fee) {
  shop.config.set_takings_today(shop.config.takings_today() + fee);
  shop.config.set_f32(cfg::kMembershipTakingsToday, shop.config.f32(cfg::kMembershipTakingsToday) + fee);
  records::append_log(shop, records::log_prefix(shop.now()) + text::format("  New member %I64d", {m.number()}) +
                                text::format("\r\nFee paid: %.2f\r\n", {fee}));
}

// The record, the day's count of new members and the fee (takings and log entry) in one
// transaction: a crash never leaves a paid fee without its member, or a member without its fee.
bool store_new_member(records::Shop& shop, MemberRecord& m, float fee) {
  if (!records::prepare_new_member(shop, m, fee)) return false;
  // A refused commit writes nothing; the index, prefixes and counts go back with it.
  records::RecordStore<MemberRecord>::Memory memory(shop.members);
  records::Commit commit(shop);
  const bool collected = records::add_member_copy(shop, m);
  if (collected) {
    shop.config.set_i64(cfg::kNewMembersToday, shop.config.i64(cfg::kNewMembersToday) + 1);
    if (fee != 0) take_fee(shop, m, fee);
  }
  if (!commit.finish() || !collected) {
    memory.put_back();
    return false;
  }
  records::announce_new_member(shop, m);
  return true;
}

std::optional<platform::PromptAnswer> ask_for_member(records::Shop& shop, text::u16view title) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kNameSearchLimit);
  o.first_name_box = true;
  auto a = shop.op().prompt(title, o);
  if (!a || a->text.empty()) return std::nullopt;
  return a;
}

int digits(text::u16view s) {
  int v = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return 0;
    v = v * 10 + (c - u'0');
  }
  return v;
}

}  // namespace

int add_members(records::Shop& shop, CatalogueViews& views, MemberFormView& view, MemberAddKind kind) {
  int stored = 0;
  MemberForm form = MemberForm::blank(shop, kind);
  MemberRecord m;
  for (;;) {
    const FormButton button = view.edit(form);
    if (button == FormButton::Cancel) return stored;
    if (form.layout() == FormLayout::New) m.clear();
    form.store_into(m);
    if (auto why = MemberForm::refusal(m)) {
      refuse(shop, why);
      form.refuse();
      continue;
    }
    m.reset_for_new();
    const float fee = form.membership_fee();
    if (fee < 0) {
      platform::problem(shop.op(), u"Invalid membership fee");
      return stored;
    }
    if (shop.members.index().contains(m.number())) {
      platform::problem(shop.op(), u"Number in use.");
      return stored;
    }
    if (new_searches_on(shop.config)) new_member_searches(shop, views, m);
    if (shop.op().message(u"New member", u"Store record?", platform::Buttons::OkCancel) != platform::Answer::Ok)
      return stored;
    if (shop.members.index().contains(m.number())) {
      platform::problem(shop.op(), u"Number in use.");
      return stored;
    }
    if (!data_file_present(shop, shop.members.file(), kMemberFile)) return stored;
    if (!store_new_member(shop, m, fee)) return stored;
    shop.member = m;
    ++stored;
    if (button != FormButton::Next || !form.offers_next()) return stored;
    form = MemberForm::blank(shop, kind);
  }
}

text::u16 amendment_entry(const text::DateTime& now, const MemberRecord& b, const MemberRecord& a) {
  text::u16 e = records::log_prefix(now) + text::format("  Member %I64d amended:", {b.number()});
  e += text::format("\r\nBefore: %s %s %s", {b.title(), b.initial(), b.name()});
  e += text::format("\r\n%s, %s", {b.road(), b.area()});
  e += text::format("\r\n%s, %s", {b.town(), b.post_code()});
  e += text::format("\r\nTel: %s, Category: %d", {b.telephone1(), b.category()});
  e += text::format("\r\nComment: %s", {b.comment1()});
  e += text::format("\r\nCredit card: %s, Films rented: %d", {b.credit_card(), b.rented()});
  e += text::format("\r\nRental credits: %d\r\n", {b.rental_credits()});
  e += text::format("\r\n\r\nAfter: %s %s %s", {a.title(), a.initial(), a.name()});
  e += text::format("\r\n%s, %s", {a.road(), a.area()});
  e += text::format("\r\n%s, %s", {a.town(), a.post_code()});
  e += text::format("\r\nTel: %s, Category: %d", {a.telephone1(), a.category()});
  e += text::format("\r\nComment: %s", {a.comment1()});
  e += text::format("\r\nCredit card: %s, Films rented: %d\r\n", {a.credit_card(), a.rented()});
  e += text::format("\r\nRental credits: %d\r\n", {a.rental_credits()});
  return e;
}

bool amend_current_member(records::Shop& shop, MemberFormView& view) {
  const MemberRecord before = shop.member;
  if (before.number() <= 0) return false;
  MemberForm form = MemberForm::amend(before, shop.now().year, rental_credits_box_shown(shop.config));
  if (view.edit(form) == FormButton::Cancel) return false;
  MemberRecord after = before;
  form.store_into(after);
  if (after.number() != before.number()) {
    platform::problem(shop.op(), u"Number cannot be changed");
    return false;
  }
  // An amendment refused here is lost with the screen, so it always sounds.
  if (after.name().size() < 2) {
    shop.op().warn();
    platform::problem(shop.op(), u"The name must have at least two characters.");
    return false;
  }
  if (after.category() < 1 || after.category() > 4000) {
    shop.op().warn();
    platform::problem(shop.op(), u"Invalid category (1-4000)");
    return false;
  }
  // The record and its log entry in one transaction: after a crash, both or neither.
  {
    records::Commit commit(shop);
    if (!records::rewrite_member(shop, after)) return false;
    records::append_log(shop, amendment_entry(shop.now(), before, after));
    if (!commit.finish()) return false;
  }
  shop.members.set_prefix(*shop.members.index().find(after.number()), after.name());
  shop.member = after;
  shop.op().activity(text::format("Member %I64d %s %s amended", {after.number(), after.title(), after.name()}));
  shop.op().activity(u"  ");
  return true;
}

bool amend_member(records::Shop& shop, CatalogueViews& views, MemberFormView& view) {
  auto a = ask_for_member(shop, u"Amend member");
  if (!a) return false;
  if (find_member(shop, views, *a, false) == 0) return false;
  return amend_current_member(shop, view);
}

bool delete_member_command(records::Shop& shop, CatalogueViews& views) {
  auto a = ask_for_member(shop, u"Delete member");
  if (!a) return false;
  const int64_t number = find_member(shop, views, *a, false);
  if (number == 0) return false;
  const MemberRecord m = shop.member;
  const auto slot = shop.members.index().find(number);
  if (!slot) return false;
  if (m.on_loan_flag() != 0) {
    shop.op().message(u"Member is active", u"Unable to delete");
    return false;
  }
  const auto caption = text::format("%I64d Name: %s", {m.number(), m.name()});
  if (shop.op().message(caption, u"Are you sure?", platform::Buttons::OkCancel) != platform::Answer::Ok) return false;
  const auto name = m.name();
  const auto now = shop.now();
  const auto entry = text::format("\r\n%02d:%02d %d/%d/%d Member %I64d, %s deleted.\r\n",
                                  {now.hour, now.minute, now.day, now.month, now.year, number, name});
  if (!records::delete_member_with_log(shop, m, *slot, entry)) return false;
  shop.op().activity(text::format("Member deleted: %I64d %s", {number, name}));
  shop.op().activity(u"  ");
  shop.op().activity(records::count_line("Member", shop.members.counts()));
  shop.op().activity(u"  ");
  return true;
}

MonthYear prune_cutoff(const text::DateTime& now) {
  MonthYear c{now.month - 6, now.year};
  if (c.month < 1) {
    c.month += 12;
    c.year -= 1;
  }
  return c;
}

std::optional<MonthYear> readable_month_year(text::u16view stamp) {
  if (stamp.size() < 15) return std::nullopt;
  const MonthYear my{digits(stamp.substr(8, 2)), digits(stamp.substr(11, 4))};
  if (my.month == 0 || my.year == 0) return std::nullopt;
  return my;
}

bool used_since(text::u16view last_used, MonthYear cutoff) {
  auto my = readable_month_year(last_used);
  if (!my) return false;
  return my->year > cutoff.year || (my->year == cutoff.year && my->month > cutoff.month);
}

int prune_members(records::Shop& shop) {
  platform::PromptOptions o;
  o.proposal = u"1";
  auto a = shop.op().prompt(u"Enter the start number:", o);
  if (!a) return 0;
  const int64_t start = text::parse_int64(a->text);
  if (start <= 0) return 0;
  const MonthYear cutoff = prune_cutoff(shop.now());
  const bool omit_owing =
      shop.op().message(u"Prune members", u"Omit those that owe money?", platform::Buttons::YesNo) ==
      platform::Answer::Yes;
  if (!records::file_size(shop.members.file())) {
    shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
    return 0;
  }
  // Deleting moves entries within the index, so the walk goes over the entries as they stood.
  const auto entries = shop.members.index().entries();
  int deleted = 0;
  MemberRecord m;
  for (const auto& e : entries) {
    if (e.number < start) continue;
    if (shop.members.read_slot(e.slot, m) != records::ReadResult::Ok) {
      platform::problem(shop.op(), u"Not able to read member.dat");
      break;
    }
    if (m.on_loan_flag() != 0) continue;
    const auto last_used = m.last_used();
    // Only a member whose last visit can be read is judged by date and debt; "NEW" and other
    // unreadable stamps are always offered.
    if (readable_month_year(last_used)) {
      if (used_since(last_used, cutoff)) continue;
      if (omit_owing && m.owed() != 0) continue;
    }
    const auto date_part = last_used.size() >= 12 ? last_used.substr(5) : last_used;
    const auto body = text::format("Last used: %s Owed: %.2f", {date_part, m.owed()});
    const auto caption = text::format("%I64d Name: %s %s %s", {m.number(), m.title(), m.initial(), m.name()});
    const auto answer = shop.op().message(caption, body, platform::Buttons::YesNoCancel);
    if (answer == platform::Answer::Cancel) break;
    if (answer != platform::Answer::Yes) continue;
    if (!mark_member_deleted(shop, m, e.slot)) break;
    ++deleted;
  }
  return deleted;
}

}  // namespace kelvo::catalogue
