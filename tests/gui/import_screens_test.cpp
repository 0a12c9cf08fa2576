// Utilities "Import" and File "Update items from file" through the main window and their real
// screens on a fresh shop.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <fstream>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "records/data_opening.h"
#include "records/film_record.h"
#include "records/record_files.h"

namespace kelvo {
namespace {

using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;

Screens::Step pick(std::filesystem::path file) {
  return [=](QWidget& w) {
    auto* d = qobject_cast<QFileDialog*>(&w);
    ASSERT_NE(d, nullptr) << "expected the file chooser, got " << w.objectName().toStdString();
    EXPECT_TRUE(d->nameFilters().contains("Text files (*.txt *.csv)"));
    d->selectFile(QString::fromStdString(file.string()));
    static_cast<QDialog*>(d)->accept();
  };
}

class ImportScreens : public kelvo::testing::WindowTest {
 protected:
  ImportScreens() { use_real_dialogs(); }

  void write_utf16(const char* name, const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
};

TEST_F(ImportScreens, FilmsImportedWithALetterReplacedAndTheProgramCloses) {
  ASSERT_TRUE(opened_);
  write_utf16("films.csv", u"D2,Jaws,HOR\r\nD15,Alien,HOR\r\n7,Brazil,DRA\r\n");
  bool quit = false;
  QObject::connect(&window_, &shell::MainWindow::quit_requested, [&quit] { quit = true; });
  {
    Screens s;
    s.then([](QWidget& w) {
       EXPECT_EQ(shown_text(child<QLabel>(w, "question")->text()), "Enter 1 to import films, 2 to import members");
       EXPECT_EQ(child<QLineEdit>(w, "answer")->text(), "1");
       static_cast<QDialog&>(w).accept();
     })
        .then(pick(folder_ / "films.csv"))
        .then(box("File import", "3 records of 3 fields"))
        .then([](QWidget& w) {
          EXPECT_EQ(w.windowTitle(), "Film database");
          EXPECT_EQ(child<QLineEdit>(w, "column2")->text(), "2");
          EXPECT_EQ(child<QLineEdit>(w, "column4")->text(), "0");
          save_picture(w, "import_film_columns");
          child<QCheckBox>(w, "replace")->setChecked(true);
          child<QLineEdit>(w, "letter")->setText("D");
          child<QLineEdit>(w, "value")->setText("10");
          child<QPushButton>(w, "ok")->click();
        })
        .then(box("File import complete", "QUENDRIX will now close down"));
    window_.run("utilities.import");
  }
  EXPECT_TRUE(quit);
  testing::ScriptedOperator op;
  records::Shop next(folder_, op, clock_, locale_);
  ASSERT_TRUE(records::open_data(next));
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(next, 1015, f));
  EXPECT_EQ(f.title(), u"Alien");
  EXPECT_EQ(f.category(), u"HOR");
  EXPECT_TRUE(next.films.index().contains(102));
  EXPECT_TRUE(next.films.index().contains(7));
}

TEST_F(ImportScreens, UpdateItemsFromFileAddsInTheChosenBand) {
  ASSERT_TRUE(opened_);
  write_utf16("update.txt", u"4,1,The cat,DVD\n");
  {
    Screens s;
    s.then([](QWidget& w) {
       EXPECT_EQ(w.windowTitle(), "Film addition or deletion from text file");
       EXPECT_EQ(child<QLineEdit>(w, "band")->text(), "1");
       save_picture(w, "update_items");
       child<QLineEdit>(w, "band")->setText("2");
       child<QPushButton>(w, "select_file")->click();
     })
        .then(pick(folder_ / "update.txt"))
        .then(box("File import", "1 records to update"));
    window_.run("file.update_items");
  }
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 4, f));
  EXPECT_EQ(f.charge_band(), 2);
  EXPECT_EQ(f.title(), u"The cat");
}

}  // namespace
}  // namespace kelvo
