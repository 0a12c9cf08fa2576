// One rental of five items, and one late return of them with its settlement, on a large
// generated shop, with the file operations each costs: every open, read, write and sync of the
// process is counted while it runs. Each iteration puts the member and the films back as they were.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "counter/rental.h"
#include "counter/return_transaction.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "io_counting.h"
#include "scripted_counter.h"
#include "shop_generator.h"
#include "text/format.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

// A large generated shop, a member who owes nothing and holds nothing, and the first five films
// in stock, taken from the middle of the file so that no slot is at hand by luck.
struct RentalBench : bench::ScriptedCustomer {
  explicit RentalBench(benchmark::State& state) {
    char pattern[] = "/tmp/kelvo-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    folder = pattern;
    bench::generate_shop(folder, bench::ShopSize{}, 20240315);
    shop = std::make_unique<records::Shop>(folder, op, clock, locale);
    if (!records::open_data(*shop, records::OpenMode::CheckOnly)) std::abort();
    if (!choose()) state.SkipWithError("the generated shop has no idle member or too few films in stock");
  }
  ~RentalBench() {
    shop.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  void count(const std::function<bool()>& work, benchmark::State& state) {
    opens = reads = writes = syncs = 0;
    counting = true;
    const bool done = work();
    counting = false;
    if (!done) state.SkipWithError("the transaction did not finish");
    totals[0] += opens, totals[1] += reads, totals[2] += writes, totals[3] += syncs;
  }
  void report(benchmark::State& state) const {
    const double n = static_cast<double>(state.iterations());
    state.counters["opens"] = static_cast<double>(totals[0]) / n;
    state.counters["reads"] = static_cast<double>(totals[1]) / n;
    state.counters["writes"] = static_cast<double>(totals[2]) / n;
    state.counters["syncs"] = static_cast<double>(totals[3]) / n;
  }

  fs::path folder;
  long totals[4] = {0, 0, 0, 0};
};

void BM_RentFiveItems(benchmark::State& state) {
  RentalBench b(state);
  for (auto _ : state) {
    b.count([&] { return b.rent(); }, state);
    state.PauseTiming();
    b.put_back();
    state.ResumeTiming();
  }
  b.report(state);
}
BENCHMARK(BM_RentFiveItems)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReturnFiveItemsLateWithSettlement(benchmark::State& state) {
  RentalBench b(state);
  for (auto _ : state) {
    state.PauseTiming();
    if (!b.rent()) state.SkipWithError("the rental before the return did not finish");
    state.ResumeTiming();
    b.count([&] { return b.return_late(); }, state);
    state.PauseTiming();
    b.put_back();
    state.ResumeTiming();
  }
  b.report(state);
}
BENCHMARK(BM_ReturnFiveItemsLateWithSettlement)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
