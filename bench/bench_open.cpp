// Opening a large shop against simply reading its files once: the opening should cost little
// more than the reading.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "quiet_operator.h"
#include "bench_shop.h"
#include "shop_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

using kelvo::bench::QuietOperator;

using bench::shop_folder;

void BM_OpenCheckOnly(benchmark::State& state) {
  const fs::path& folder = shop_folder();
  QuietOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  for (auto _ : state) {
    records::Shop shop(folder, op, clock, locale);
    if (!records::open_data(shop, records::OpenMode::CheckOnly) || op.messages != 0) {
      state.SkipWithError("the generated shop did not open");
      break;
    }
    benchmark::DoNotOptimize(shop.activity.overdue);
  }
}
BENCHMARK(BM_OpenCheckOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadFilesOnce(benchmark::State& state) {
  const fs::path& folder = shop_folder();
  std::vector<char> buf(1 << 20);
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (auto name : {records::files::kFilm, records::files::kMember, records::files::kStock}) {
      const int64_t n = bench::read_through(folder / name, buf);
      if (n < 0) {
        state.SkipWithError("cannot read the generated shop");
        return;
      }
      bytes += n;
    }
  }
  state.SetBytesProcessed(bytes * static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_ReadFilesOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
