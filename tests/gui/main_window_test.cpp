#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QStatusBar>
#include <QWidgetAction>
#include <thread>

#include <gtest/gtest.h>

#include "platform/qt/qt_operator.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/sign_on.h"
#include "records/settings_rules.h"
#include "shell/activity_pane.h"
#include "shell/app_lifecycle.h"
#include "shell/clock_widget.h"
#include "shell/splash.h"
#include "shell/tip_of_day.h"
#include "support/scripted_operator.h"

namespace kelvo::shell {
namespace {

namespace cfg = records::cfg;
using kelvo::testing::at;

QStringList menu_texts(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text().section('\t', 0, 0));
  return out;
}

QMenu* top_menu(QMainWindow& w, const QString& title) {
  for (QAction* a : w.menuBar()->actions())
    if (a->text() == title) return a->menu();
  return nullptr;
}

std::string log_text(const records::Shop& shop) {
  auto bytes = records::read_whole(shop.path(records::files::kLog));
  if (!bytes) return {};
  std::u16string s(bytes->size() / 2, u'\0');
  std::memcpy(s.data(), bytes->data(), s.size() * 2);
  return text::to_utf8(s);
}

// A fresh shop folder with the main window opened on it, as the program starts it.
class MainWindowTest : public kelvo::testing::ShopTest {
 protected:
  MainWindowTest() : window_(shop_, qt_op_) { opened_ = window_.open_shop(32); }

  void sign_on(int64_t n) {
    ASSERT_TRUE(records::sign_on(shop_, window_.access(), n, u""));
    window_.refresh_menus();
  }
  bool enabled(const char* id) { return window_.action(id)->isEnabled(); }
  void press(int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&window_, &e);
  }

  platform::qt::QtOperator qt_op_;
  MainWindow window_;
  bool opened_ = false;
};

TEST_F(MainWindowTest, FirstStartMakesTheShopAndShowsTheStartLines) {
  ASSERT_TRUE(opened_);
  EXPECT_EQ(window_.windowTitle(), "QUENDRIX");
  for (auto name : {"film.dat", "member.dat", "mans.dat", "wr.cfg", "resn.dat", "lgb4.dat"})
    EXPECT_TRUE(std::filesystem::exists(folder_ / name)) << name;
  EXPECT_EQ(records::file_size(folder_ / "wr.cfg"), cfg::kSize);
  EXPECT_NE(log_text(shop_).find("  Switched on.\r\n"), std::string::npos);

  const QStringList& lines = window_.activity_pane()->lines();
  ASSERT_GE(lines.size(), 20);
  EXPECT_EQ(lines[0], "Session start:");
  EXPECT_EQ(lines[1], "  ");
  EXPECT_TRUE(lines.contains("Display mode: True color"));
  EXPECT_TRUE(lines.contains("Return deadline: 20:00"));
  EXPECT_EQ(window_.statusBar()->currentMessage(), "Ready");
}

TEST_F(MainWindowTest, MenusFollowTheCommandTable) {
  QStringList tops;
  for (QAction* a : window_.menuBar()->actions()) tops << a->text();
  EXPECT_EQ(tops, QStringList({"&File", "F&ilms", "&Members", "&Reservations", "Re&tail", "Re&ports", "&Activity",
                               "&Options", "&Utilities", "&Help"}));
  EXPECT_EQ(menu_texts(top_menu(window_, "&File")),
            QStringList({"&List font size", "&Indent listings", "&New searches", "-", "Email &setup", "Email &report",
                         "Email the &day log", "-", "&Update items from file", "-", "Exit - &print report",
                         "Exit - print &log", "Exit - print report + lo&g", "E&xit"}));
  EXPECT_EQ(menu_texts(top_menu(window_, "&Reservations")),
            QStringList({"&Add", "Add &today", "&List", "&Print", "A&mend", "&Delete", "-", "&Notify on return"}));
  EXPECT_EQ(window_.action("file.exit")->text(), "E&xit\tAlt+X");
  // Takings shows F11, which nonetheless signs off.
  EXPECT_EQ(window_.action("reports.takings")->text(), "&Takings\tF11");
  EXPECT_EQ(window_.action("members.by_address")->text(), "&By address");
  EXPECT_TRUE(window_.action("file.new_searches")->isChecked());
}

TEST_F(MainWindowTest, ToolbarHasTwentyButtonsWithTheirTooltips) {
  auto* bar = window_.findChild<QToolBar*>("toolbar");
  ASSERT_NE(bar, nullptr);
  QStringList tips;
  for (QAction* a : bar->actions())
    if (!a->toolTip().isEmpty() && !qobject_cast<QWidgetAction*>(a)) tips << a->toolTip();
  ASSERT_EQ(tips.size(), 20);
  EXPECT_EQ(tips.first(), "Add new inventory item");
  EXPECT_EQ(tips[1], "Display overdue items (extended)");
  EXPECT_EQ(tips[18], "Log off (F11)");
  EXPECT_EQ(tips.last(), "Backup");
}

TEST_F(MainWindowTest, RestrictedOperatorSeesGuardedItemsGreyed) {
  sign_on(1);
  EXPECT_TRUE(enabled("utilities.password_control"));
  EXPECT_TRUE(enabled("activity.purge_logs"));
  EXPECT_TRUE(enabled("utilities.file_reset"));
  EXPECT_TRUE(enabled("tool:utilities.log_off"));

  sign_on(5);
  EXPECT_FALSE(enabled("utilities.password_control"));
  EXPECT_FALSE(enabled("utilities.operator_setup"));
  EXPECT_FALSE(enabled("utilities.import"));
  EXPECT_FALSE(enabled("activity.purge_logs"));  // "Purge log files" restricted on a new shop
  EXPECT_FALSE(enabled("utilities.file_reset"));
  EXPECT_TRUE(enabled("utilities.log_off"));
  EXPECT_TRUE(enabled("file.indent_listings"));

  // Opening the flag lets operator 5 in; ^P still asks for the administrator.
  records::set_restricted(shop_.config, records::Flag::PurgeLogFiles, false);
  window_.refresh_menus();
  EXPECT_TRUE(enabled("activity.purge_logs"));
  window_.run("utilities.password_control");
  EXPECT_TRUE(op_.saw("Restricted access", "Administrator or manager"));
}

TEST_F(MainWindowTest, CommandsNotYetBuiltAreGreyedForEveryone) {
  sign_on(1);
  for (std::string_view id : not_yet_wired()) EXPECT_FALSE(window_.action(id)->isEnabled()) << id;
  EXPECT_TRUE(enabled("help.about"));
}

TEST(ActivityPane, KeepsNinetyNineLinesOfNinetyNineCharacters) {
  ActivityPane pane;
  for (int i = 1; i <= 99; ++i) pane.append_line(QString("line %1").arg(i));
  EXPECT_EQ(pane.lines().size(), 99);
  EXPECT_EQ(pane.lines().first(), "line 1");
  pane.append_line(QString(120, 'x'));
  ASSERT_EQ(pane.lines().size(), 99);
  EXPECT_EQ(pane.lines().first(), "line 2");
  EXPECT_EQ(pane.lines().last().size(), 99);
  EXPECT_EQ(pane.document()->blockCount(), 99);
  pane.append_line("two\r\nlines");
  EXPECT_EQ(pane.lines().last(), "two lines");
}

TEST_F(MainWindowTest, ActivityLinesFromAWorkerThreadArriveOnTheGuiThread) {
  qt_op_.set_activity_sink([this](const QString& s) { window_.activity_pane()->append_line(s); });
  std::thread worker([this] { qt_op_.activity(u"Mail sent"); });
  worker.join();
  EXPECT_NE(window_.activity_pane()->lines().last(), "Mail sent");  // queued, not yet shown
  QCoreApplication::processEvents();
  EXPECT_EQ(window_.activity_pane()->lines().last(), "Mail sent");
}

TEST_F(MainWindowTest, IndentListingsRefusesOutOfRangeAndClearsTheMarkOnZero) {
  op_.texts = {u"41", u"12", u"0"};
  window_.run("file.indent_listings");
  EXPECT_TRUE(op_.saw("Problem", "Outside range"));
  EXPECT_EQ(shop_.config.i64(cfg::kListIndent), 0);

  window_.run("file.indent_listings");
  EXPECT_TRUE(op_.saw("Indent set to", "12"));
  EXPECT_TRUE(window_.action("file.indent_listings")->isChecked());
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(folder_ / "wr.cfg"));
  EXPECT_EQ(saved.i64(cfg::kListIndent), 12);

  window_.run("file.indent_listings");
  EXPECT_TRUE(op_.saw("Indent set to", "0"));
  EXPECT_FALSE(window_.action("file.indent_listings")->isChecked());
}

TEST_F(MainWindowTest, MemberStartAcceptsTheTopOfTheRangeOnly) {
  op_.texts = {u"0", u"20000000000001", u"20000000000000"};
  window_.run("utilities.member_start");
  window_.run("utilities.member_start");
  EXPECT_EQ(shop_.config.i64(cfg::kMemberStart), 0);
  window_.run("utilities.member_start");
  EXPECT_TRUE(op_.saw("Member start default", "20000000000000"));
  EXPECT_EQ(shop_.config.i64(cfg::kMemberStart), 19'999'999'999'999);
  int refusals = 0;
  for (auto& m : op_.messages) refusals += m.body == "Outside range";
  EXPECT_EQ(refusals, 2);
}

TEST_F(MainWindowTest, TogglesFlipTheirValueAndCheckMarkAndAreSaved) {
  window_.run("options.default_debt");
  EXPECT_TRUE(op_.saw("Default debt allocation now set to", "Pay another day"));
  EXPECT_FALSE(window_.action("options.default_debt")->isChecked());
  window_.run("utilities.sound_effects");
  EXPECT_FALSE(window_.action("utilities.sound_effects")->isChecked());
  window_.run("reservations.notify");
  EXPECT_TRUE(window_.action("reservations.notify")->isChecked());
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(folder_ / "wr.cfg"));
  EXPECT_EQ(saved.i64(cfg::kDefaultDebtAllocation), 2);
  EXPECT_EQ(saved.i32(cfg::kSoundOff), 2);
  EXPECT_EQ(saved.i64(cfg::kNotifyOnReturn), 2);
}

TEST_F(MainWindowTest, TabAndArrowsMoveTheBigButtonHighlight) {
  EXPECT_EQ(window_.big_focus(), 0);
  press(Qt::Key_Tab);
  EXPECT_EQ(window_.big_focus(), 1);
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  EXPECT_EQ(window_.big_focus(), 3);
  press(Qt::Key_Tab);
  EXPECT_EQ(window_.big_focus(), 0);
  press(Qt::Key_Down);
  EXPECT_EQ(window_.big_focus(), 2);
  press(Qt::Key_Right);
  EXPECT_EQ(window_.big_focus(), 3);
  press(Qt::Key_Up);
  EXPECT_EQ(window_.big_focus(), 1);
  press(Qt::Key_Left);
  EXPECT_EQ(window_.big_focus(), 0);
}

TEST_F(MainWindowTest, ClosingAsksToQuitOnceAndTheShutdownWritesOnce) {
  sign_on(1);
  QSignalSpy spy(&window_, &MainWindow::quit_requested);
  window_.run("file.exit");
  window_.close();
  EXPECT_EQ(spy.count(), 1);

  ShutdownOnce shutdown;
  EXPECT_TRUE(shutdown.run(shop_));
  EXPECT_FALSE(shutdown.run(shop_));
  std::string log = log_text(shop_);
  size_t off = log.find("  Switched off.\r\nOperator: 1, Administrator\r\n");
  EXPECT_NE(off, std::string::npos) << log;
  EXPECT_EQ(log.find("Switched off.", off + 3), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "2026" / "thed1207.dat"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "ADDRESS.RK"));
}

TEST_F(MainWindowTest, ClockSettingHidesTheClock) {
  window_.show();
  EXPECT_TRUE(window_.clock()->isVisible());
  records::set_clock_shown(shop_.config, false);
  window_.apply_clock_setting();
  EXPECT_FALSE(window_.clock()->isVisible());
  EXPECT_EQ(window_.clock()->shown_hour(), 14);
  EXPECT_EQ(window_.clock()->shown_minute(), 5);
  EXPECT_FALSE(window_.clock()->tick());
  clock_.set(at(2026, 12, 7, 14, 6));
  EXPECT_TRUE(window_.clock()->tick());
}

TEST_F(MainWindowTest, WideDesktopGetsTheFixedWindow) {
  window_.fit_to_desktop(1028);
  EXPECT_EQ(window_.size(), QSize(1024, 768));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  window_.fit_to_desktop(1024);
  EXPECT_NE(window_.minimumSize(), window_.maximumSize());
  EXPECT_FALSE(desktop_wide_enough(799));
  EXPECT_TRUE(desktop_wide_enough(800));
}

TEST_F(MainWindowTest, ScreenshotAt1024By768) {
  sign_on(1);
  window_.fit_to_desktop(1280);
  window_.show();
  QCoreApplication::processEvents();
  QPixmap shot = window_.grab();
  EXPECT_EQ(shot.size(), QSize(1024, 768));
  if (const char* dir = std::getenv("KELVO_SCREENSHOTS")) {
    shot.save(QString(dir) + "/main_window.png");
    splash_picture().save(QString(dir) + "/splash.png");
    TipOfDayDialog tip(shop_.config, &window_);
    tip.show();
    QCoreApplication::processEvents();
    tip.grab().save(QString(dir) + "/tip.png");
  }
}

TEST_F(MainWindowTest, TipOfTheDayRotatesAndStoresTheChoice) {
  {
    TipOfDayDialog tip(shop_.config);
    EXPECT_EQ(tip.shown_tip(), 0);
    tip.next_tip();
    EXPECT_EQ(tip.shown_tip(), 1);
    tip.findChild<QCheckBox*>("show_tips")->setChecked(false);
    tip.accept();
  }
  EXPECT_FALSE(records::tips_shown_at_start(shop_.config));
  TipOfDayDialog again(shop_.config);
  EXPECT_EQ(again.shown_tip(), 2);
  EXPECT_EQ(again.findChild<QLabel*>("tip_text")->text(), QString::fromUtf16(records::tips()[2]));
}

TEST(SingleInstance, SecondLockOnTheSameFolderFails) {
  auto folder = kelvo::testing::fresh_folder();
  {
    InstanceLock first(folder), second(folder);
    EXPECT_FALSE(second.held_elsewhere());
    EXPECT_FALSE(std::filesystem::exists(folder / kLockFileName));  // looking makes no file
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(second.held_elsewhere());
    EXPECT_FALSE(second.acquire());
  }
  InstanceLock again(folder);
  EXPECT_FALSE(again.held_elsewhere());
  EXPECT_TRUE(again.acquire());
  std::filesystem::remove_all(folder);
}

TEST(Termination, SigtermBecomesARequestOnTheGuiThread) {
  TerminationWatch watch;
  QSignalSpy spy(&watch, &TerminationWatch::terminate_requested);
  ::raise(SIGTERM);
  EXPECT_TRUE(spy.wait(2000));
  ::raise(SIGHUP);
  EXPECT_TRUE(spy.wait(2000));
}

}  // namespace
}  // namespace kelvo::shell
