// The long prints on a generated shop: a mail merge to every one of 20,000 members and 1,000
// Code 39 labels, each rendered to a PDF file. Prints pages, time and how far the resident
// memory moved during each run (pages are streamed to the file, not held).
#include <QApplication>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/qt/qt_printer.h"
#include "quiet_operator.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "reports/barcode_labels.h"
#include "reports/mail_merge.h"
#include "shop_generator.h"

namespace {

using namespace kelvo;

long resident_kib() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

// Samples the resident memory as the run goes: the lowest and highest after the first tenth.
class MemoryWatch : public platform::Progress {
 public:
  bool step(text::u16view, int64_t done, int64_t total) override {
    if (total > 0 && done * 10 < total) return true;
    const long now = resident_kib();
    low = low == 0 ? now : std::min(low, now);
    high = std::max(high, now);
    return true;
  }
  long low = 0, high = 0;
};

template <class Run>
void timed(const char* what, const QString& pdf, Run run) {
  MemoryWatch watch;
  const auto t0 = std::chrono::steady_clock::now();
  const long long pages = run(watch);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("%-34s %6lld pages  %7.1f s  %6.1f MB PDF  memory %ld..%ld KiB during the run\n", what, pages,
              seconds, QFileInfo(pdf).size() / 1e6, watch.low, watch.high);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  char pattern[] = "/tmp/kelvo-prints-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::filesystem::path folder = pattern;
  bench::generate_shop(folder, bench::ShopSize{.films = 2000, .members = 20000, .stock = 10}, 20240315);

  bench::QuietOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop shop(folder, op, clock, locale);
  if (!records::open_data(shop)) return 1;

  platform::qt::QtPrinter printer;
  const QString merge_pdf = QString::fromStdString((folder / "merge.pdf").string());
  printer.print_to_pdf_file(merge_pdf);
  timed("Mail merge, All, 20,000 members", merge_pdf, [&](platform::Progress& watch) {
    printer.begin(u"QUENDRIX", {});
    reports::MailMerge merge{.start_member = 1, .end_member = 100000000000000000,
                             .body = u"Our shop is moving next month.\r\nEvery member is welcome at the new address."};
    const auto run = reports::print_mail_merge(printer, shop, merge, watch);
    printer.end();
    return run.pages;
  });

  const QString labels_pdf = QString::fromStdString((folder / "labels.pdf").string());
  printer.print_to_pdf_file(labels_pdf);
  timed("Code 39 labels, 1,000 values", labels_pdf, [&](platform::Progress& watch) {
    printer.begin(u"QUENDRIX", {});
    reports::LabelSettings s;
    s.source = reports::LabelSource::AllValues;
    s.start = 100001;
    s.finish = 101000;
    const auto run = reports::print_labels(printer, shop, s, watch);
    printer.end();
    return static_cast<long long>(run.pages);
  });
  std::printf("messages: %d\n", op.messages);
  std::filesystem::remove_all(folder);
  return 0;
}
