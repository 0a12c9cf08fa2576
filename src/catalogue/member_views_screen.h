#pragma once
// The member screens that the catalogue views need. The Qt catalogue views call these for their
// member half; the film half lives in the film screens.
#include <QWidget>

#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

// "FIND MEMBER": one candidate with OK, Next and Cancel.
MatchChoice offer_member_screen(QWidget* parent, records::Shop& shop, const records::MemberRecord& member);

// "MEMBER": the record with its own "Next" (next_member) until closed.
void show_member_screen(QWidget* parent, records::Shop& shop, const records::MemberRecord& member);

// The paged list window: one page of up to 13 rows; "More" only when more_left.
ListAnswer show_list_page_screen(QWidget* parent, text::u16view title, const std::vector<ListRow>& rows,
                                 bool more_left);

}  // namespace kelvo::catalogue
