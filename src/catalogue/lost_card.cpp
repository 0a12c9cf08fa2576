#include "catalogue/member_find.h"
#include "catalogue/member_history.h"
#include "catalogue/numbering.h"
#include "records/commit.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {

using records::MemberRecord;

// Step 1: the number, or the name prompt when the text is not a number above 0.
bool find_lost_card_member(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  o.proposal = u"1";
  auto a = shop.op().prompt(u"Enter the member number (Enter to find):", o);
  if (!a) return false;
  platform::PromptAnswer typed;
  if (text::parse_int64(a->text) > 0) typed.text = a->text;
  return find_member(shop, views, typed, false) != 0;
}

// Step 3: the card is stopped, and stays stopped whatever follows.
bool stop_card(records::Shop& shop, MemberRecord& m) {
  m.set_category(MemberRecord::kCardLost);
  return records::rewrite_member(shop, m);
}

text::u16 copied_message(const MemberRecord& copy) {
  text::u16 body = text::format("New number: %I64d\r\nName: %s %s %s",
                                {copy.number(), copy.title(), copy.initial(), copy.name()});
  if (copy.owed() != 0 || copy.rental_credits() != 0)
    body += text::format("\r\nBalance %.2f and %d rental credits moved to the new number.",
                         {copy.owed(), copy.rental_credits()});
  return body;
}

// Steps 5 to 8. The balance and the rental credits go with the copy and leave the stopped card,
// in one commit, so that neither a credit nor a debt ever exists twice or nowhere.
bool copy_to_new_number(records::Shop& shop, MemberRecord& stopped) {
  MemberRecord copy = stopped;
  copy.set_number(propose_member_number(shop.members.index(), shop.config));
  copy.set_category(1);
  shop.op().message(u"Card stopped. Record may still be listed.", copied_message(copy));
  stopped.set_owed(0);
  stopped.set_rental_credits(0);
  // A refused commit writes nothing; the index, prefixes and counts go back with it.
  records::RecordStore<MemberRecord>::Memory memory(shop.members);
  records::Commit commit(shop);
  const bool collected =
      records::rewrite_member(shop, stopped) && records::add_member_copy(shop, copy) &&
      records::append_log_or_report(
          shop, records::log_prefix(shop.now()) +
                    text::format("  Lost card %I64d copied to %I64d, balance moved: %.2f, rental credits moved: %d\r\n",
                                 {stopped.number(), copy.number(), copy.owed(), copy.rental_credits()}));
  if (!commit.finish() || !collected) {
    memory.put_back();
    return false;
  }
  records::announce_new_member(shop, copy);
  return true;
}

}  // namespace

void lost_card(records::Shop& shop, CatalogueViews& views) {
  if (!find_lost_card_member(shop, views)) return;
  MemberRecord m = shop.member;
  const auto answer = shop.op().message(u"Card stopped. The record may still be listed.",
                                        u"Press Yes to copy to a new number.", platform::Buttons::YesNoCancel);
  if (answer == platform::Answer::Cancel) return;
  if (!stop_card(shop, m)) return;
  shop.member = m;
  if (answer != platform::Answer::Yes) return;
  if (m.on_loan_flag() != 0) {
    shop.op().message(u"Member is active", u"File cannot be copied");
    return;
  }
  if (copy_to_new_number(shop, m)) shop.member = m;
}

}  // namespace kelvo::catalogue
