// The lists on a large shop (50,000 films, 20,000 members) against one plain sequential read of
// the file they go through: the alphabetical film list sorted into f2.dat with its first page
// shown, the overdue film list paged to its end, and the member file read once by Investigate.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "catalogue/list_screens.h"
#include "catalogue/member_history.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/recording_printer.h"
#include "quiet_operator.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "reports/film_lists.h"
#include "bench_shop.h"
#include "shop_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

// Answers the prompts of one command from a list, and nothing else.
class AnsweringOperator : public bench::QuietOperator {
 public:
  std::deque<std::u16string> answers;
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override {
    if (answers.empty()) return std::nullopt;
    platform::PromptAnswer a{answers.front(), false, {}};
    answers.pop_front();
    return a;
  }
};

// The list window: "More" until the end, or only the first page.
class PagingViews : public catalogue::CatalogueViews {
 public:
  bool first_page_only = false;
  int64_t rows = 0;
  catalogue::MatchChoice offer_film(const records::FilmRecord&) override { return catalogue::MatchChoice::Cancel; }
  catalogue::MatchChoice offer_member(const records::MemberRecord&) override { return catalogue::MatchChoice::Cancel; }
  void show_film(const records::FilmRecord&) override {}
  void show_member(const records::MemberRecord&) override {}
  catalogue::ListAnswer show_list_page(text::u16view, const std::vector<catalogue::ListRow>& page, bool) override {
    rows += static_cast<int64_t>(page.size());
    return first_page_only ? catalogue::ListAnswer::Cancel : catalogue::ListAnswer::More;
  }
  void show_multicopy(const catalogue::MulticopyResult&) override {}
};

class NoHistory : public catalogue::HistoryViews {
 public:
  void show_investigation(const catalogue::Investigation&) override {}
  bool show_transaction(const catalogue::TransactionData&) override { return true; }
};

class BenchScreens : public catalogue::ListScreens {
 public:
  PagingViews views_;
  catalogue::CatalogueViews& views() override { return views_; }
  platform::Progress& progress() override { return progress_; }
  catalogue::HistoryViews& history() override { return history_; }
  platform::Printer& printer() override { return printer_; }
  std::optional<catalogue::TypedRange> number_range() override { return std::nullopt; }

 private:
  platform::NoProgress progress_;
  NoHistory history_;
  platform::RecordingPrinter printer_;
};

using BenchShop = bench::OpenedShop<AnsweringOperator>;

BenchShop& bench_shop() {
  static BenchShop shop;
  return shop;
}

void BM_AlphabeticalFilmListFirstPage(benchmark::State& state) {
  BenchShop& b = bench_shop();
  BenchScreens screens;
  screens.views_.first_page_only = true;
  for (auto _ : state) {
    b.op().answers = {u"A", u"Z"};
    screens.views_.rows = 0;
    reports::list_films_alphabetically(b.shop(), screens);
    if (screens.views_.rows != catalogue::kListRows || b.op().messages != 0) {
      state.SkipWithError("the first page was not shown");
      break;
    }
  }
  state.counters["f2_records"] =
      static_cast<double>(fs::file_size(b.folder() / "f2.dat") / 212);
}
BENCHMARK(BM_AlphabeticalFilmListFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OverdueFilmListAllPages(benchmark::State& state) {
  BenchShop& b = bench_shop();
  BenchScreens screens;
  for (auto _ : state) {
    screens.views_.rows = 0;
    reports::list_overdue_films(b.shop(), screens, reports::OverdueKind::AnyDays);
    if (screens.views_.rows == 0) {
      state.SkipWithError("no overdue film listed");
      break;
    }
  }
  state.counters["rows"] = static_cast<double>(screens.views_.rows);
}
BENCHMARK(BM_OverdueFilmListAllPages)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_InvestigateReadsTheMemberFile(benchmark::State& state) {
  BenchShop& b = bench_shop();
  PagingViews views;
  NoHistory history;
  for (auto _ : state) {
    b.op().answers = {u"1"};
    catalogue::investigate(b.shop(), views, history);
  }
}
BENCHMARK(BM_InvestigateReadsTheMemberFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void read_file(benchmark::State& state, std::string_view name) {
  const fs::path file = bench_shop().folder() / name;
  std::vector<char> buf(1 << 20);
  for (auto _ : state)
    if (bench::read_through(file, buf) < 0) state.SkipWithError("cannot read the generated shop");
}
void BM_ReadFilmFile(benchmark::State& state) { read_file(state, records::files::kFilm); }
BENCHMARK(BM_ReadFilmFile)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_ReadMemberFile(benchmark::State& state) { read_file(state, records::files::kMember); }
BENCHMARK(BM_ReadMemberFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
