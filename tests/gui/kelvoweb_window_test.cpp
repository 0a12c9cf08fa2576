#include <fstream>
#include <iterator>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "gui/screen_script.h"
#include "support/scripted_operator.h"
#include "uploader/kelvoweb_window_screen.h"
#include "uploader/upload_settings_screen.h"

namespace kelvo::uploader {
namespace {

class NoNetwork : public FtpClient {
 public:
  FtpResult put(const FtpLogin&, const std::filesystem::path&, const std::string&) override {
    ++calls;
    return {};
  }
  int calls = 0;
};

// Answers the next modal dialog of type D once it is open.
template <typename D, typename F>
void answer_next(F&& fill) {
  QTimer::singleShot(0, [fill] {
    for (auto* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<D*>(w); d && d->isVisible()) {
        fill(*d);
        return;
      }
  });
}

TEST(KelvowebWindow, ConfigureTimerSelectUploadAndSaveAtClose) {
  auto folder = kelvo::testing::fresh_folder();
  platform::FixedClock clock(kelvo::testing::at(2026, 12, 7, 14, 5));
  platform::EnglishLocale locale;
  NoNetwork ftp;
  {
    records::FilmRecord film;
    film.set_number(3);
    film.set_title(u"Alien");
    film.set_cost(9.5f);
    std::ofstream(folder / "film.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(film.data()), records::FilmRecord::kSize);
  }
  UploadSession session(folder, clock, locale, ftp);
  {
    KelvowebWindow window(session, nullptr, false);
    window.show();
    EXPECT_EQ(window.windowTitle(), "kelvoweb");
    auto* log = window.findChild<QListWidget*>("upload_log");
    ASSERT_NE(log, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(log->item(1)->text(), "Live website inventory utility for QUENDRIX");
    EXPECT_FALSE(window.timer()->isActive());

    answer_next<UploadConfigScreen>([](UploadConfigScreen& d) {
      EXPECT_EQ(d.windowTitle(), "kelvoweb configuration");
      EXPECT_EQ(d.findChild<QLineEdit*>("ftp_password")->echoMode(), QLineEdit::Password);
      d.findChild<QComboBox*>("upload_interval")->setCurrentIndex(3);
      d.findChild<QCheckBox*>("local_only")->setChecked(true);
      d.accept();
    });
    window.findChild<QToolButton*>("configuration_button")->click();
    EXPECT_TRUE(window.timer()->isActive());
    EXPECT_EQ(window.timer()->interval(), 900000);

    answer_next<UploadConfigScreen>([](UploadConfigScreen& d) {
      d.findChild<QComboBox*>("upload_interval")->setCurrentIndex(0);
      d.accept();
    });
    window.findChild<QToolButton*>("configuration_button")->click();
    EXPECT_FALSE(window.timer()->isActive());

    answer_next<FieldSelectionScreen>([](FieldSelectionScreen& d) {
      EXPECT_EQ(d.windowTitle(), "Selection");
      EXPECT_TRUE(d.findChild<QCheckBox*>("field_number")->isChecked());
      d.findChild<QCheckBox*>("field_7")->setChecked(false);  // cost
      d.accept();
    });
    window.findChild<QToolButton*>("selection_button")->click();

    window.findChild<QToolButton*>("upload_button")->click();
    QApplication::processEvents();
    EXPECT_EQ(log->item(log->count() - 2)->text(), "Local file produced.");
    EXPECT_EQ(ftp.calls, 0);
    std::ifstream in(folder / "filmstock.xml", std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(xml.find(std::string("<\0c\0o\0s\0t\0", 10)), std::string::npos);
    EXPECT_NE(xml.find(std::string("A\0l\0i\0e\0n\0", 10)), std::string::npos);

    kelvo::testing::save_picture(window, "kelvoweb_window");
    window.close();
  }
  auto saved = load_config(folder);
  EXPECT_EQ(saved.interval(), 0);
  EXPECT_TRUE(saved.local_only());
  EXPECT_EQ(saved.field_flag(7), 2);
  EXPECT_EQ(saved.help_shown(), 2);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kelvo::uploader
