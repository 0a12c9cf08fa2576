// A printed numeric list of every film of the large generated shop (50,000 films) to a PDF file,
// through the Qt printer, the progress window and the page writer the counter uses. Prints the
// time taken and the pages written.
#include "records/shop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/clock.h"
#include "platform/locale.h"
#include "quiet_operator.h"
#include "records/data_opening.h"
#include "reports/film_prints.h"
#include "reports/list_screens_screen.h"
#include "shop_generator.h"

namespace {

using namespace kelvo;

// The "ps2" window answered with every number.
class AllNumbers : public reports::QtListScreens {
 public:
  using QtListScreens::QtListScreens;
  std::optional<catalogue::TypedRange> number_range() override {
    return catalogue::TypedRange{u"1", u"100000000000000000"};
  }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir shop_dir, pdf_dir;
  bench::generate_shop(shop_dir.path().toStdString(), bench::ShopSize{}, 20240315);
  bench::QuietOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop shop(shop_dir.path().toStdString(), op, clock, locale);
  if (!records::open_data(shop, records::OpenMode::CheckOnly)) return 2;
  qputenv("KELVO_PRINT_TO_PDF", pdf_dir.path().toUtf8());
  AllNumbers screens(nullptr, shop);
  QElapsedTimer timer;
  timer.start();
  reports::print_films_from(shop, screens);
  const qint64 ms = timer.elapsed();
  QProcess info;
  info.start("pdfinfo", {pdf_dir.path() + "/QUENDRIX-001.pdf"});
  info.waitForFinished(60000);
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  const auto pages = QRegularExpression("Pages:\\s*(\\d+)").match(out).captured(1);
  std::printf("films: %lld, time: %.1f s, pages: %s, messages: %d\n", static_cast<long long>(shop.films.counts().live),
              ms / 1000.0, pages.toUtf8().constData(), op.messages);
  return 0;
}
