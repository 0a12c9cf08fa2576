// One rental of five items on a large generated shop, from the member prompt to wr.cfg, with
// the file operations it costs: every open, read and write of the process is counted while
// the rental runs. Each iteration puts the member and the films back as they were.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "counter/rental.h"
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

void BM_RentFiveItems(benchmark::State& state) {
  char pattern[] = "/tmp/kelvo-bench-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  const fs::path folder = pattern;
  bench::generate_shop(folder, bench::ShopSize{}, 20240315);
  QueueOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  auto shop = std::make_unique<records::Shop>(folder, op, clock, locale);
  if (!records::open_data(*shop, records::OpenMode::CheckOnly)) std::abort();
  shop->config.set_i64(records::cfg::kAutoOfferOff, 2);

  // A member who owes nothing and holds nothing, and the first five films in stock, taken
  // from the middle of the file so that no slot is at hand by luck.
  int64_t member = 0;
  records::MemberRecord m;
  for (const auto& e : shop->members.index().entries()) {
    if (e.number <= 0 || shop->members.read_slot(e.slot, m) != records::ReadResult::Ok) continue;
    if (m.owed() == 0 && m.on_loan_flag() == 0 && m.category() == 1 && m.rental_credits() == 0 &&
        shop->members.counts().total / 2 < e.slot) {
      member = e.number;
      break;
    }
  }
  Screens screens(op);
  std::vector<records::FilmRecord> films;
  const auto& entries = shop->films.index().entries();
  for (size_t i = entries.size() / 2; i < entries.size() && films.size() < 5; ++i) {
    records::FilmRecord f;
    if (entries[i].number <= 0 || shop->films.read_slot(entries[i].slot, f) != records::ReadResult::Ok) continue;
    if (f.on_loan_to() != 0) continue;
    bool seen_before = false;
    for (int h = 0; h < records::MemberRecord::kHistory; ++h) seen_before |= m.previous_items(h) == f.number();
    if (seen_before) continue;
    films.push_back(f);
    screens.items.push_back(f.number());
  }
  if (member == 0 || films.size() < 5) {
    state.SkipWithError("the generated shop has no idle member or too few films in stock");
    return;
  }

  counter::NoTill till;
  counter::OfferState offers;
  const counter::RentalContext ctx{screens, screens, screens, screens, screens, screens, screens, till,
                                   offers,  records::AccessState::Unrestricted, {}};
  long total_opens = 0, total_reads = 0, total_writes = 0, total_syncs = 0;
  for (auto _ : state) {
    op.typed = {text::format("%I64d", {member})};
    opens = reads = writes = syncs = 0;
    counting = true;
    const auto result = counter::rent(*shop, ctx, counter::RentalRequest{});
    counting = false;
    if (!result.finished || result.items != 5 || op.messages != 0) {
      state.SkipWithError("the rental did not finish with five items");
      break;
    }
    total_opens += opens;
    total_reads += reads;
    total_writes += writes;
    total_syncs += syncs;
    state.PauseTiming();
    for (const auto& f : films) shop->films.write_slot(*shop->films.index().find(f.number()), f);
    shop->members.write_slot(*shop->members.index().find(member), m);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["opens"] = static_cast<double>(total_opens) / n;
  state.counters["reads"] = static_cast<double>(total_reads) / n;
  state.counters["writes"] = static_cast<double>(total_writes) / n;
  state.counters["syncs"] = static_cast<double>(total_syncs) / n;
  shop.reset();
  std::error_code ec;
  fs::remove_all(folder, ec);
}
BENCHMARK(BM_RentFiveItems)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
