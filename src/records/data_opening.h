#pragma once
// Opening the shop at start: every data file checked and indexed, the configuration block and
// address lines loaded, the log rolled over, and the previous business day closed.
#include <utility>
#include <vector>

#include "records/shop.h"

namespace kelvo::records {

enum class OpenMode {
  Counter,    // the counter program: may create files, roll the log, close the day
  CheckOnly,  // the command-line check: reads and checks, writes nothing at all
};

// Loans as the two files record them, gathered during the opening pass when asked for.
struct LoanLedger {
  std::vector<std::pair<int64_t, int64_t>> film_loans;    // (item, on_loan_to) of live films
  std::vector<std::pair<int64_t, int64_t>> member_loans;  // (member, item) of live members
};

// Runs the checks in order; each failure shows its message and returns false.
bool open_data(Shop& shop, OpenMode mode = OpenMode::Counter, LoanLedger* ledger = nullptr);
// True when none of the four main data files exists yet: the first run.
bool is_first_run(const Shop& shop);
// First run: film.dat, member.dat, wr.cfg and mans.dat created anew with their first records.
bool create_data_files(Shop& shop);
// The counting pass: films on loan and overdue, active members, credit and owed sums, and the
// takings of the last two weeks. Reports a missing file and keeps the counts reached.
bool count_activity(Shop& shop);

// The start-up lines of the main window, in order ("Film records: %d (%d deleted)", ...).
std::vector<text::u16> startup_lines(const Shop& shop);

}  // namespace kelvo::records
