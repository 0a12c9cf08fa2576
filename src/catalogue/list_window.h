#pragma once
// The paged list window: 13 rows of four columns, "More" for the next 13, "Cancel". Every
// displayed list goes through it: a fixed set of rows, or a source that reads the next rows only
// when "More" asks for them (the number index walked from where the last page stopped, or the
// sorted work file read by position).
#include <deque>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "platform/operator.h"

namespace kelvo::catalogue {

// Rows produced on demand. next() gives false at the end of the list, or when reading stopped
// (a file that failed, which the source has reported, or the operator's Cancel).
class ListSource {
 public:
  virtual ~ListSource() = default;
  virtual bool next(ListRow& row) = 0;
  // True when reading ended early (Cancel, a file that failed): nothing half-made is shown, and
  // an empty list says nothing.
  virtual bool stopped() const { return false; }
  // True when the operator ended the list on purpose in a screen of its own: the rows read so far
  // are shown, and an empty list says nothing.
  virtual bool cut_short() const { return false; }
};

// A source over rows already made.
class RowsSource : public ListSource {
 public:
  explicit RowsSource(const std::vector<ListRow>& rows) : rows_(rows) {}
  bool next(ListRow& row) override;

 private:
  const std::vector<ListRow>& rows_;
  size_t at_ = 0;
};

// Shows the rows page by page; an empty list shows "No items on record." (caption "Problem")
// instead of the window, unless the source stopped or was cut short. A page whose reading
// stopped is not shown. Returns the number of pages shown.
int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, const std::vector<ListRow>& rows);
int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, ListSource& source);

}  // namespace kelvo::catalogue
