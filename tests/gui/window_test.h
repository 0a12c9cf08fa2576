#pragma once
// A main window on a fresh shop folder, operator 1 signed on. The shop talks to the scripted
// person while the window opens the data (first-start notices) and while a test prepares its
// records; `use_real_dialogs()` then hands it to the Qt dialogs.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QString>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include <gtest/gtest.h>

#include "gui/screen_script.h"
#include "platform/qt/qt_operator.h"
#include "records/record_files.h"
#include "records/sign_on.h"

namespace kelvo::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : folder_(fresh_folder()),
        clock_(at(2026, 12, 7, 14, 5)),
        shop_(folder_, switch_, clock_, locale_),
        window_(shop_, qt_op_) {
    switch_.to = &scripted_;
    opened_ = window_.open_shop(32);
    records::sign_on(shop_, window_.access(), 1, u"");
    window_.refresh_menus();
  }
  ~WindowTest() override { std::filesystem::remove_all(folder_); }

  void use_real_dialogs() { switch_.to = &qt_op_; }

  // Member 42, Mr John Smith of 1 High Street, and the band 1 films 7 "Gone Fishing" and 8
  // "Jaws": the customer and stock the counter screens are tried with.
  void given_smith_and_two_films() {
    records::MemberRecord m;
    m.set_number(42);
    m.set_title(u"Mr");
    m.set_initial(u"John");
    m.set_name(u"Smith");
    m.set_road(u"1 High Street");
    m.set_telephone1(u"01632 960 123");
    m.set_category(1);
    ASSERT_TRUE(records::add_member(shop_, m));
    for (auto [n, title] : {std::pair{7, u"Gone Fishing"}, std::pair{8, u"Jaws"}}) {
      records::FilmRecord f;
      f.set_number(n);
      f.set_title(title);
      f.set_charge_band(1);
      ASSERT_TRUE(records::add_film(shop_, f));
    }
  }

  std::filesystem::path folder_;
  ScriptedOperator scripted_;
  SwitchOperator switch_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  platform::qt::QtOperator qt_op_;
  records::Shop shop_;
  shell::MainWindow window_;
  bool opened_ = false;
};

}  // namespace kelvo::testing
