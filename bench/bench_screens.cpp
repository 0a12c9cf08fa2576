// How long a clerk waits for each screen on the large generated shop (50,000 films, 20,000
// members): every command of the window is run, offscreen, and the time from the command (or
// from the answer to the screen before) to the next screen shown is taken. Each screen is then
// left with Esc; a member prompt is answered with member 1 so that the member's screens open
// too. Prints the five slowest screens and how many took longer than 50 ms.
#include "records/shop.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/qt/qt_operator.h"
#include "records/sign_on.h"
#include "shop_generator.h"

namespace {

using namespace kelvo;

struct Timing {
  double ms;
  std::string command;
  std::string screen;
};

// Takes the time of each window shown, then leaves it as a clerk backing out would.
class Stopwatch : public QObject {
 public:
  explicit Stopwatch(QWidget* main) : main_(main) { qApp->installEventFilter(this); }
  void start(std::string_view command) {
    command_ = command;
    timer_.restart();
  }
  std::vector<Timing> timings;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (!w->isWindow() || w == main_ || (w->windowType() != Qt::Dialog && w->windowType() != Qt::Window)) return false;
    // A progress window comes up during long work (a print), not as the screen a command opens.
    if (w->objectName() == QLatin1String("progress")) return false;
    timings.push_back(Timing{timer_.nsecsElapsed() / 1e6, std::string(command_),
                             (w->objectName() + " " + w->windowTitle()).toStdString()});
    QPointer<QWidget> shown(w);
    QTimer::singleShot(0, w, [this, shown] {
      if (shown) leave(*shown);
    });
    return false;
  }

 private:
  void leave(QWidget& w) {
    timer_.restart();
    auto* question = w.findChild<QLabel*>("question");
    auto* answer = w.findChild<QLineEdit*>("answer");
    if (question && answer && question->text().contains("Last name") && ++answered_ < 200) {
      answer->setText("1");
      static_cast<QDialog&>(w).accept();
    } else if (auto* m = qobject_cast<QMessageBox*>(&w)) {
      if (m->escapeButton()) m->escapeButton()->click();
      else m->done(0);
    } else if (auto* d = qobject_cast<QDialog*>(&w)) {
      d->reject();
    } else {
      w.close();
    }
  }
  QWidget* main_;
  QElapsedTimer timer_;
  std::string_view command_;
  int answered_ = 0;
};

// Commands that end the run or the session.
bool walked(std::string_view id) {
  return id.substr(0, 9) != "file.exit" && id != "utilities.log_off" && id != "options.restore";
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir shop_dir, pdf_dir;
  qputenv("KELVO_PRINT_TO_PDF", pdf_dir.path().toUtf8());
  bench::generate_shop(shop_dir.path().toStdString(), bench::ShopSize{}, 20240315);
  platform::qt::QtOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop shop(shop_dir.path().toStdString(), op, clock, locale);
  shell::MainWindow window(shop, op);
  Stopwatch watch(&window);
  if (!window.open_shop(32)) return 2;
  records::sign_on(shop, window.access(), 1, u"");
  window.refresh_menus();
  watch.timings.clear();
  for (const shell::Command& c : shell::commands()) {
    if (c.id.empty() || !c.handler || !walked(c.id)) continue;
    watch.start(c.id);
    window.run(c.id);
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &window && w->isVisible()) w->close();
  }
  auto& t = watch.timings;
  std::sort(t.begin(), t.end(), [](const Timing& a, const Timing& b) { return a.ms > b.ms; });
  const auto slow = std::count_if(t.begin(), t.end(), [](const Timing& x) { return x.ms > 50; });
  std::printf("screens shown: %zu, over 50 ms: %ld\n", t.size(), static_cast<long>(slow));
  for (size_t i = 0; i < std::min<size_t>(5, t.size()); ++i)
    std::printf("%8.1f ms  %-32s %s\n", t[i].ms, t[i].command.c_str(), t[i].screen.c_str());
  return 0;
}
