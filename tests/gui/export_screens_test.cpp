// Utilities "Export" through the main window and its real screens on a fresh shop.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "platform/qt/qt_operator.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "records/sign_on.h"

namespace kelvo {
namespace {

using kelvo::testing::at;
using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;
using kelvo::testing::SwitchOperator;

void tick(QWidget& w, const char* name, bool on = true) { child<QAbstractButton>(w, name)->setChecked(on); }
void ok(QWidget& w) { child<QPushButton>(w, "ok")->click(); }

class ExportScreens : public kelvo::testing::WindowTest {
 protected:
  ExportScreens() {
    use_real_dialogs();
  }

  void add(int64_t number, std::u16string title, std::u16string category) {
    records::FilmRecord f;
    f.set_number(number);
    f.set_title(title);
    f.set_category(category);
    f.set_charge_band(1);
    ASSERT_TRUE(records::add_film(shop_, f));
  }
  std::u16string read_back(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::string b{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(b.substr(0, 2), "\xFF\xFE");
    std::u16string out;
    for (size_t i = 2; i + 1 < b.size(); i += 2)
      out += static_cast<char16_t>(static_cast<uint8_t>(b[i]) | (static_cast<uint8_t>(b[i + 1]) << 8));
    return out;
  }

};

TEST_F(ExportScreens, HtmlExportOfOneCategoryWithChosenFields) {
  ASSERT_TRUE(opened_);
  shop_.config.set_str(records::cfg::category_name(1), records::cfg::kCategoryNameWidth, u"Drama");
  shop_.config.set_str(records::cfg::category_name(2), records::cfg::kCategoryNameWidth, u"Horror");
  add(1, u"Alien", u"Horror");
  add(2, u"Brazil", u"Drama");
  add(3, u"Cujo & Co", u"Horror");
  {
    Screens s;
    s.then([](QWidget& w) {
       EXPECT_EQ(w.windowTitle(), "Export");
       EXPECT_EQ(child<QLineEdit>(w, "start")->text(), "1");
       EXPECT_EQ(child<QLineEdit>(w, "finish")->text(), "2");
       EXPECT_EQ(child<QLineEdit>(w, "finish")->maxLength(), 19);
       EXPECT_TRUE(child<QRadioButton>(w, "films")->isChecked());
       EXPECT_TRUE(child<QRadioButton>(w, "text")->isChecked());
       EXPECT_TRUE(child<QRadioButton>(w, "all")->isChecked());
       EXPECT_TRUE(child<QRadioButton>(w, "small")->isChecked());
       EXPECT_TRUE(child<QCheckBox>(w, "unicode_header")->isChecked());
       EXPECT_TRUE(child<QCheckBox>(w, "bold_number")->isChecked());
       EXPECT_FALSE(child<QComboBox>(w, "categories")->isEnabled());
       EXPECT_FALSE(child<QCheckBox>(w, "bold_title")->isEnabled());
       save_picture(w, "export");
       // The film type goes with Members, the bold and size choices come with HTML.
       tick(w, "members");
       EXPECT_FALSE(child<QRadioButton>(w, "category")->isEnabled());
       tick(w, "films");
       tick(w, "category");
       auto* list = child<QComboBox>(w, "categories");
       EXPECT_TRUE(list->isEnabled());
       ASSERT_GE(list->count(), 2);
       EXPECT_EQ(list->itemText(0), "Drama");
       EXPECT_EQ(list->itemText(1), "Horror");
       list->setCurrentIndex(1);
       tick(w, "html");
       EXPECT_TRUE(child<QCheckBox>(w, "bold_title")->isEnabled());
       tick(w, "bold_number", false);
       tick(w, "medium");
       child<QLineEdit>(w, "finish")->setText("3");
       ok(w);
     })
        .then([](QWidget& w) {
          EXPECT_EQ(shown_text(child<QLabel>(w, "question")->text()), "Enter the film file path/name:");
          EXPECT_EQ(child<QLineEdit>(w, "answer")->text(), "FILM.HTM");
          static_cast<QDialog&>(w).accept();
        })
        .then([](QWidget& w) {
          EXPECT_EQ(w.windowTitle(), "Film database");
          EXPECT_EQ(shown_text(child<QCheckBox>(w, "field8")->text()), "Purchase date");
          EXPECT_FALSE(child<QCheckBox>(w, "entire")->isChecked());
          save_picture(w, "export_fields");
          for (const char* f : {"field3", "field4", "field5", "field6", "field7", "field8", "field9", "field10"})
            tick(w, f, false);
          ok(w);
        })
        .then(box("File export", "Complete."));
    window_.run("utilities.export");
  }
  EXPECT_EQ(read_back("FILM.HTM"),
            u"<HTML><BODY>\r\n<FONT SIZE='2'>\r\n1<B> Alien</B><BR>\r\n3<B> Cujo &amp; Co</B><BR>\r\n</BODY></HTML>");
}

TEST_F(ExportScreens, ABackwardRangeIsRefusedBeforeAnythingIsAsked) {
  ASSERT_TRUE(opened_);
  Screens s;
  s.then([](QWidget& w) {
     child<QLineEdit>(w, "start")->setText("5");
     child<QLineEdit>(w, "finish")->setText("4");
     ok(w);
   }).then(box("Problem", "Invalid range"));
  window_.run("utilities.export");
}

}  // namespace
}  // namespace kelvo
