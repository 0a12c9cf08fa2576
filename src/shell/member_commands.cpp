// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/member_commands.h"

#include "catalogue/member_find.h"
#include "catalogue/member_form_screen.h"
#include "catalogue/member_maintenance.h"
#include "catalogue/member_photo_screen.h"
#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_operator.h"
#include "shell/main_window.h"

namespace kelvo::shell::members {

namespace {

// Names the prompt window after the command, when the prompt is a Qt one.
void title_next_prompt(MainWindow& w, const char* title) {
  if (&w.shop().op() == static_cast<platform::Operator*>(&w.op())) w.op().set_next_prompt_title(QObject::tr(title));
}

void add_kind(MainWindow& w, catalogue::MemberAddKind kind) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::QtMemberFormView form(&w, w.shop().config);
  catalogue::add_members(w.shop(), views, form, kind);
}

}  // namespace

void add(MainWindow& w) { add_kind(w, catalogue::MemberAddKind::Plain); }
void add_30_day(MainWindow& w) { add_kind(w, catalogue::MemberAddKind::Expiry30); }
void add_90_day(MainWindow& w) { add_kind(w, catalogue::MemberAddKind::Expiry90); }

void amend(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::QtMemberFormView form(&w, w.shop().config);
  title_next_prompt(w, "Amend member");
  catalogue::amend_member(w.shop(), views, form);
}

void amend_last(MainWindow& w) {
  if (w.shop().member.number() <= 0) return;
  catalogue::QtMemberFormView form(&w, w.shop().config);
  catalogue::amend_current_member(w.shop(), form);
}

void remove(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  title_next_prompt(w, "Delete member");
  catalogue::delete_member_command(w.shop(), views);
}

void prune(MainWindow& w) { catalogue::prune_members(w.shop()); }

void find(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  title_next_prompt(w, "Find member");
  catalogue::find_member_command(w.shop(), views);
}

void find_by_address(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::find_by_address_command(w.shop(), views);
}

void find_by_telephone(MainWindow& w) {
  catalogue::QtCatalogueViews views(&w, w.shop());
  catalogue::find_by_telephone_command(w.shop(), views);
}

void photo(MainWindow& w) { catalogue::add_photo_from_clipboard(w.shop(), &w); }

}  // namespace kelvo::shell::members
