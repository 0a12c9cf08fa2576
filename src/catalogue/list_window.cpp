#include "catalogue/list_window.h"

namespace kelvo::catalogue {

bool RowsSource::next(ListRow& row) {
  if (at_ >= rows_.size()) return false;
  row = rows_[at_++];
  return true;
}

int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, const std::vector<ListRow>& rows) {
  RowsSource source(rows);
  return show_list(op, views, title, source);
}

int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, ListSource& source) {
  // One row is read ahead, so that "More" is offered only when something follows.
  ListRow ahead;
  bool have_ahead = source.next(ahead);
  if (!have_ahead) {
    if (!source.stopped() && !source.cut_short()) platform::problem(op, u"No items on record.");
    return 0;
  }
  int pages = 0;
  while (have_ahead) {
    std::vector<ListRow> page;
    while (have_ahead && static_cast<int>(page.size()) < kListRows) {
      page.push_back(ahead);
      have_ahead = source.next(ahead);
    }
    if (source.stopped()) break;
    ++pages;
    if (views.show_list_page(title, page, have_ahead) != ListAnswer::More) break;
  }
  return pages;
}

}  // namespace kelvo::catalogue
