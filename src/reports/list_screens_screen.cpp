#include "reports/list_screens_screen.h"

#include "reports/number_range_screen.h"

namespace kelvo::reports {

QtListScreens::QtListScreens(QWidget* parent, records::Shop& shop)
    : parent_(parent), progress_(parent), views_(parent, shop, progress_), history_(parent), printer_(parent) {}

std::optional<catalogue::TypedRange> QtListScreens::number_range() {
  NumberRangeScreen screen(parent_);
  return screen.run();
}

}  // namespace kelvo::reports
