#include "shell/sign_on_screen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/log_viewer_screen.h"
#include "shell/password_control_screen.h"
#include "shell/shell_operations.h"
#include "records/flow_operator.h"

namespace kelvo {
namespace {

records::ConfigBlock operators() {
  records::ConfigBlock c;
  c.repair_after_load();
  return c;
}

void click(QWidget& screen, const char* name) {
  auto* b = screen.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(b, nullptr) << name;
  b->click();
}

QString field(QWidget& screen, const char* name) {
  return screen.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

TEST(SignOnScreen, UpAndDownWalkTheOperatorsRoundTheClock) {
  records::ConfigBlock c = operators();
  shell::SignOnScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "QUENDRIX LOGON");
  EXPECT_EQ(field(screen, "user"), "1 Administrator");
  EXPECT_EQ(field(screen, "password"), "");
  click(screen, "up");
  EXPECT_EQ(field(screen, "user"), "30 Associate 30");
  EXPECT_EQ(screen.chosen_number(), 30);
  click(screen, "down");
  click(screen, "down");
  EXPECT_EQ(field(screen, "user"), "2 Manager");
  EXPECT_EQ(screen.chosen_number(), 2);
}

TEST(SignOnScreen, DigitButtonsTypedDigitsCAndCE) {
  records::ConfigBlock c = operators();
  shell::SignOnScreen screen(c);
  auto* password = screen.findChild<QLineEdit*>("password");
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  click(screen, "digit4");
  click(screen, "digit0");
  click(screen, "digit7");
  EXPECT_EQ(screen.typed_password(), u"407");
  click(screen, "clearEntry");
  EXPECT_EQ(screen.typed_password(), u"40");
  QTest::keyClicks(password, "9x1");  // the letter is not taken
  EXPECT_EQ(screen.typed_password(), u"4091");
  click(screen, "digit5");  // a button after typing keeps what was typed
  EXPECT_EQ(screen.typed_password(), u"40915");
  click(screen, "clear");
  EXPECT_EQ(screen.typed_password(), u"");
  for (int i = 0; i < 10; ++i) click(screen, "digit1");
  EXPECT_EQ(screen.typed_password(), u"11111111");
  click(screen, "up");  // changing operator keeps the digits typed
  EXPECT_EQ(screen.typed_password(), u"11111111");
}

TEST(PasswordControlScreen, BoxesShowAndStoreTheFlags) {
  records::ConfigBlock c;
  records::set_restricted(c, records::Flag::Takings, false);
  records::set_restricted(c, records::Flag::Tax, true);
  shell::PasswordControlScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "PASSWORD CONTROL");
  EXPECT_TRUE(screen.box(records::Flag::Configuration)->isChecked());
  EXPECT_FALSE(screen.box(records::Flag::Takings)->isChecked());
  EXPECT_TRUE(screen.box(records::Flag::Tax)->isChecked());
  EXPECT_FALSE(screen.box(records::Flag::AmendFilm)->isChecked());
  EXPECT_EQ(screen.box(records::Flag::NoAmendWhenOwing)->text(), "Remove amend on rental when customer owes");

  screen.box(records::Flag::Configuration)->setChecked(false);
  screen.box(records::Flag::AmendFilm)->setChecked(true);
  records::ConfigBlock out = c;
  screen.store(out);
  EXPECT_EQ(out.i64(records::cfg::kAccessConfiguration), 2);
  EXPECT_EQ(out.i32(records::cfg::kAccessAmendFilm), 2);
  EXPECT_FALSE(records::restricted(out, records::Flag::Takings));
}

TEST(LogViewerScreen, PagesForwardAndBack) {
  records::LogPage full{true, std::u16string(31999, u'a'), true};
  records::LogPage last{true, u"end", false};
  shell::LogViewerScreen screen([&](int page) { return page == 0 ? full : last; }, nullptr);
  EXPECT_EQ(screen.windowTitle(), "QUENDRIX log");
  EXPECT_FALSE(screen.previous_button()->isEnabled());
  EXPECT_TRUE(screen.next_button()->isEnabled());
  screen.next_button()->click();
  EXPECT_EQ(screen.page(), 1);
  EXPECT_EQ(screen.text_area()->toPlainText(), "end");
  EXPECT_FALSE(screen.next_button()->isEnabled());
  screen.previous_button()->click();
  EXPECT_EQ(screen.page(), 0);

  shell::LogViewerScreen report(QStringLiteral("Activity report"), QStringLiteral("No details"));
  EXPECT_TRUE(report.next_button()->isHidden());
  EXPECT_TRUE(report.previous_button()->isHidden());
  EXPECT_TRUE(report.text_area()->isReadOnly());
}

// Answers the next modal screen once it is up.
void on_next_screen(std::function<void(QWidget&)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    act(*w);
  });
}

class ShellOperations : public flowtest::ShopFolder {};

TEST_F(ShellOperations, SignOnThroughThePinPad) {
  shop_.config.set_str(records::cfg::operator_password(30), records::cfg::kOperatorPasswordWidth, u"12");
  records::AccessState access = records::AccessState::Unrestricted;
  on_next_screen([](QWidget& w) {
    click(w, "up");
    click(w, "digit1");
    click(w, "digit2");
    click(w, "ok");
  });
  EXPECT_TRUE(shell::sign_on(shop_, access, nullptr));
  EXPECT_EQ(shop_.config.signed_on_operator(), 30);
  EXPECT_EQ(access, records::AccessState::Restricted);

  on_next_screen([](QWidget& w) { click(w, "ok"); });  // operator 1, empty password on a new shop
  EXPECT_TRUE(shell::sign_on(shop_, access, nullptr));
  EXPECT_EQ(access, records::AccessState::Unrestricted);

  on_next_screen([](QWidget& w) {
    click(w, "up");
    click(w, "digit9");
    click(w, "ok");
  });
  EXPECT_FALSE(shell::sign_on(shop_, access, nullptr));
  EXPECT_EQ(shop_.config.signed_on_operator(), 1);
  EXPECT_EQ(access, records::AccessState::Unrestricted);
}

TEST_F(ShellOperations, MissingPreviousLogIsReportedWithoutAWindow) {
  shell::show_log(shop_, nullptr, true);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Problem");
  EXPECT_EQ(op_.shown[0].body, u"Previous log file does not yet exist.");
}

TEST_F(ShellOperations, PasswordControlRefusedOrStored) {
  shell::password_control(shop_, records::AccessState::Restricted, nullptr);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].body, u"Administrator or manager");

  on_next_screen([](QWidget& w) {
    w.findChild<QCheckBox*>("flag9")->setChecked(false);  // Purge log files open to all
    static_cast<QDialog&>(w).accept();
  });
  shell::password_control(shop_, records::AccessState::Unrestricted, nullptr);
  EXPECT_FALSE(records::restricted(shop_.config, records::Flag::PurgeLogFiles));
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_FALSE(records::restricted(saved, records::Flag::PurgeLogFiles));
}

}  // namespace
}  // namespace kelvo
