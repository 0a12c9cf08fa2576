#include "catalogue/list_window.h"

#include <algorithm>

namespace kelvo::catalogue {

int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, const std::vector<ListRow>& rows) {
  if (rows.empty()) {
    platform::problem(op, u"No items on record.");
    return 0;
  }
  int pages = 0;
  for (size_t from = 0; from < rows.size(); from += kListRows) {
    const size_t to = std::min(rows.size(), from + kListRows);
    std::vector<ListRow> page(rows.begin() + from, rows.begin() + to);
    ++pages;
    if (views.show_list_page(title, page, to < rows.size()) != ListAnswer::More) break;
    // "More" with nothing left keeps the last page; the window has nothing further to show.
    if (to >= rows.size()) break;
  }
  return pages;
}

}  // namespace kelvo::catalogue
