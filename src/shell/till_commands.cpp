// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/till_commands.h"

#include <QObject>
#include <QPointer>

#include "platform/qt/qt_printer.h"
#include "reports/receipts_page_screen.h"
#include "shell/main_window.h"
#include "till/bands_page_screen.h"
#include "till/configuration_screen.h"
#include "till/cups_spooler.h"
#include "till/drawer_page_screen.h"
#include "till/general_page_screen.h"
#include "till/pole_page_screen.h"
#include "till/till_worker.h"

namespace kelvo::shell {

namespace {

// The worker's messages, shown on the window's thread through the shop's operator. Posted to
// the holder, so a message still on its way when the window closes is dropped with it.
class WindowSink : public till::TillSink {
 public:
  WindowSink(QObject* holder, platform::Operator& op) : holder_(holder), op_(op) {}
  void problem(text::u16view t) override {
    QMetaObject::invokeMethod(holder_, [op = &op_, text = text::u16(t)] { platform::problem(*op, text); },
                              Qt::QueuedConnection);
  }

 private:
  QObject* holder_;
  platform::Operator& op_;
};

class TillHolder : public QObject {
 public:
  explicit TillHolder(MainWindow& w)
      : QObject(&w), sink(this, w.shop().op()), worker(sink), device(w.shop().config, worker, spooler) {
    setObjectName(QStringLiteral("till"));
  }
  // The worker is stopped before the sink and spooler it uses go.
  ~TillHolder() override = default;
  WindowSink sink;
  till::CupsSpooler spooler;
  till::TillWorker worker;
  till::DeviceTill device;
};

TillHolder& holder(MainWindow& w) {
  auto* h = w.findChild<TillHolder*>(QStringLiteral("till"), Qt::FindDirectChildrenOnly);
  if (!h) h = new TillHolder(w);
  return *h;
}

}  // namespace

counter::Till& till(MainWindow& w) { return holder(w).device; }
void wait_for_till(MainWindow& w) { holder(w).worker.wait_idle(); }

namespace till_commands {

void open_drawer(MainWindow& w) { till(w).open_drawer(); }

void configuration(MainWindow& w) {
  records::ConfigBlock& config = w.shop().config;
  till::DeviceTill* device = &holder(w).device;
  auto* general = new till::GeneralPage(config);
  auto* bands = new till::BandsPage(config);
  platform::qt::QtPrinter printer(&w);  // the receipt printer list
  auto* receipts = new reports::ReceiptsPage(w.shop(), printer, nullptr);
  auto* drawer = new till::DrawerPage(config);
  auto* pole = new till::PolePage(config, [device](const till::PoleSetup& p) { device->show_passive(p); });
  till::ConfigurationScreen screen({{QStringLiteral("General"), general, [general] { general->apply(); }},
                                    {QStringLiteral("Bands"), bands, [bands] { bands->apply(); }},
                                    {QStringLiteral("Receipts"), receipts, [receipts] { receipts->apply(); }},
                                    {QStringLiteral("Till configuration"), drawer, [drawer] { drawer->apply(); }},
                                    {QStringLiteral("Pole configuration"), pole, [pole] { pole->apply(); }}},
                                   &w);
  if (screen.exec() != QDialog::Accepted) return;
  screen.apply_pages();
  w.shop().save_config();
  w.refresh_menus();
}

}  // namespace till_commands
}  // namespace kelvo::shell
