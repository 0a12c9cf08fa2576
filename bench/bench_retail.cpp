// The stock side on a large generated shop: the commit of a 200-unit sale over 20 lines, and
// the Sale screen's list of every stock line, with the file operations each costs. The stock
// file is made larger on purpose in the second run of each: the counts must not follow it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "counter/payment.h"
#include "counter/sale_basket.h"
#include "counter/stock_sale.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "io_counting.h"
#include "quiet_operator.h"
#include "shop_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

struct BenchShop {
  explicit BenchShop(int stock_lines) {
    char pattern[] = "/tmp/kelvo-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    folder = pattern;
    bench::ShopSize size;
    size.stock = stock_lines;
    bench::generate_shop(folder, size, 20240315);
    shop = std::make_unique<records::Shop>(folder, op, clock, locale);
    if (!records::open_data(*shop, records::OpenMode::CheckOnly)) std::abort();
  }
  ~BenchShop() {
    shop.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  fs::path folder;
  bench::QuietOperator op;
  platform::FixedClock clock{bench::generated_shop_day()};
  platform::EnglishLocale locale;
  std::unique_ptr<records::Shop> shop;
};

void report(benchmark::State& state, long o, long r, long w, long s) {
  const double n = static_cast<double>(state.iterations());
  state.counters["opens"] = static_cast<double>(o) / n;
  state.counters["reads"] = static_cast<double>(r) / n;
  state.counters["writes"] = static_cast<double>(w) / n;
  state.counters["syncs"] = static_cast<double>(s) / n;
}

// 20 lines from across the file, 10 units of each; every iteration puts them back.
void BM_CommitSaleOf200Units(benchmark::State& state) {
  BenchShop b(static_cast<int>(state.range(0)));
  records::Shop& shop = *b.shop;
  std::vector<records::StockRecord> lines;
  const auto& entries = shop.stock.index().entries();
  const size_t step = entries.size() / 25 + 1;
  for (size_t i = 0; i < entries.size() && lines.size() < 20; i += step) {
    records::StockRecord r;
    if (entries[i].number <= 0 || shop.stock.read_slot(entries[i].slot, r) != records::ReadResult::Ok) continue;
    if (r.quantity() < 10) {
      r.set_quantity(50);
      shop.stock.write_slot(entries[i].slot, r);
    }
    lines.push_back(r);
  }
  if (lines.size() < 20) {
    state.SkipWithError("too few stock lines");
    return;
  }
  counter::NoTill till;
  long o = 0, r = 0, w = 0, s = 0;
  for (auto _ : state) {
    state.PauseTiming();
    counter::SaleBasket basket(shop, till);
    for (const auto& l : lines)
      for (int k = 0; k < 5; ++k) basket.add(l.number(), 2);
    if (basket.units() != 200 || b.op.messages != 0) {
      state.SkipWithError("the basket did not take 200 units");
      break;
    }
    opens = reads = writes = syncs = 0;
    counting = true;
    state.ResumeTiming();
    const bool sold = counter::commit_stock_sale(shop, basket);
    state.PauseTiming();
    counting = false;
    if (!sold) {
      state.SkipWithError("the sale was refused");
      break;
    }
    o += opens, r += reads, w += writes, s += syncs;
    for (const auto& l : lines) shop.stock.write_slot(*shop.stock.index().find(l.number()), l);
    state.ResumeTiming();
  }
  report(state, o, r, w, s);
  state.counters["lines"] = 20;
  state.counters["mans.dat records"] = static_cast<double>(shop.stock.counts().total);
}
BENCHMARK(BM_CommitSaleOf200Units)->Arg(300)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaleListOfEveryLine(benchmark::State& state) {
  BenchShop b(static_cast<int>(state.range(0)));
  long o = 0, r = 0, w = 0, s = 0;
  size_t rows = 0;
  for (auto _ : state) {
    opens = reads = writes = syncs = 0;
    counting = true;
    rows = counter::stock_list(*b.shop).size();
    counting = false;
    o += opens, r += reads, w += writes, s += syncs;
  }
  report(state, o, r, w, s);
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["mans.dat bytes"] = static_cast<double>(fs::file_size(b.folder / "mans.dat"));
}
BENCHMARK(BM_SaleListOfEveryLine)->Arg(300)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
