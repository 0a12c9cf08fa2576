#include "store/log_rows.h"

#include "store/store_layout.h"

namespace kelvo::store {

// The name reaches the query as text (a copy takes no parameters): only the two logs' names pass.
void read_log_rows(Connection& db, const std::string& name, std::optional<int64_t> upto,
                   const std::function<void(const uint8_t*, size_t)>& write) {
  if (!is_log_file(name)) throw DbError("not a log: " + name);
  db.copy_out("SELECT bytes FROM log_entry WHERE file = '" + name + "'" +
                  (upto ? " AND seq <= " + std::to_string(*upto) : std::string()) + " ORDER BY seq",
              [&](const std::vector<Value>& row) { write(row[0].data.data(), row[0].data.size()); });
}

}  // namespace kelvo::store
