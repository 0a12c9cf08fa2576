// Returns through the main window and the real screens, worked from the keyboard alone.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "counter/return_screen.h"
#include "platform/qt/qt_operator.h"
#include "gui/window_test.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "records/sign_on.h"
#include "shell/activity_pane.h"

namespace kelvo::counter {
namespace {

using kelvo::testing::at;
using kelvo::testing::Screens;
using namespace kelvo::testing;
using kelvo::testing::SwitchOperator;

class ReturnScreens : public kelvo::testing::WindowTest {
 protected:
  ReturnScreens() {
    given_smith_and_two_films();
    for (int64_t n : {7, 8}) lend(n, 42);
    use_real_dialogs();
  }

  void lend(int64_t item, int64_t member) {
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(shop_, item, f));
    f.set_on_loan_to(member);
    f.set_last_hire(u"10:0005/12/2026");
    f.set_return_date(u"10:0009/12/2026");
    ASSERT_TRUE(records::rewrite_film(shop_, f));
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, member, m));
    const int slot = m.free_loan_slot();
    m.set_on_loan(slot, item);
    m.set_on_loan_rented(slot, u"10:0005/12/2026");
    m.set_on_loan_flag(2);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  int64_t on_loan_to(int64_t item) {
    records::FilmRecord f;
    EXPECT_TRUE(records::read_film(shop_, item, f));
    return f.on_loan_to();
  }

};

TEST_F(ReturnScreens, MemberFirstReturnOfBothItemsByKeyboard) {
  ASSERT_TRUE(opened_);
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "Return");
     auto* q = w.findChild<QLabel*>("question");
     ASSERT_NE(q, nullptr);
     EXPECT_EQ(shown_text(q->text()), "Number / Last name / fragment");
     keys(w, "42");
     key(w, Qt::Key_Return);
   }).then([](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), "RETURN");
      auto* list = w.findChild<QListWidget*>("returnList");
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(w.focusWidget(), list);
      ASSERT_EQ(list->count(), 2);
      EXPECT_EQ(list->item(0)->text(), "7, Gone Fishing    05/12/2026");
      EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
      EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
      EXPECT_EQ(w.findChild<QLineEdit*>("name")->text(), "Mr John Smith");
      EXPECT_EQ(w.findChild<QLineEdit*>("transactionCharge")->text(), "0.00");
      save_picture(w, "return");
      key(w, Qt::Key_Down);
      key(w, Qt::Key_Space);
      EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
      key(w, Qt::Key_Up);
      key(w, Qt::Key_Space);  // off and on again
      key(w, Qt::Key_Space);
      EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
      key(w, Qt::Key_Return);
    }).then([](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), "Return complete");
      auto* cash = w.findChild<QPushButton*>("cashRefund");
      ASSERT_NE(cash, nullptr);
      EXPECT_FALSE(cash->isHidden());  // operator 1
      save_picture(w, "return_complete");
      key(w, Qt::Key_Return);
    });
  window_.run("members.return_items");

  EXPECT_EQ(on_loan_to(7), 0);
  EXPECT_EQ(on_loan_to(8), 0);
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(shop_, 42, m));
  EXPECT_EQ(m.on_loan_flag(), 0);
  EXPECT_EQ(m.previous_items(99), 8);
  const QStringList pane = window_.activity_pane()->lines();
  EXPECT_TRUE(pane.contains("Film: 8, Jaws"));
  EXPECT_TRUE(pane.contains("returned at 14:05"));
  EXPECT_TRUE(pane.contains("Member 42, Smith"));
}

TEST_F(ReturnScreens, BigButtonAsksTheItemAndEscapeOnTheListKeepsTheLoan) {
  ASSERT_TRUE(opened_);
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(shown_text(w.findChild<QLabel*>("question")->text()), "Return item number:");
     keys(w, "8");
     key(w, Qt::Key_Return);
   }).then([](QWidget& w) {
      auto* list = w.findChild<QListWidget*>("returnList");
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->currentRow(), 1);  // the entered item has the cursor
      EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
      key(w, Qt::Key_Escape);
    });
  window_.run("counter.return");
  EXPECT_EQ(on_loan_to(8), 42);
}

}  // namespace
}  // namespace kelvo::counter
