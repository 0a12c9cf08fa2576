// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "catalogue/member_views_screen.h"

#include "catalogue/list_window_screen.h"
#include "catalogue/member_display_screen.h"
#include "catalogue/member_match_screen.h"
#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

MatchChoice offer_member_screen(QWidget* parent, records::Shop& shop, const records::MemberRecord& member) {
  MemberMatchScreen screen(shop.config, member, parent);
  return screen.run();
}

void show_member_screen(QWidget* parent, records::Shop& shop, const records::MemberRecord& member) {
  MemberDisplayScreen screen(shop, member, parent);
  screen.exec();
}

ListAnswer show_list_page_screen(QWidget* parent, text::u16view title, const std::vector<ListRow>& rows,
                                 bool more_left) {
  ListWindowScreen screen(platform::qt::qs(title), rows, more_left, parent);
  return screen.run();
}

}  // namespace kelvo::catalogue
