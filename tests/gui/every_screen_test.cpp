// Every screen the command table can open, opened offscreen as a clerk would reach it and
// checked for the keyboard and for screen readers. A screen added later is walked as soon as
// a command reaches it.
#include "gui/window_test.h"

#include <QTest>
#include <QtWidgets>
#include <functional>
#include <set>

#include "gui/access_check.h"
#include "records/record_files.h"
#include "records/stock_record.h"

namespace kelvo::testing {
namespace {

// Commands that end the run; their screens are walked elsewhere. Logging off is walked: the
// sign-on screen left with Esc keeps the clerk signed on.
const std::set<std::string_view> kNotWalked = {"file.exit", "file.exit_print_report", "file.exit_print_log",
                                               "file.exit_print_both"};

// Answers to the one-line prompts that lead deeper: member 42 and film 7 exist.
const std::vector<std::pair<QString, QString>> kAnswers = {
    {"Number / Last name / fragment", "42"}, {"Customer number / Last name / fragment", "42"},
    {"Find member", "Smith"},  // a name: the matches are offered one at a time
    {"Amend member", "42"}, {"Enter the member number (Enter to find)", "42"},
    {"Enter telephone number", "01632 960 123"}, {"Amend film number / title", "7"},
    {"Sell film number / title", "7"}, {"Find film number / title", "7"},
    {"Please enter film number / title", "7"}, {"Find film by title", "Jaws"}, {"List from number", "1"},
    {"Print stock lines from number", "1"}, {"Enter 1 to import films, 2 to import members", "1"},
    {"Please enter the operator number (1-98)", "1"}, {"Please enter the clerk number (1-30)", "1"},
    {"Film number / title", "7"}, {"Enter the line to amend", "1"}, {"Enter the line to delete", "1"},
    {"Amend (Earliest 01-12-2025)", "07-12-2026"},
};

// Screens gone through rather than left, to reach the screens behind them: what is done on the
// first, second ... time each comes up in one command.
const std::map<QString, std::vector<std::function<void(QWidget&)>>> kGoOn = {
    {"rental", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Insert); }, [](QWidget& w) { click(w, "amend"); },
                [](QWidget& w) { click(w, "finish"); }}},
    {"FIND MEMBER", {[](QWidget& w) { click(w, "ok"); }}},
    {"returnScreen", {[](QWidget& w) { click(w, "return"); }}},
    {"arrearsScreen", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }}},
    {"arrearsOverdueScreen", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }}},
};

// Screens from Qt itself (printing, files) are Qt's to make accessible.
bool from_qt(const QWidget& w) {
  const QString cls = QString::fromLatin1(w.metaObject()->className());
  return cls == "QPrintDialog" || cls == "QFileDialog" || cls == "QPageSetupDialog" || cls == "QColorDialog";
}

// Acts on every modal screen that comes up while one command runs: checks it the first time
// it is seen, then answers a prompt that leads on or leaves with Esc, as a clerk backs out.
class Walker {
 public:
  std::set<std::string> seen, faults;
  Walker() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(5);
  }
  void start() { screens_ = 0, gone_on_.clear(); }
  // Windows that stay open beside the main one (help, logs) are checked and closed.
  void visit_new_windows(const QWidgetList& before, const QWidget& main) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w != &main && !before.contains(w)) visit(*w), w->close();
  }

 private:
  void visit(QWidget& w) {
    if (!seen.insert((w.objectName() + " " + w.windowTitle()).toStdString()).second ||
        qobject_cast<QMessageBox*>(&w) || from_qt(w))
      return;
    QList<QTabWidget*> tabs = w.findChildren<QTabWidget*>();  // each page as the clerk sees it
    tabs.prepend(nullptr);
    for (QTabWidget* t : tabs)
      for (int i = t ? 1 : 0; i < (t ? t->count() : 1); ++i) {
        if (t) t->setCurrentIndex(i);
        for (std::string& p : AccessCheck(w).problems()) faults.insert(std::move(p));
      }
    for (QTabWidget* t : tabs)
      if (t) t->setCurrentIndex(0);
  }

  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || (w == current_.data() && ++waited_ < 60)) return;  // Esc sent: give it time
    if (w == current_.data()) {
      faults.insert(w->objectName().toStdString() + " is not closed by Esc");
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      current_ = nullptr;
      return;
    }
    current_ = w;
    waited_ = 0;
    if (++screens_ <= 12) visit(*w);
    // After this tick: a screen the answer opens runs its own loop, in which this timer must fire.
    QTimer::singleShot(0, w, [this, w] { respond(*w); });
  }

  void respond(QWidget& w) {
    auto* q = w.findChild<QLabel*>("question");
    auto* a = w.findChild<QLineEdit*>("answer");
    for (const auto& [question, text] : kAnswers)
      if (q && a && screens_ <= 12 && label_words(q->text()) == question) {
        a->setText(text);
        return static_cast<QDialog&>(w).accept();
      }
    if (auto it = kGoOn.find(w.objectName()); it != kGoOn.end() && screens_ <= 12) {
      if (const size_t n = gone_on_[w.objectName()]++; n < it->second.size()) {
        current_ = nullptr;  // the screen comes up again when the one it opens is done
        return it->second[n](w);
      }
    }
    if (auto* m = qobject_cast<QMessageBox*>(&w)) {  // leave by its way out; a box with none is confirmed
      if (m->escapeButton()) m->escapeButton()->click();
      else if (auto* no = m->button(QMessageBox::No)) no->click();
      else m->done(0);
      return;
    }
    QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Escape);
  }

  QTimer timer_;
  QPointer<QWidget> current_;
  int waited_ = 0, screens_ = 0;
  std::map<QString, size_t> gone_on_;
};

// Film 8 out to member 42, who owes 2.50, and stock line 1: the return, arrears and stock
// screens have something to show.
class EveryScreen : public WindowTest {
 protected:
  void SetUp() override {
    qputenv("KELVO_PRINT_TO_PDF", QByteArray::fromStdString((folder_ / "prints").string()));
    given_smith_and_two_films();
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(shop_, 8, f));
    f.set_on_loan_to(42);
    f.set_last_hire(u"10:0005/12/2026");
    f.set_return_date(u"10:0006/12/2026");
    ASSERT_TRUE(records::rewrite_film(shop_, f));
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, 42, m));
    m.set_on_loan(0, 8);
    m.set_on_loan_rented(0, u"10:0005/12/2026");
    m.set_on_loan_flag(2);
    m.set_owed(2.5f);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
    records::StockRecord line;
    line.set_number(1);
    line.set_description(u"Popcorn");
    ASSERT_TRUE(records::add_stock(shop_, line));
    use_real_dialogs();
  }
  ~EveryScreen() override { qunsetenv("KELVO_PRINT_TO_PDF"); }
};

TEST_F(EveryScreen, EachScreenIsNamedKeyedAndWholeForTheKeyboardAndScreenReaders) {
  ASSERT_TRUE(opened_);
  Walker walker;
  for (const shell::Command& c : shell::commands()) {
    if (c.id.empty() || !c.handler || kNotWalked.count(c.id)) continue;
    const QWidgetList before = QApplication::topLevelWidgets();
    walker.start();
    window_.run(c.id);
    walker.visit_new_windows(before, window_);
  }
  std::string report;
  for (const std::string& p : walker.faults) report += p + "\n";
  EXPECT_EQ(report, "");
  EXPECT_GT(walker.seen.size(), 60u) << "fewer screens reached than the commands open";
}

}  // namespace
}  // namespace kelvo::testing
