#pragma once
// Builds large, realistic shop folders for benchmarks and whole-program tests: film.dat,
// member.dat, mans.dat, wr.cfg, resn.dat and ADDRESS.RK, all consistent with one another and
// dated on one fixed day, so that the same seed always gives the same bytes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "text/calendar.h"

namespace kelvo::bench {

struct ShopSize {
  int films = 50000;
  int members = 20000;
  int stock = 300;
  // Breaks the data on purpose: one film on loan to a member who does not hold it, and one
  // live film number used twice.
  bool inconsistent = false;
};

// The figures a correct opening of the generated shop must arrive at.
struct ShopSummary {
  int64_t film_slots = 0, films_deleted = 0;
  int64_t member_slots = 0, members_deleted = 0;
  int64_t stock_slots = 0, stock_deleted = 0;
  int films_on_loan = 0;   // live films whose on_loan_to is set
  int overdue = 0;         // of those, due back before the shop's day
  int active_members = 0;  // members holding at least one item

  // The start-up lines as the counter prints them for this shop.
  std::vector<std::string> lines() const;
};

// The day every generated shop is dated on: the open day of wr.cfg, the base of every stamp.
text::DateTime generated_shop_day();

// Writes the shop into `folder` (created when missing). Throws std::runtime_error when a file
// cannot be written or when the folder already holds any file of a shop.
ShopSummary generate_shop(const std::filesystem::path& folder, const ShopSize& size, uint32_t seed);

// Waits until everything written below `folder` is on the disk. A timed run started while the
// kernel still writes back a freshly made shop (half a gigabyte) pays for that writing at every
// sync of its own: the same benchmark then moves by half from one run to the next.
void settle_on_disk(const std::filesystem::path& folder);

}  // namespace kelvo::bench
