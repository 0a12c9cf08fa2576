#pragma once
// The command-line check of a shop folder: opens it read-only, runs the start-up checks, prints
// the start-up lines and every disagreement between film.dat and member.dat. Never writes.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "records/data_opening.h"
#include "records/shop.h"

namespace kelvo::records {

// Cross-checks the loans both ways and looks for live numbers that occur twice; one line per
// disagreement, none when the files agree.
std::vector<std::string> find_inconsistencies(const Shop& shop, const LoanLedger& ledger);

// 0 when the shop opens and is consistent; 1 when it is inconsistent; 2 when it does not open.
int run_check(const std::filesystem::path& folder, std::ostream& out);

}  // namespace kelvo::records
