#pragma once
// The server side of a counter working on a shop in the database: functions installed beside
// the tables, and one query. kelvo_marks tells a counter how far it may trust what it reads, and
// the changes query hands it every row changed since the newest version and log entry it has
// seen; kelvo_commit stores one transaction of a counter in one call (one round trip), refusing
// it whole when a record it writes was changed since the counter read it.
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

// CREATE OR REPLACE statements of the functions, for the connection's current schema.
std::string counter_functions();

// A counter's refresh is two statements sent together: its marks (kelvo_marks), then this
// query, every row changed since the marks it held ($1 the version, $2 the log entry), but the
// records at the versions in $3, which its own commits wrote. Log entries past the new marks
// may come with them, and are left for the next refresh.
std::string changes_query();

}  // namespace kelvo::store
