#pragma once
// The takings history kept day by day in the configuration block: its list and print, the
// amendment of a day's figure, the purge and the CSV export.
#include <optional>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "platform/printer.h"
#include "records/shop.h"
#include "reports/day_figures.h"

namespace kelvo::reports {

// A past (or, for an amendment, the current) day of the history.
struct HistoryDay {
  Ymd date;
  int index = 0;  // takings history entry; -1 for today
};

// The typed date "dd-mm-yyyy" read by position (day 1-2, month 4-5, year 7-10); nullopt when
// it is no valid day of the current or previous year, before the 1st of this month a year
// back, or today or later (today itself is allowed with `today_allowed`).
std::optional<HistoryDay> read_history_day(text::u16view typed, const text::DateTime& today, bool today_allowed);

// "From (Earliest 01-%2d-%d):" proposing two weeks back; nullopt when cancelled or refused
// ("Non valid date").
std::optional<HistoryDay> ask_takings_start(records::Shop& shop);

// The "Takings list" rows from the start day to yesterday.
std::vector<catalogue::ListRow> takings_rows(const records::Shop& shop, const HistoryDay& start);
// Reports "Takings": the prompt, then the list window page by page.
void show_takings(records::Shop& shop, catalogue::CatalogueViews& views);

// The printed lines of "Print takings" (without heading and "End output.").
std::vector<text::u16> takings_print_lines(const records::Shop& shop, const HistoryDay& start);
void draw_takings(platform::Printer& printer, const records::Shop& shop, const HistoryDay& start);
// Reports "Print takings": the prompt, the print dialog, the pages. False when nothing printed.
bool print_takings(records::Shop& shop, platform::Printer& printer);

// Utilities "Takings amendment": a day's figure replaced and the change logged.
void amend_takings(records::Shop& shop);

// Reports "Purge takings": entries 0 to 389 of the takings history and of every day series.
void purge_takings(records::Shop& shop);
constexpr int kPurgedDays = 390;

enum class ExportPeriod { Day, Week, Month, Year };
struct TakingsExport {
  ExportPeriod period = ExportPeriod::Year;
  text::u16 file_name = u"Takings.csv";
  bool unicode_header = true;
};
// The CSV text, one line per day from the period's start to yesterday (today's running figures
// for the "Day" period).
text::u16 takings_csv(const records::Shop& shop, ExportPeriod period);
// Writes the file and says "Complete." or "Unable to open file.".
bool export_takings(records::Shop& shop, const TakingsExport& request);

}  // namespace kelvo::reports
