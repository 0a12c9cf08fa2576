// The day's figures on the generated large shop: the status window's counting pass against one
// `cat` of the files it reads, and a printed log of a 100,000-byte lgb4.dat rendered to PDF.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/qt/qt_printer.h"
#include "quiet_operator.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "records/transaction_log.h"
#include "reports/log_print.h"
#include "reports/overview.h"
#include "bench_shop.h"
#include "shop_generator.h"
#include "text/format.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;
using kelvo::bench::QuietOperator;

using bench::shop_folder;

void BM_CatOfTheShopFiles(benchmark::State& state) {
  const std::string cmd = "cat '" + (shop_folder() / "film.dat").string() + "' '" + (shop_folder() / "member.dat").string() +
                          "' '" + (shop_folder() / "mans.dat").string() + "' > /dev/null";
  for (auto _ : state)
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatOfTheShopFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The shop opened once, as the counter holds it while the windows run their counting pass.
template <typename Figures>
void figures_of_open_shop(benchmark::State& state, Figures figures) {
  QuietOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop shop(shop_folder(), op, clock, locale);
  if (!records::open_data(shop, records::OpenMode::CheckOnly)) {
    state.SkipWithError("the generated shop did not open");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(figures(shop));
  if (op.messages != 0) state.SkipWithError("a message came up");
}

void BM_StatusWindowFigures(benchmark::State& state) {
  figures_of_open_shop(state, [](records::Shop& shop) { return reports::status_texts(shop, shop.now()).lines.size(); });
}
BENCHMARK(BM_StatusWindowFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintedOverviewFigures(benchmark::State& state) {
  figures_of_open_shop(state, [](records::Shop& shop) { return reports::overview_lines(shop).size(); });
}
BENCHMARK(BM_PrintedOverviewFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

// A log of rentals and returns as the counter writes them, cut to 100,000 bytes.
void BM_PrintLogOf100000BytesToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  QuietOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop shop(dir.path().toStdString(), op, clock, locale);
  text::u16 log;
  for (int i = 0; log.size() < 50000; ++i)
    log += text::format("\r\n%02d:%02d 07/12/2026  Rental: %d\r\nFilm %d, The Long Goodbye, due 09/12/2026 20:00, 3.50\r\n"
                        "Operator: 3, Associate 3\r\n",
                        {9 + i / 60 % 10, i % 60, 1000 + i, 5000 + i});
  log.resize(50000);
  records::append_log(shop, log);
  platform::qt::QtPrinter printer;
  int n = 0;
  for (auto _ : state) {
    printer.print_to_pdf_file(dir.filePath(QString("log-%1.pdf").arg(n++)));
    if (!reports::print_log(shop, printer, reports::LogPrint::Whole)) state.SkipWithError("nothing printed");
  }
  state.counters["log_bytes"] = static_cast<double>(fs::file_size(shop.path(records::files::kLog)));
}
BENCHMARK(BM_PrintLogOf100000BytesToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
