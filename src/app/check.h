#pragma once
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "records/shop_check.h"
#include "store/counter_store.h"
#include "store/shop_move.h"

namespace kelvo::app {

// The shop of the folder checked; a shop kept in a database (named by `database` or by the
// folder's settings file) is checked on one snapshot of it, written out to a scratch folder.
inline int run_check(const std::filesystem::path& folder, std::string database = {}) {
  if (database.empty())
    if (auto settings = store::read_counter_settings(folder)) database = settings->url;
  if (database.empty()) return records::run_check(folder, std::cout);
  char pattern[] = "/tmp/kelvo-check-XXXXXX";
  if (!::mkdtemp(pattern)) {
    std::cerr << "kelvo-check: no scratch folder for the snapshot\n";
    return 2;
  }
  const std::filesystem::path scratch = pattern;
  int code = 2;
  try {
    store::export_shop(database, scratch / "shop", [](std::string_view) {});
    code = records::run_check(scratch / "shop", std::cout);
  } catch (const std::exception& e) {
    std::cerr << "kelvo-check: " << e.what() << "\n";
  }
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return code;
}

}  // namespace kelvo::app
