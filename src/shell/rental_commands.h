#pragma once
// The rental commands of the main window: the big "rent" button, the four special offer keys
// 7, 8, 9 and 0, Films "Day return rental" (F7), Members "Return then rent" (F8) and "Rent by
// telephone" (^H).
#include <cstdint>

#include "counter/pricing.h"

namespace kelvo::shell {

class MainWindow;

// The rental with the real screens; `member` pre-selects the member (0 asks).
void run_rental(MainWindow& w, counter::RentalMode mode, int64_t member = 0);

namespace rental {

void rent(MainWindow& w);
void offer1(MainWindow& w);
void offer2(MainWindow& w);
void offer3(MainWindow& w);
void offer4(MainWindow& w);
void day_return(MainWindow& w);
void return_then_rent(MainWindow& w);
void rent_by_telephone(MainWindow& w);

}  // namespace rental
}  // namespace kelvo::shell
