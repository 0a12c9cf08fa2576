#pragma once
// The small commands around the transaction log: capacity, purge, takings adjustment and the
// day prompt of the log printing.
#include <optional>

#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::records {

// The nine rows "100K" to "900K" of the "Log capacity" list.
std::vector<text::u16> log_capacity_rows();
// Offers the list with the current capacity preselected; OK stores the row and saves wr.cfg.
void choose_log_capacity(Shop& shop);

// Deletes lgb2.dat and lgb4.dat without asking and says "Complete.".
void purge_log_files(Shop& shop);

// "Takings adjustment:" proposing today's takings; OK replaces them and logs the new figure.
void takings_adjustment(Shop& shop);

// "Enter day (DD/MM/YYYY):"; the accepted answer, or nullopt (cancelled, or "Invalid date").
std::optional<text::u16> ask_log_day(Shop& shop);

}  // namespace kelvo::records
