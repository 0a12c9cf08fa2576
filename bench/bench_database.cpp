// The counter on the generated large shop kept in a PostgreSQL database: the five-item rental
// and the late return of bench_rental, and the status window's figures of bench_figures, with
// the counter set up as the program sets it up on a database (a working copy in its folder,
// every commit a server transaction, the other counters' changes brought in at each command).
// The database is named by KELVO_BENCH_DATABASE and already holds the shop (kelvo-db import).
// Each iteration puts the member and the films back as they were, outside the timing; on a
// database those put-backs are server transactions of their own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "counter/rental.h"
#include "counter/return_transaction.h"
#include "bench_shop.h"
#include "io_counting.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "records/data_opening.h"
#include "records/remote_store.h"
#include "records/shop.h"
#include "reports/overview.h"
#include "scripted_counter.h"
#include "shop_generator.h"
#include "store/counter_store.h"
#include "text/format.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

// Any transaction that did not finish fails the run, not only its benchmark.
std::atomic<bool> failed{false};

void fail(benchmark::State& state, const char* why) {
  failed = true;
  state.SkipWithError(why);
}

// The counter's store, with the time each of its calls takes (the server's answer and the
// working copy brought up to date with it), to tell the store's part from the flow's.
class TimedStore final : public records::RemoteStore {
 public:
  explicit TimedStore(records::RemoteStore& store) : store_(store) {}
  bool commit(const records::Journal& writes) override {
    const auto start = std::chrono::steady_clock::now();
    const bool stored = store_.commit(writes);
    commit_ms += since(start);
    ++commits;
    return stored;
  }
  void refresh() override {
    const auto start = std::chrono::steady_clock::now();
    store_.refresh();
    refresh_ms += since(start);
  }
  void hold_notices() override { store_.hold_notices(); }
  std::span<const uint8_t> held(const std::filesystem::path& file) override { return store_.held(file); }
  bool begin_day_close() override { return store_.begin_day_close(); }
  bool end_day_close() override { return store_.end_day_close(); }

  double commit_ms = 0, refresh_ms = 0;
  long commits = 0;

 private:
  static double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  records::RemoteStore& store_;
};

// One counter on the database for the whole run: its working copy is the size of the shop.
class DatabaseCounter : public bench::ScriptedCustomer {
 public:
  DatabaseCounter() {
    const char* url = std::getenv("KELVO_BENCH_DATABASE");
    if (!url || !*url) {
      problem = "KELVO_BENCH_DATABASE names no database";
      return;
    }
    char pattern[] = "/tmp/kelvo-bench-db-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    folder = pattern;
    std::ofstream(folder / std::string(store::kSettingsFile)) << "url=" << url << "\ncounter=bench\n";
    const auto settings = store::read_counter_settings(folder);
    shop = std::make_unique<records::Shop>(folder, op, clock, locale);
    remote = std::make_unique<store::CounterStore>(*settings, *shop);
    try {
      remote->make_working_copy();
    } catch (const std::exception& e) {
      problem = std::string("no working copy: ") + e.what();
      return;
    }
    bench::settle_on_disk(folder);
    timed = std::make_unique<TimedStore>(*remote);
    shop->set_remote(timed.get());
    if (!records::open_data(*shop, records::OpenMode::Counter)) {
      problem = "the shop did not open: " + text::to_utf8(op.last_message);
      return;
    }
    if (!choose()) problem = "the shop has no idle member or too few films in stock";
  }
  ~DatabaseCounter() {
    shop.reset();
    timed.reset();
    remote.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }

  // The first command of the counter's main window: what other counters changed comes in.
  void refresh() { timed->refresh(); }
  void count(const std::function<bool()>& work, benchmark::State& state) {
    opens = reads = writes = syncs = 0;
    const double commit_before = timed->commit_ms, refresh_before = timed->refresh_ms;
    const long commits_before = timed->commits;
    counting = true;
    const bool done = work();
    counting = false;
    store_ms[0] += timed->refresh_ms - refresh_before, store_ms[1] += timed->commit_ms - commit_before;
    commits += timed->commits - commits_before;
    if (!done) {
      std::cerr << "the transaction did not finish: " << text::to_utf8(op.last_message) << "\n";
      fail(state, "the transaction did not finish");
    }
    totals[0] += opens, totals[1] += reads, totals[2] += writes, totals[3] += syncs;
  }
  void report(benchmark::State& state) {
    const double n = static_cast<double>(state.iterations());
    state.counters["opens"] = static_cast<double>(totals[0]) / n;
    state.counters["reads"] = static_cast<double>(totals[1]) / n;
    state.counters["writes"] = static_cast<double>(totals[2]) / n;
    state.counters["syncs"] = static_cast<double>(totals[3]) / n;
    state.counters["refresh_ms"] = store_ms[0] / n;
    state.counters["commit_ms"] = store_ms[1] / n;
    state.counters["commits"] = static_cast<double>(commits) / n;
    std::fill(std::begin(totals), std::end(totals), 0);
    store_ms[0] = store_ms[1] = 0;
    commits = 0;
  }

  std::string problem;  // why the counter could not be set up; empty when it was
  fs::path folder;
  std::unique_ptr<store::CounterStore> remote;
  std::unique_ptr<TimedStore> timed;
  long totals[4] = {0, 0, 0, 0};
  double store_ms[2] = {0, 0};  // in the refresh, in the commits
  long commits = 0;

};

DatabaseCounter* counter_of(benchmark::State& state) {
  static DatabaseCounter counter;
  if (!counter.problem.empty()) {
    fail(state, counter.problem.c_str());
    return nullptr;
  }
  return &counter;
}

// The put-back is this benchmark's own work, not another counter's: the refresh that brings its
// rows into the working copy is not counted either, so that the next command's refresh finds
// what a lone counter's finds (nothing new). refresh_ms stays the refresh each command pays.
void put_back(DatabaseCounter& c, benchmark::State& state) {
  state.PauseTiming();
  if (!c.put_back()) fail(state, "the put-back was not stored");
  c.refresh();
  state.ResumeTiming();
}

// F12 on a database: the refresh, then the counting pass on the working copy. The F12 benchmarks
// run first, on the working copy just written and the folder just opened, as bench_figures counts
// a folder just opened: a machine that pages out files left alone for some seconds (this one
// does) had paged much of the working copy out by the end of the rentals, and the pass, reading
// it back in small pages, took two to seven times as long.
void BM_DatabaseStatusWindowFigures(benchmark::State& state) {
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  for (auto _ : state) {
    c->refresh();
    benchmark::DoNotOptimize(reports::status_texts(*c->shop, c->shop->now()).lines.size());
  }
  if (c->op.messages != 0) fail(state, "a message came up");
}
BENCHMARK(BM_DatabaseStatusWindowFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same pass without the refresh: what the working copy's files cost the pass by themselves.
void BM_WorkingCopyStatusWindowFigures(benchmark::State& state) {
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  for (auto _ : state) benchmark::DoNotOptimize(reports::status_texts(*c->shop, c->shop->now()).lines.size());
  if (c->op.messages != 0) fail(state, "a message came up");
}
BENCHMARK(BM_WorkingCopyStatusWindowFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The folder's side of the paired benchmarks: the same generated shop, kept in a folder.
struct FolderCounter : bench::ScriptedCustomer {
  FolderCounter() {
    shop = std::make_unique<records::Shop>(bench::shop_folder(), op, clock, locale);
    if (!records::open_data(*shop, records::OpenMode::CheckOnly)) problem = "the generated shop did not open";
    else if (!choose()) problem = "the generated shop has no idle member or too few films in stock";
  }
  std::string problem;
};

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// The same command on the folder and on the database one after the other at each iteration,
// timed apart: the median of the pairs' ratios, each pair a few milliseconds apart, leaves out
// the machine's drift, which the folder and database benchmarks, minutes apart, take in.
template <class OnFolder, class OnDatabase>
void paired(benchmark::State& state, bool changes, OnFolder on_folder, OnDatabase on_database) {
  static FolderCounter folder;
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  if (!folder.problem.empty()) return fail(state, folder.problem.c_str());
  std::vector<double> f, d, ratios;
  const auto ms = [](auto start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    if (!on_folder(folder)) fail(state, "the command on the folder did not finish");
    f.push_back(ms(start));
    start = std::chrono::steady_clock::now();
    if (!on_database(*c)) fail(state, "the command on the database did not finish");
    d.push_back(ms(start));
    ratios.push_back(d.back() / f.back());
    if (!changes) continue;
    state.PauseTiming();
    if (!folder.put_back()) fail(state, "the put-back on the folder failed");
    state.ResumeTiming();
    put_back(*c, state);
  }
  state.counters["folder_ms"] = median(f);
  state.counters["database_ms"] = median(d);
  state.counters["ratio"] = median(ratios);
}

void BM_PairedStatusWindowFigures(benchmark::State& state) {
  const auto pass = [](records::Shop& shop) { return !reports::status_texts(shop, shop.now()).lines.empty(); };
  paired(state, false, [&](FolderCounter& f) { return pass(*f.shop); }, [&](DatabaseCounter& c) { return c.refresh(), pass(*c.shop); });
}
BENCHMARK(BM_PairedStatusWindowFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command as the operator waits for it: the refresh at its start, then the rental.
void BM_DatabaseRentFiveItems(benchmark::State& state) {
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  for (auto _ : state) {
    c->count([&] { return c->refresh(), c->rent(); }, state);
    put_back(*c, state);
  }
  c->report(state);
}
BENCHMARK(BM_DatabaseRentFiveItems)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DatabaseReturnFiveItemsLateWithSettlement(benchmark::State& state) {
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  for (auto _ : state) {
    state.PauseTiming();
    if (!c->rent()) fail(state, "the rental before the return did not finish");
    state.ResumeTiming();
    c->count([&] { return c->refresh(), c->return_late(); }, state);
    put_back(*c, state);
  }
  c->report(state);
}
BENCHMARK(BM_DatabaseReturnFiveItemsLateWithSettlement)->Unit(benchmark::kMillisecond)->UseRealTime();

// A refresh with nothing new: the least every command pays on a database.
void BM_DatabaseRefresh(benchmark::State& state) {
  DatabaseCounter* c = counter_of(state);
  if (!c) return;
  for (auto _ : state) c->refresh();
}
BENCHMARK(BM_DatabaseRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PairedRentFiveItems(benchmark::State& state) {
  paired(state, true, [](FolderCounter& f) { return f.rent(); }, [](DatabaseCounter& c) { return c.refresh(), c.rent(); });
}
BENCHMARK(BM_PairedRentFiveItems)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return failed ? 1 : 0;
}
