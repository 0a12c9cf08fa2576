// The return reached from the member rather than from an item in the hand.
#include "catalogue/member_find.h"
#include "counter/return_transaction.h"

namespace kelvo::counter {

int64_t return_for_member(records::Shop& shop, catalogue::CatalogueViews& views, const ReturnContext& ctx) {
  platform::PromptOptions find;
  find.max_length = static_cast<int>(catalogue::kNameSearchLimit);
  find.first_name_box = true;
  auto typed = shop.op().prompt(u"Number / Last name / fragment", find);
  if (!typed || typed->text.empty()) return 0;
  if (catalogue::find_member(shop, views, *typed, false) == 0) return 0;
  const records::MemberRecord& m = shop.member;
  for (int s = 0; s < records::MemberRecord::kLoanSlots; ++s)
    if (m.on_loan(s) != 0) return return_items(shop, ctx, m.on_loan(s));
  platform::problem(shop.op(), u"No items on loan");
  return 0;
}

}  // namespace kelvo::counter
