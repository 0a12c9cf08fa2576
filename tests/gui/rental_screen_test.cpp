// A rental through the main window and the real screens, from the keyboard alone: the member
// typed, two items scanned, an empty item prompt, Enter on the RENTAL screen to finish.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "counter/rental_screen.h"
#include "platform/qt/qt_operator.h"
#include "gui/window_test.h"
#include "records/config_layout.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "records/sign_on.h"
#include "shell/activity_pane.h"

namespace kelvo::counter {
namespace {

using namespace kelvo::testing;

namespace cfg = records::cfg;
using kelvo::testing::at;
using kelvo::testing::SwitchOperator;

// Acts on modal screens as they come up: each step waits for the screen it names.
class Screens {
 public:
  using Match = std::function<bool(QWidget&)>;
  using Step = std::function<void(QWidget&)>;
  Screens() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~Screens() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " screen(s) never came up"; }
  Screens& then(Match m, Step s) {
    steps_.push_back({std::move(m), std::move(s)});
    return *this;
  }
  std::vector<QString> seen;

 private:
  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w == last_.data() || steps_.empty()) return;
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      ADD_FAILURE() << "message " << box->windowTitle().toStdString() << ": " << box->text().toStdString();
      box->reject();
      return;
    }
    if (!steps_.front().first(*w)) return;
    last_ = w;
    seen.push_back(w->windowTitle());
    Step s = std::move(steps_.front().second);
    steps_.pop_front();
    // Acted on after this tick: a screen the step opens runs its own loop, in which this
    // timer must keep firing.
    QPointer<QWidget> target = w;
    QTimer::singleShot(0, w, [s, target] {
      if (target) s(*target);
    });
  }
  QTimer timer_;
  std::deque<std::pair<Match, Step>> steps_;
  QPointer<QWidget> last_;
};

Screens::Match prompt(const QString& question) {
  return [question](QWidget& w) {
    auto* l = w.findChild<QLabel*>("question");
    return l && shown_text(l->text()) == question;
  };
}
Screens::Match titled(const QString& title) {
  return [title](QWidget& w) { return w.windowTitle() == title; };
}
Screens::Step type(const QString& typed) {
  return [typed](QWidget& w) {
    QTest::keyClicks(focused(w), typed);
    QTest::keyClick(focused(w), Qt::Key_Return);
  };
}

class RentalScreenTest : public kelvo::testing::WindowTest {
 protected:
  RentalScreenTest() {
    given_smith_and_two_films();
    shop_.config.set_i32(cfg::band_price(1), 250);
    shop_.config.set_i64(cfg::kRentalChargeRule, 1);
    shop_.config.set_i64(cfg::kDefaultRentalDays, 2);
    use_real_dialogs();
  }

};

TEST_F(RentalScreenTest, RentTwoItemsWithTheKeyboardAlone) {
  ASSERT_TRUE(opened_);
  shop_.config.set_i64(cfg::kAutoOfferOff, 0);  // "Automatically offer item on rental" ticked
  QString shown_items, shown_total;
  Screens screens;
  screens.then(prompt("Customer number / Last name / fragment"), type("42"))
      .then(prompt("Film number / title:"), type("7"))
      .then(prompt("Film number / title:"), type("8"))
      .then(prompt("Film number / title:"), type(""))
      .then(titled("RENTAL"),
            [&](QWidget& w) {
              auto* items = w.findChild<QListWidget*>("items");
              for (int i = 0; items && i < items->count(); ++i) shown_items += items->item(i)->text() + ";";
              shown_total = w.findChild<QLineEdit*>("total")->text();
              save_picture(w, "rental");
              QTest::keyClick(focused(w), Qt::Key_Return);
            })
      .then(titled("Cash tendered"), [](QWidget& w) { QTest::keyClick(focused(w), Qt::Key_Escape); });
  window_.run("counter.rent");

  EXPECT_EQ(screens.seen.front(), "Rent");  // the member prompt carries the rental's caption
  EXPECT_EQ(shown_items, "7, Gone Fishing;8, Jaws;");
  EXPECT_EQ(shown_total, "5.00");
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(shop_, 42, m));
  EXPECT_EQ(m.on_loan(0), 7);
  EXPECT_EQ(m.on_loan(1), 8);
  EXPECT_EQ(m.on_loan_due(1), u"14:0509/12/2026");
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 8, f));
  EXPECT_EQ(f.on_loan_to(), 42);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 5.0f);
}

TEST_F(RentalScreenTest, InsertAsksForAnItemAndEscapeCancelsStoringNothing) {
  ASSERT_TRUE(opened_);
  QString listed;
  Screens screens;
  screens.then(prompt("Customer number / Last name / fragment"), type("42"))
      .then(titled("RENTAL"), [](QWidget& w) { QTest::keyClick(focused(w), Qt::Key_Insert); })
      .then(prompt("Film number / title:"), type("7"))
      .then(titled("RENTAL"), [&](QWidget& w) {
        listed = w.findChild<QListWidget*>("items")->item(0)->text();
        QTest::keyClick(focused(w), Qt::Key_Escape);
      });
  window_.run("counter.rent");
  EXPECT_EQ(listed, "7, Gone Fishing");
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 7, f));
  EXPECT_EQ(f.on_loan_to(), 0);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 0.0f);
}

}  // namespace
}  // namespace kelvo::counter
