#pragma once
// The member commands: add (with optional 30- or 90-day expiry and a membership fee), amend
// with its before/after log entry, delete and prune.
#include <optional>

#include "catalogue/catalogue_views.h"
#include "catalogue/member_form.h"
#include "records/shop.h"

namespace kelvo::catalogue {

class MemberFormView {
 public:
  virtual ~MemberFormView() = default;
  virtual FormButton edit(MemberForm& form) = 0;
};

// Returns the number of members stored.
int add_members(records::Shop& shop, CatalogueViews& views, MemberFormView& view, MemberAddKind kind);
// "Amend": prompt and find, then amend_current_member.
bool amend_member(records::Shop& shop, CatalogueViews& views, MemberFormView& view);
// F9: the current member record, without the prompt.
bool amend_current_member(records::Shop& shop, MemberFormView& view);
bool delete_member_command(records::Shop& shop, CatalogueViews& views);
// Returns the number of members deleted.
int prune_members(records::Shop& shop);

// The text of the amendment entry of the transaction log.
text::u16 amendment_entry(const text::DateTime& now, const records::MemberRecord& before,
                          const records::MemberRecord& after);

// The month and year before which members are offered: six months back from now.
struct MonthYear {
  int month = 0, year = 0;
};
MonthYear prune_cutoff(const text::DateTime& now);
// Month and year of a time-date stamp (characters 8-9 and 11-14), when both read as non-zero.
std::optional<MonthYear> readable_month_year(text::u16view stamp);
// Whether a last_used stamp lies after the cut-off; unreadable stamps ("NEW") never do.
bool used_since(text::u16view last_used, MonthYear cutoff);

}  // namespace kelvo::catalogue
