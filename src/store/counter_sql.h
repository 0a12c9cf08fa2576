#pragma once
// The server side of a counter working on a shop in the database: two functions installed
// beside the tables. kelvo_changes hands a counter every row changed since the newest version
// and log entry it has seen; kelvo_commit stores one transaction of a counter in one call (one
// round trip), refusing it whole when a record it writes was changed since the counter read it.
#include <string>

namespace kelvo::store {

// Keys of the two advisory locks: the day marker (shared by every transaction, taken alone by
// the day close) and the write phase (one transaction's writes at a time, so that versions,
// log sequence and commits follow one order).
constexpr long long kDayLock = 7165001;
constexpr long long kWriteLock = 7165002;

// SQLSTATE of a record changed at another counter (the detail names its table), and of a new
// number another counter gave a record first.
constexpr const char* kChangedElsewhere = "KV001";
constexpr const char* kNumberTaken = "KV002";

// CREATE OR REPLACE statements of both functions, for the connection's current schema.
std::string counter_functions();

}  // namespace kelvo::store
