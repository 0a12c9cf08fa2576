// The mail commands through the main window: "Email target" filled in on the real screen, then
// the day report sent by its worker to a real SMTP server while the window keeps running.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "mail/mail_fixture.h"
#include "shell/activity_pane.h"

namespace kelvo {
namespace {

using kelvo::testing::save_picture;
using kelvo::testing::Screens;

class EmailScreens : public kelvo::testing::WindowTest {
 protected:
  EmailScreens() { use_real_dialogs(); }
  ~EmailScreens() override { server_.stop(); }

  void fill(QWidget& w, const char* name, const QString& text) {
    auto* edit = w.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
  }
  bool pane_shows(const QString& line, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
      if (window_.activity_pane()->lines().contains(line)) return true;
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return false;
  }
  mail::SmtpServer server_;
};

TEST_F(EmailScreens, SetupThenTheReportIsSentWhileTheCounterRuns) {
  const int port = server_.start(folder_, folder_ / "inbox");
  ASSERT_GT(port, 0);
  {
    Screens screens;
    screens.then([&](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), "Email target");
      fill(w, "smtp_server", QString("127.0.0.1:%1").arg(port));
      fill(w, "target_email", "office@shop.test");
      fill(w, "your_email", "counter@shop.test");
      w.resize(1024, 768);
      save_picture(w, "email_target");
      w.findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
    });
    // No wrmail.cfg yet: the report asks for the setup first, then sends.
    window_.run("file.email_report");
  }
  EXPECT_TRUE(pane_shows("Report to: office@shop.test"));
  EXPECT_TRUE(pane_shows("Transmission complete"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "inbox" / "1.eml"));
  EXPECT_EQ(std::filesystem::file_size(folder_ / "wrmail.cfg"), 800u);
}

}  // namespace
}  // namespace kelvo
