// The lists, prints, reservations and member history through the main window and the real
// dialogs: the list window's 13 rows and "More", a print to PDF read back, the "Add
// reservation" and "Investigate member" screens.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "catalogue/reservation_day.h"
#include "gui/window_test.h"
#include "platform/qt/qt_progress.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo {
namespace {

using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;

QString cell(QWidget& w, int row, int column) {
  auto* t = child<QTableWidget>(w, "rows");
  return t && t->item(row, column) ? t->item(row, column)->text() : QString();
}

int progress_windows(bool visible_only) {
  int n = 0;
  for (QWidget* w : QApplication::allWidgets())
    if (w->objectName() == "progress" && (!visible_only || w->isVisible())) ++n;
  return n;
}

QString run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

class ListScreens : public kelvo::testing::WindowTest {
 protected:
  void given_films(int count) {
    for (int64_t n = 1; n <= count; ++n) {
      records::FilmRecord f;
      f.set_number(n);
      f.set_title(text::format("Film number %d", {n}));
      f.set_charge_band(1);
      f.set_category(u"ACT");
      ASSERT_TRUE(records::add_film(shop_, f));
    }
  }
  void given_member(int64_t number, std::u16string name, std::u16string telephone) {
    records::MemberRecord m;
    m.set_number(number);
    m.set_name(name);
    m.set_initial(u"Ann");
    m.set_road(u"1 High Street");
    m.set_category(1);
    ASSERT_TRUE(records::add_member(shop_, m));
    ASSERT_TRUE(records::read_member(shop_, number, m));
    m.set_telephone1(telephone);
    m.set_previous_items(99, 1);
    m.set_previous_rented(99, u"10:0001/12/2026");
    m.set_previous_returned(99, u"12:0003/12/2026");
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
};

TEST_F(ListScreens, FilmListPagesThirteenRowsWithMore) {
  given_films(15);
  use_real_dialogs();
  Screens s;
  s.then(answer("List from number:", "1"))
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Film list");
        EXPECT_EQ(cell(w, 0, 0), "1");
        EXPECT_EQ(cell(w, 12, 1), "Film number 13");
        EXPECT_EQ(cell(w, 0, 3), ", , 0.00");
        EXPECT_TRUE(child<QPushButton>(w, "more")->isEnabled());
        w.resize(1024, 768);
        save_picture(w, "list_window");
        click(w, "more");
      })
      .then([](QWidget& w) {
        EXPECT_EQ(cell(w, 0, 0), "14");
        EXPECT_EQ(cell(w, 1, 0), "15");
        EXPECT_EQ(cell(w, 2, 0), "");
        EXPECT_FALSE(child<QPushButton>(w, "more")->isEnabled());
        click(w, "cancel");
      })
      .then(box("Problem", "No items on record."));
  window_.run("films.list_from");
  window_.run("films.list_active");
}

// No progress window shows over a list window while it is looked at, and none is left behind.
TEST_F(ListScreens, ListWindowsAreNotCoveredByAProgressWindow) {
  given_films(8);
  given_member(1, u"Smith", u"0114");
  given_member(2, u"Jones", u"0115");
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 2, f));
  f.set_on_loan_to(1);
  f.set_last_hire(u"10:0007/12/2026");
  f.set_return_date(u"20:0004/12/2026");
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(shop_, 2, m));
  m.set_owed(3.5f);
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  use_real_dialogs();
  const std::tuple<const char*, std::vector<std::pair<QString, QString>>, QString> cases[] = {
      {"films.list_from", {{"List from number:", "1"}}, "Film list"},
      {"films.list_alpha", {{"Enter the start character:", "A"}, {"Enter the end character:", "Z"}},
       "Alphabetical film list"},
      {"films.list_active", {}, "Films active"},
      {"films.list_overdue", {}, "Overdue items"},
      {"films.list_rented_today", {}, "Films rented today"},
      {"members.list_from", {{"List from number:", "1"}}, "Member list"},
      {"members.list_owe", {}, "Members with non zero credit"},
  };
  for (const auto& [command, prompts, title] : cases) {
    SCOPED_TRACE(command);
    Screens s;
    for (const auto& [question, typed] : prompts) s.then(answer(question, typed));
    s.then([&, title = title](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), title);
      QTest::qWait(platform::qt::QtProgress::kShowAfterMs + 300);
      EXPECT_EQ(progress_windows(true), 0);
      EXPECT_EQ(QApplication::activeModalWidget(), &w);
      click(w, "cancel");
    });
    // Run from an event loop, as a menu runs it: work left for later is not done by the list's loop.
    QEventLoop menu;
    QTimer::singleShot(0, [&, c = command] { window_.run(c); menu.quit(); });
    menu.exec();
    EXPECT_EQ(progress_windows(false), 0);
  }
}

// A pass stepping every 10 ms: the window comes up only after half a second, goes when the pass
// ends; its Cancel stops the pass.
TEST_F(ListScreens, ProgressWindowShowsOnlyWhileALongPassRuns) {
  using Case = std::tuple<int, bool, bool>;  // pass length, window shown, cancelled
  for (const auto& [pass_ms, window, cancel] :
       {Case{100, false, false}, Case{1200, true, false}, Case{1200, true, true}}) {
    SCOPED_TRACE(::testing::Message() << pass_ms << (cancel ? " ms, cancelled" : " ms"));
    platform::qt::QtProgress progress(&window_);
    QElapsedTimer clock;
    qint64 shown_at = -1;
    Screens s;
    if (window)
      s.then([&, cancel = cancel](QWidget& w) {
        shown_at = clock.elapsed();
        EXPECT_EQ(w.windowTitle(), "Please wait");
        EXPECT_EQ(static_cast<QProgressDialog&>(w).labelText(), "Reading");
        if (cancel) w.findChild<QPushButton*>()->click();
      });
    clock.start();
    bool completed = true;
    while (clock.elapsed() < pass_ms && (completed = progress.step(u"Reading", clock.elapsed(), pass_ms)))
      QThread::msleep(10);
    const bool up_at_end = progress_windows(true) == 1;
    progress.finish();
    EXPECT_EQ(completed, !cancel);
    EXPECT_EQ(up_at_end, window && !cancel);
    EXPECT_TRUE(!window || shown_at > platform::qt::QtProgress::kShowAfterMs) << shown_at;
    EXPECT_TRUE(!cancel || clock.elapsed() < pass_ms) << "Cancel stopped the pass";
    EXPECT_EQ(progress_windows(false), 0);
  }
}

TEST_F(ListScreens, NumericFilmListPrintedToPdf) {
  given_films(120);
  shop_.config.set_i64(records::cfg::kListFontSize, 60);
  QTemporaryDir folder;
  qputenv("KELVO_PRINT_TO_PDF", folder.path().toUtf8());
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.objectName(), "ps2");
    w.resize(1024, 768);
    save_picture(w, "number_range");
    static_cast<QDialog&>(w).accept();
  });
  window_.run("films.print_from");
  qunsetenv("KELVO_PRINT_TO_PDF");
  QStringList pages = run("pdftotext", {"-layout", folder.path() + "/QUENDRIX-001.pdf", "-"}).split(QChar('\f'));
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  // 60 lines to a page: the heading, a blank line and 57 films.
  ASSERT_EQ(pages.size(), 3);
  EXPECT_TRUE(pages[0].contains(QRegularExpression("TARKWELL SYSTEM Numeric film list: December 7 2026 +Page: 1")));
  EXPECT_TRUE(pages[2].contains(QRegularExpression("Page: 3")));
  EXPECT_TRUE(pages[0].contains(QRegularExpression("\\n1 +Film number 1 +ACT +0\\.00")));
  EXPECT_TRUE(pages[2].contains("Film number 120"));
  EXPECT_TRUE(pages[2].contains("End output."));
}

TEST_F(ListScreens, AddReservationTodayThroughItsScreen) {
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(child<QLabel>(w, "date")->text(), "Mon 7 Dec 26");
     child<QLineEdit>(w, "member")->setText("Ann Smith");
     child<QLineEdit>(w, "item")->setText("Jaws");
     click(w, "next");
     EXPECT_EQ(child<QComboBox>(w, "by_item")->itemText(0), "Jaws (by: Ann Smith)");
     EXPECT_TRUE(child<QLineEdit>(w, "member")->text().isEmpty());
     child<QLineEdit>(w, "member")->setText("Bob");
     child<QLineEdit>(w, "item")->setText("Alien");
     w.resize(1024, 768);
     save_picture(w, "add_reservation");
     click(w, "add_and_finish");
   });
  window_.run("reservations.add_today");
  catalogue::ReservationDay day;
  ASSERT_EQ(records::read_at(shop_.path(records::files::kReservations), 0, day.data(), day.kSize),
            static_cast<long long>(day.kSize));
  EXPECT_EQ(day.count(), 2);
  EXPECT_EQ(day.item(1), u"Alien");
}

TEST_F(ListScreens, InvestigateShowsTheMembersWhoShareATelephone) {
  given_films(1);
  given_member(1, u"Smith", u"0114");
  given_member(2, u"Jones", u"0114 2233");
  use_real_dialogs();
  Screens s;
  s.then(answer("Number / Last name / fragment", "1")).then([](QWidget& w) {
    EXPECT_EQ(w.objectName(), "investigate_member");
    EXPECT_EQ(child<QLabel>(w, "heading")->text(), "1,  Ann Smith");
    EXPECT_EQ(child<QComboBox>(w, "same_telephone")->currentText(), "2, Jones: 0114 2233");
    EXPECT_EQ(child<QTableWidget>(w, "recent")->item(0, 0)->text(), "1 Film number 1");
    w.resize(1024, 768);
    save_picture(w, "investigate_member");
    static_cast<QDialog&>(w).accept();
  });
  window_.run("members.investigate");
}

TEST_F(ListScreens, TransactionDataShowsTheItemsOnLoan) {
  given_films(2);
  given_member(1, u"Smith", u"0114");
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 2, f));
  f.set_on_loan_to(1);
  f.set_last_hire(u"10:0001/12/2026");
  f.set_return_date(u"20:0004/12/2026");
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(shop_, 1, m));
  m.set_on_loan(0, 2);
  m.refresh_on_loan_flag();
  m.set_transaction(u"815");
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  use_real_dialogs();
  Screens s;
  s.then(answer("Number / Last name / fragment", "1")).then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Transaction: 815");
    EXPECT_EQ(child<QListWidget>(w, "on_loan")->item(0)->text(), "2, Film number 2    Tue 1 Dec 26    Fri 4 Dec 26");
    w.resize(1024, 768);
    save_picture(w, "transaction");
    static_cast<QDialog&>(w).reject();
  });
  window_.run("members.transaction_data");
}

}  // namespace
}  // namespace kelvo
