#pragma once
// The alphabetical lists: films by title into f2.dat, members by last name into m2.dat, sorted
// once and then shown or printed from the work file.
#include <optional>
#include <vector>

#include "platform/progress.h"
#include "records/shop.h"
#include "reports/work_file.h"

namespace kelvo::reports {

// The letters typed at "Enter the start character:" and "Enter the end character:", raised to
// upper case.
struct AlphaRange {
  char16_t start = u'A';
  char16_t end = u'Z';
};

// Both answers must be letters A to Z (either case) with the end not before the start;
// otherwise nullopt and the command ends silently.
std::optional<AlphaRange> alpha_range(text::u16view start, text::u16view end);

// Whether a title (or last name) is listed for the range: its first letter, raised, lies in
// the range. A text that does not start with a letter A to Z (digits, punctuation, accented
// letters, no text at all) is listed first in a range that starts at A, so no record is ever
// left out of an A to Z list.
bool in_alpha_range(text::u16view s, AlphaRange range);

// The order of the sorted lists: texts not starting with a letter A to Z first; then by the
// first and the second character with letters of either case together; then code unit by code
// unit after raising a text that starts with a letter to upper case; equal texts in file order.
//
// Reads every live record of the range, sorts it and replaces the work file. False when the
// data file could not be read or the work file written (each reported), or when the operator
// cancelled (the work file in use is then the previous one, untouched).
bool sort_films_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress);
bool sort_members_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress);

}  // namespace kelvo::reports
