#pragma once
// The transaction log lgb4.dat: UTF-16LE text without byte-order mark, only ever appended to.
// At start it is rolled over to lgb2.dat when it has grown past the chosen capacity.
#include <cstdint>
#include <filesystem>

#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::records {

// "\r\n%c%c:%c%c %s": the time and date that begin most entries.
text::u16 log_prefix(const text::DateTime& now);
// "\r\nOperator: %I64d, %s\r\n" with the signed-on operator's number and name.
text::u16 operator_trailer(const ConfigBlock& config);

// Appends the text to lgb4.dat, creating it when missing. False when it cannot be opened or
// written; the caller reports it in its own words.
bool append_log(const Shop& shop, text::u16view entry);
// Appends, and on failure shows "Data file: lgb4.dat, not present." (caption "Fatal error").
bool append_log_or_report(const Shop& shop, text::u16view entry);

// The viewer reads the log in pages of 31,999 code units.
constexpr int64_t kLogPageUnits = 31999;
struct LogPage {
  bool opened = false;
  text::u16 text;
  bool has_next = false;  // the page was full
};
LogPage read_log_page(const std::filesystem::path& file, int page);

// Deletes lgb2.dat and lgb4.dat, whether or not they exist.
void purge_logs(const Shop& shop);

// Bytes above which the log is rolled over: (capacity + 1) x 100,000. The capacity comes from
// wr.cfg as stored, so it is widened before the sum and a negative one rolls any non-empty log.
inline uint64_t log_roll_limit(int capacity) {
  const int64_t units = static_cast<int64_t>(capacity) + 1;
  return units > 0 ? static_cast<uint64_t>(units) * 100000u : 0;
}

// Replaces today's takings with the amount and logs "\r\nTakings adjustment: %.2f\r\n".
// False when the log could not be written (the takings are changed all the same).
bool adjust_takings(Shop& shop, float amount);

// "Enter day (DD/MM/YYYY):" accepts exactly ten characters with "/" at positions 3 and 6.
bool valid_log_day(text::u16view answer);

}  // namespace kelvo::records
