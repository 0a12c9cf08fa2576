#pragma once
#include <filesystem>
#include <iostream>

#include "records/shop_check.h"

namespace kelvo::app {

inline int run_check(const std::filesystem::path& folder) { return records::run_check(folder, std::cout); }

}  // namespace kelvo::app
