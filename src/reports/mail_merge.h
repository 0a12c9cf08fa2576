#pragma once
// "Mailmerge": one letter page for every member of a number range that passes the selection,
// with a body the operator types, saves and loads.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/printer.h"
#include "platform/progress.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::reports {

enum class MergeSelection { All = 0, OweMoney = 1, NotRentedThisYear = 2 };

constexpr size_t kMergeTextLimit = 998;  // characters in the window's field

struct MailMerge {
  int64_t start_member = 1;
  int64_t end_member = 1;
  MergeSelection selection = MergeSelection::All;
  text::u16 body;
};

// Owe money: owed above 0. Not rented this year: the year of last_used differs from the
// current year, a member without a last_used date counting as year 2.
bool merge_selects(const records::MemberRecord& m, MergeSelection s, int current_year);

struct MergeRun {
  long long pages = 0;
  bool cancelled = false;
  bool failed = false;  // member.dat could not be read: reported, printing stopped
};
// One page per selected member from start to end in number order, on the begun printer.
MergeRun print_mail_merge(platform::Printer& p, records::Shop& shop, const MailMerge& merge,
                          platform::Progress& progress);

// The body from a file of 1 to 1000 characters of UTF-16: "File not present." (caption "Fatal
// error") when it cannot be opened, "File of incorrect type" (caption "Problem") otherwise.
std::optional<text::u16> load_merge_text(const std::filesystem::path& file, platform::Operator& op);
// The body written whole; "File failure." (caption "Fatal error") when that fails.
bool save_merge_text(const std::filesystem::path& file, text::u16view body, platform::Operator& op);

}  // namespace kelvo::reports
