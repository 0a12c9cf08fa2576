#pragma once
// The daily summary file: a frozen copy of the first part of the daily overview, written at
// every normal shutdown into "<year>/thed<mm><dd>.dat" under the shop folder, and shown again
// by "Previous overview".
#include <filesystem>
#include <optional>

#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::records {

// The viewer shows no more than this many code units of a day's file.
constexpr size_t kSummaryViewUnits = 3199;

std::filesystem::path summary_path(const Shop& shop, int year, int month, int day);

// The 16 lines as written, from the block, the counts and the time given. Lines 6 and 7 come
// from shop.activity as it stands.
text::u16 summary_text(const Shop& shop, const text::DateTime& now);

// At shutdown: counts activity afresh, then writes today's file whole (year folder created on
// demand), replacing an earlier one of the same day. Silent; false when nothing was written.
// Skipped (false) when the run is not to be saved.
bool write_daily_summary(Shop& shop);

// A day's file as the "Activity report" window shows it: at most 3199 units, or "No details"
// when it cannot be opened.
text::u16 read_daily_summary(const Shop& shop, int year, int month, int day);

struct SummaryDay {
  int year = 0, month = 0, day = 0;
};
// The three prompts of "Previous overview", each proposing today's value. nullopt when any
// answer is cancelled, empty or out of range (silently).
std::optional<SummaryDay> ask_summary_day(Shop& shop);

}  // namespace kelvo::records
