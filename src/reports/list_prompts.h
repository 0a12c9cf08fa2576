#pragma once
// The questions the list and print commands ask before they start. Each returns nullopt when the
// command is to end: cancelled, or an answer the command does not take (silently, except the
// number bounds, which say "Outside range").
#include <optional>

#include "catalogue/list_screens.h"
#include "records/record_files.h"
#include "records/shop.h"
#include "reports/alpha_sort.h"

namespace kelvo::reports {

struct NumberRange {
  int64_t from = 1;
  int64_t to = records::kMaxNumber;
};

// A number for a range must be from 1 to 100000000000000000, else "Outside range" (caption
// "Problem").
std::optional<int64_t> number_in_bounds(records::Shop& shop, text::u16view typed);
// "List from number:" (default "1") and the like.
std::optional<int64_t> ask_start_number(records::Shop& shop, text::u16view question, text::u16view proposal = u"1");
// The "ps2" window.
std::optional<NumberRange> ask_number_range(records::Shop& shop, catalogue::ListScreens& screens);
// "Enter the start character:" (default "A") and "Enter the end character:" (default "Z").
std::optional<AlphaRange> ask_alpha_range(records::Shop& shop);
// "Enter days overdue (2-100):".
std::optional<int> ask_days_overdue(records::Shop& shop);
// "Enter day (DD/MM/YYYY):": at least 10 characters; the first ten are the date.
std::optional<text::u16> ask_day(records::Shop& shop);
// A non-empty answer to the question.
std::optional<text::u16> ask_text(records::Shop& shop, text::u16view question, text::u16view proposal = {});
// A whole number from lo to hi.
std::optional<int> ask_int(records::Shop& shop, text::u16view question, int lo, int hi, text::u16view proposal = {});

}  // namespace kelvo::reports
