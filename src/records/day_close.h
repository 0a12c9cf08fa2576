#pragma once
// Closing the previous business day(s) in the configuration block at the first start of a day.
#include "records/shop.h"

namespace kelvo::records {

enum class DayCloseResult { StillOpen, Closed, Cancelled, Failed };

// Steps 11 to 20 of the opening: keeps yesterday's counts, writes the monthly archive, asks
// the operator to confirm the date after a gap, shifts the day history and rolls resn.dat.
// With `date_asked`, the date question was put before (date_confirmed_if_gap) and is not again.
DayCloseResult close_previous_day(Shop& shop, bool date_asked = false);
// The date question, when the day to close follows a gap: false when the operator cancels.
bool date_confirmed_if_gap(Shop& shop);

// Days elapsed since the stored day of month: back from today to the latest earlier date with
// that day of month (at least 1; 62 when no such date lies within two months).
int days_elapsed(int stored_day, const text::DateTime& today);
// True when the date question must be asked (a gap of more than one day).
bool usage_gap(int stored_day, const text::DateTime& today);
// Moves the takings history and the 24 series by d days and stores the closed day at d - 1.
void shift_history(ConfigBlock& config, int d);

}  // namespace kelvo::records
