#pragma once
// The paged list window: 13 rows of four columns, "More" for the next 13, "Cancel".
#include <vector>

#include "catalogue/catalogue_views.h"
#include "platform/operator.h"

namespace kelvo::catalogue {

// Shows the rows page by page; an empty list shows "No items on record." (caption "Problem")
// instead of the window. Returns the number of pages shown.
int show_list(platform::Operator& op, CatalogueViews& views, text::u16view title, const std::vector<ListRow>& rows);

}  // namespace kelvo::catalogue
