// Members "Amend credit": the owed amount set by hand. Takings do not change: no money moves.
#include "catalogue/member_find.h"
#include "counter/payment.h"
#include "records/commit.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::counter {

bool amend_credit(records::Shop& shop, catalogue::CatalogueViews& views) {
  platform::PromptOptions find;
  find.max_length = static_cast<int>(catalogue::kNameSearchLimit);
  find.first_name_box = true;
  auto typed = shop.op().prompt(u"Number / Last name / fragment", find);
  if (!typed || typed->text.empty()) return false;
  if (catalogue::find_member(shop, views, *typed, false) == 0) return false;

  records::MemberRecord& m = shop.member;
  const float before = m.owed();
  platform::PromptOptions o;
  o.proposal = money_text(before);
  const text::u16 question = text::format("%I64d %s, owed:", {m.number(), m.name()});
  float after = 0;
  for (;;) {
    auto answer = shop.op().prompt(question, o);
    if (!answer) return false;
    // An empty or mistyped entry must not silently clear what the member owes.
    if (auto x = read_amount(answer->text)) {
      after = *x;
      break;
    }
    platform::problem(shop.op(), u"Incorrect value");
    o.proposal = answer->text;
  }
  m.set_owed(after);
  records::Commit commit(shop);
  if (!records::rewrite_member(shop, m)) return false;

  text::u16 entry = records::log_prefix(shop.now()) + u"  Credit amendment";
  entry += text::format("\r\nMember: %I64d %s\r\n", {m.number(), m.name()});
  entry += text::format("Before: %.2f, After: %.2f\r\n", {before, after});
  records::append_log_or_report(shop, entry);
  if (!commit.finish()) {
    m.set_owed(before);
    return false;
  }

  shop.op().activity(text::format("Credit amended, member: %I64d", {m.number()}));
  shop.op().activity(text::format("Before: %.2f, after: %.2f", {before, after}));
  shop.op().activity(u"  ");
  return true;
}

}  // namespace kelvo::counter
