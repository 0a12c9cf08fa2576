#pragma once
// The logs in the database: one row per entry, in commit order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "store/pg.h"

namespace kelvo::store {

// A stored log (lgb4.dat, lgb2.dat) entry after entry in commit order, each handed to `write`;
// up to the entry `upto` when given (a counter takes none past its mark).
void read_log_rows(Connection& db, const std::string& name, std::optional<int64_t> upto,
                   const std::function<void(const uint8_t*, size_t)>& write);

}  // namespace kelvo::store
