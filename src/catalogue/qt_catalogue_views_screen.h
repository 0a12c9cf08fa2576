#pragma once
// The catalogue views drawn with Qt dialogs: the film screens here, the member screens and the
// list window from member_views_screen.h.
#include <QWidget>

#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

class QtCatalogueViews : public CatalogueViews {
 public:
  QtCatalogueViews(QWidget* parent, records::Shop& shop) : parent_(parent), shop_(shop) {}

  MatchChoice offer_film(const records::FilmRecord& film) override;
  MatchChoice offer_member(const records::MemberRecord& member) override;
  void show_film(const records::FilmRecord& film) override;
  void show_member(const records::MemberRecord& member) override;
  ListAnswer show_list_page(text::u16view title, const std::vector<ListRow>& rows, bool more_left) override;
  void show_multicopy(const MulticopyResult& result) override;

 private:
  QWidget* parent_;
  records::Shop& shop_;
};

}  // namespace kelvo::catalogue
