// Title and member name searches on a large shop when nothing matches, against one plain
// sequential read of the file searched: the prefix tables should keep a search that no prefix
// admits far below the read, and a search that reads every admitted record near it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "catalogue/film_find.h"
#include "catalogue/member_find.h"
#include "catalogue/multicopy.h"
#include "catalogue/search_text.h"
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

// Any offer is a failure of the benchmark's premise: nothing may match.
class NoViews : public catalogue::CatalogueViews {
 public:
  catalogue::MatchChoice offer_film(const records::FilmRecord&) override { return offered(); }
  catalogue::MatchChoice offer_member(const records::MemberRecord&) override { return offered(); }
  void show_film(const records::FilmRecord&) override {}
  void show_member(const records::MemberRecord&) override {}
  catalogue::ListAnswer show_list_page(text::u16view, const std::vector<catalogue::ListRow>&, bool) override {
    return catalogue::ListAnswer::Cancel;
  }
  void show_multicopy(const catalogue::MulticopyResult&) override {}
  int offers = 0;

 private:
  catalogue::MatchChoice offered() {
    ++offers;
    return catalogue::MatchChoice::Cancel;
  }
};

using BenchShop = bench::OpenedShop<QuietOperator>;

BenchShop& bench_shop() {
  static BenchShop shop;
  return shop;
}

template <typename Search>
void run_search(benchmark::State& state, Search search) {
  BenchShop& b = bench_shop();
  NoViews views;
  for (auto _ : state) {
    b.op().messages = 0;
    const int64_t found = search(b.shop(), views);
    if (found != 0 || views.offers != 0 || b.op().messages != 1) {
      state.SkipWithError("the search was meant to find nothing");
      break;
    }
  }
}

// No title of the generated shop starts with "Zz": only the prefix table is walked.
void BM_TitleSearchNoPrefix(benchmark::State& state) {
  const auto text = catalogue::make_search(u"Zzyzx", false, catalogue::kTitleSearchLimit);
  run_search(state, [&](records::Shop& s, NoViews& v) { return catalogue::title_search(s, v, text); });
}
BENCHMARK(BM_TitleSearchNoPrefix)->Unit(benchmark::kMillisecond)->UseRealTime();

// About two titles in five start with "The ": each of those is read and refused.
void BM_TitleSearchPrefixAdmits(benchmark::State& state) {
  const auto text = catalogue::make_search(u"The Zebra", false, catalogue::kTitleSearchLimit);
  run_search(state, [&](records::Shop& s, NoViews& v) { return catalogue::title_search(s, v, text); });
}
BENCHMARK(BM_TitleSearchPrefixAdmits)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NameSearchNoPrefix(benchmark::State& state) {
  const auto text = catalogue::make_search(u"Zzyzx", false, catalogue::kNameSearchLimit);
  run_search(state, [&](records::Shop& s, NoViews& v) { return catalogue::name_search(s, v, text, u""); });
}
BENCHMARK(BM_NameSearchNoPrefix)->Unit(benchmark::kMillisecond)->UseRealTime();

// One last name in twenty is "Jones": those members are read and refused.
void BM_NameSearchPrefixAdmits(benchmark::State& state) {
  const auto text = catalogue::make_search(u"Jonesy", false, catalogue::kNameSearchLimit);
  run_search(state, [&](records::Shop& s, NoViews& v) { return catalogue::name_search(s, v, text, u""); });
}
BENCHMARK(BM_NameSearchPrefixAdmits)->Unit(benchmark::kMillisecond)->UseRealTime();

void read_file(benchmark::State& state, std::string_view name) {
  const fs::path file = bench_shop().folder() / name;
  std::vector<char> buf(1 << 20);
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = bench::read_through(file, buf);
    if (bytes < 0) {
      state.SkipWithError("cannot read the generated shop");
      return;
    }
  }
  state.SetBytesProcessed(bytes * static_cast<int64_t>(state.iterations()));
}
void BM_ReadFilmFile(benchmark::State& state) { read_file(state, records::files::kFilm); }
BENCHMARK(BM_ReadFilmFile)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_ReadMemberFile(benchmark::State& state) { read_file(state, records::files::kMember); }
BENCHMARK(BM_ReadMemberFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
