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
#include "records/config_layout.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "io_counting.h"
#include "scripted_counter.h"
#include "shop_generator.h"
#include "text/format.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

using bench::QueueOperator;
using bench::Screens;

// A large generated shop, a member who owes nothing and holds nothing, and the first five films
// in stock, taken from the middle of the file so that no slot is at hand by luck.
struct RentalBench {
  explicit RentalBench(benchmark::State& state) : clock(bench::generated_shop_day()), screens(op) {
    char pattern[] = "/tmp/kelvo-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    folder = pattern;
    bench::generate_shop(folder, bench::ShopSize{}, 20240315);
    shop = std::make_unique<records::Shop>(folder, op, clock, locale);
    if (!records::open_data(*shop, records::OpenMode::CheckOnly)) std::abort();
    shop->config.set_i64(records::cfg::kAutoOfferOff, 2);
    const bool found = bench::choose_idle_member_and_films(*shop, member, m, films);
    for (const auto& f : films) screens.items.push_back(f.number());
    if (!found)
      state.SkipWithError("the generated shop has no idle member or too few films in stock");
  }
  ~RentalBench() {
    shop.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  bool rent() {
    op.typed = {text::format("%I64d", {member})};
    const counter::RentalContext ctx{screens, screens, screens, screens, screens, screens, screens, till,
                                     offers,  records::AccessState::Unrestricted, {}};
    const auto result = counter::rent(*shop, ctx, counter::RentalRequest{});
    return result.finished && result.items == 5 && op.messages == 0;
  }
  // Twelve days later, every item back with its late fees paid in cash.
  bool return_late() {
    clock.set(late_day);
    const counter::ReturnContext ctx{screens, screens, screens, till, records::AccessState::Unrestricted};
    const bool back = counter::return_items(*shop, ctx, films.front().number()) == member;
    clock.set(bench::generated_shop_day());
    return back;
  }
  // The member and the films as they were, so that every iteration does the same work.
  void put_back() {
    for (const auto& f : films) shop->films.write_slot(*shop->films.index().find(f.number()), f);
    shop->members.write_slot(*shop->members.index().find(member), m);
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
  QueueOperator op;
  platform::FixedClock clock;
  text::DateTime late_day = [] {
    text::DateTime d = bench::generated_shop_day();
    for (int i = 0; i < 12; ++i) d = text::next_day(d);
    return d;
  }();
  platform::EnglishLocale locale;
  Screens screens;
  counter::NoTill till;
  counter::OfferState offers;
  std::unique_ptr<records::Shop> shop;
  int64_t member = 0;
  records::MemberRecord m;
  std::vector<records::FilmRecord> films;
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
