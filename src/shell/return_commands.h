#pragma once
// The return commands of the main window: the big "return" button (item number first) and
// Members "Return items" (^I, member first).
#include <cstdint>

namespace kelvo::shell {

class MainWindow;

void return_items(MainWindow& w);
void return_items_by_member(MainWindow& w);

// The return with the real screens, for "Return then rent": the member whose items came back,
// 0 when nothing was returned. `item` as in counter::return_items.
int64_t run_return(MainWindow& w, int64_t item = 0);

}  // namespace kelvo::shell
