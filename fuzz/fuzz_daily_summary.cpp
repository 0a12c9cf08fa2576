// A day's summary file as the "Activity report" window reads it.
#include <filesystem>

#include "fuzz_folder.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/daily_summary.h"

using namespace kelvo;

namespace {
class Silent : public platform::Operator {
 public:
  platform::Answer message(text::u16view, text::u16view, platform::Buttons) override { return platform::Answer::Ok; }
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override { return {}; }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return {}; }
  void warn() override {}
  void activity(text::u16view) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Silent op;
  static platform::FixedClock clock(text::DateTime{});
  static platform::EnglishLocale locale;
  static records::Shop shop(fuzz::scratch_folder(), op, clock, locale);
  const auto file = records::summary_path(shop, 2026, 12, 8);
  std::filesystem::create_directories(file.parent_path());
  if (!records::write_file_atomic(file, data, size)) ::abort();
  records::read_daily_summary(shop, 2026, 12, 8);
  return 0;
}
