#include "records/transaction_log.h"

#include <unistd.h>

#include "records/file_io.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::records {

text::u16 log_prefix(const text::DateTime& now) {
  const text::u16 stamp = text::make_stamp(now);
  return text::format("\r\n%c%c:%c%c %s", {stamp[0], stamp[1], stamp[3], stamp[4], text::u16view(stamp).substr(5)});
}

text::u16 operator_trailer(const ConfigBlock& config) {
  const int64_t n = config.signed_on_operator();
  return text::format("\r\nOperator: %I64d, %s\r\n", {n, config.operator_name(n)});
}

bool append_log(const Shop& shop, text::u16view entry) {
  const std::string bytes = text::utf16le_bytes(entry);
  if (shop.pending().open()) {
    shop.pending().append(files::kLog, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
  }
  if (shop.pending().commits_directly()) {
    shop.pending().append(files::kLog, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return shop.pending().commit_direct();
  }
  return append_bytes(shop.path(files::kLog), bytes.data(), bytes.size());
}

bool append_log_or_report(const Shop& shop, text::u16view entry) {
  if (append_log(shop, entry)) return true;
  shop.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
  return false;
}

LogPage read_log_page(const std::filesystem::path& file, int page) {
  LogPage out;
  const uint64_t unit_bytes = 2;
  std::vector<uint8_t> buf(kLogPageUnits * unit_bytes);
  long long got = read_at(file, static_cast<uint64_t>(page) * kLogPageUnits * unit_bytes, buf.data(), buf.size());
  if (got < 0) return out;
  out.opened = true;
  const size_t units = static_cast<size_t>(got) / unit_bytes;
  out.text.resize(units);
  for (size_t i = 0; i < units; ++i) out.text[i] = static_cast<char16_t>(buf[2 * i] | (buf[2 * i + 1] << 8));
  out.has_next = units == static_cast<size_t>(kLogPageUnits);
  return out;
}

void purge_logs(const Shop& shop) {
  remove_file(shop.path(files::kPreviousLog));
  before_direct_change(shop.path(files::kLog));
  remove_file(shop.path(files::kLog));
}

bool adjust_takings(Shop& shop, float amount) {
  shop.config.set_takings_today(amount);
  return append_log_or_report(shop, text::format("\r\nTakings adjustment: %.2f\r\n", {amount}));
}

bool valid_log_day(text::u16view answer) {
  return answer.size() == 10 && answer[2] == u'/' && answer[5] == u'/';
}

}  // namespace kelvo::records
