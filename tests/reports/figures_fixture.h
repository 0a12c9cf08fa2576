#pragma once
// A shop opened on its own data files at a fixed day, for the day's reports.
#include "support/scripted_operator.h"

#include "records/data_opening.h"
#include "records/file_io.h"
#include "text/coding.h"

namespace kelvo::testing {

class FiguresTest : public ShopTest {
 protected:
  FiguresTest() {
    EXPECT_TRUE(records::open_data(shop_));
    shop_.started = at(2026, 12, 7, 9, 3);
    shop_.address.set_line(1, u"Video Corner");
  }
  records::ConfigBlock& config() { return shop_.config; }
  void set_history(int k, float v) { config().set_f32(records::cfg::history_entry(k), v); }
  void set_day(int year, int month, int day, int hour = 14, int minute = 5) {
    clock_.set(at(year, month, day, hour, minute));
  }
  text::u16 log_text() const {
    auto bytes = records::read_whole(shop_.path(records::files::kLog));
    return bytes ? text::from_utf16le(bytes->data(), bytes->size()) : text::u16();
  }
  std::string caption_of_last() const { return op_.messages.empty() ? "" : op_.messages.back().caption; }
};

inline std::string u8(text::u16view s) { return text::to_utf8(s); }

}  // namespace kelvo::testing
