// A day's summary file as the "Activity report" window reads it.
#include <filesystem>

#include "fuzz_folder.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/daily_summary.h"
#include "quiet_operator.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bench::QuietOperator op;
  static platform::FixedClock clock(text::DateTime{});
  static platform::EnglishLocale locale;
  static records::Shop shop(fuzz::scratch_folder(), op, clock, locale);
  const auto file = records::summary_path(shop, 2026, 12, 8);
  std::filesystem::create_directories(file.parent_path());
  if (!records::write_file_atomic(file, data, size)) ::abort();
  records::read_daily_summary(shop, 2026, 12, 8);
  return 0;
}
