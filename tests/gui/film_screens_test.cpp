// The film commands driven through the main window and their real dialogs on a fresh shop.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "catalogue/film_form_screen.h"
#include "catalogue/film_display_screen.h"
#include "platform/qt/qt_operator.h"
#include "gui/window_test.h"
#include "records/record_files.h"
#include "records/sign_on.h"
#include "shell/activity_pane.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kelvo {
namespace {

using kelvo::testing::save_picture;
using kelvo::testing::shown_text;

using kelvo::testing::at;

// Acts on the modal windows as they come up, one step per window, in order. A window that no
// step expects is rejected and recorded, so a wrong turn fails the test instead of hanging it.
class ModalScript {
 public:
  using Step = std::function<void(QWidget&)>;
  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start(5);
  }
  bool finished() const { return next_ == steps_.size(); }
  QStringList unexpected;

 private:
  void tick() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == handled_.data()) return;
    handled_ = w;
    if (next_ >= steps_.size()) {
      unexpected << w->windowTitle() + ": " + w->findChild<QLabel*>() ->text();
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      return;
    }
    steps_[next_++](*w);
  }
  std::vector<Step> steps_;
  size_t next_ = 0;
  QPointer<QWidget> handled_;
  QTimer timer_;
};

QLineEdit* edit(QWidget& w, const char* name) {
  auto* e = w.findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(e, nullptr) << name;
  return e;
}
QString text_of(QWidget& w, const char* name) {
  auto* e = edit(w, name);
  return e ? e->text() : QString();
}
void type(QWidget& w, const char* name, const QString& s) {
  if (auto* e = edit(w, name)) e->setText(s);
}
void click(QWidget& w, const char* name) {
  auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(b, nullptr) << name;
  ASSERT_TRUE(b->isVisible()) << name;
  b->click();
}
// The one-line prompt: check the question, type the answer and press OK.
ModalScript::Step answer(const QString& question, const QString& reply, bool case_sensitive = false) {
  return [=](QWidget& w) {
    EXPECT_EQ(shown_text(w.findChild<QLabel*>("question")->text()), question);
    type(w, "answer", reply);
    if (case_sensitive) w.findChild<QCheckBox*>("case_sensitive")->setChecked(true);
    qobject_cast<QDialog*>(&w)->accept();
  };
}
// A message box: check caption and text, press the button.
ModalScript::Step message(const QString& caption, const QString& body,
                          QMessageBox::StandardButton press = QMessageBox::Ok) {
  return [=](QWidget& w) {
    auto* box = qobject_cast<QMessageBox*>(&w);
    ASSERT_NE(box, nullptr) << w.windowTitle().toStdString();
    EXPECT_EQ(box->windowTitle(), caption);
    EXPECT_EQ(box->text(), body);
    box->button(press)->click();
  };
}

class FilmScreens : public ::testing::Test {
 protected:
  FilmScreens()
      : folder_(kelvo::testing::fresh_folder()),
        clock_(at(2026, 12, 7, 14, 5)),
        shop_(folder_, qt_op_, clock_, locale_),
        window_(shop_, qt_op_) {
    opened_ = window_.open_shop(32);
    records::sign_on(shop_, window_.access(), 1, u"");
    window_.refresh_menus();
  }
  ~FilmScreens() override { std::filesystem::remove_all(folder_); }

  int64_t add(const std::u16string& title, int64_t number) {
    records::FilmRecord f;
    f.set_number(number);
    f.set_title(title);
    f.set_charge_band(1);
    EXPECT_TRUE(records::add_film(shop_, f));
    return number;
  }
  // Runs a command with the script answering its windows.
  void run(const char* id, std::vector<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    window_.run(id);
    EXPECT_TRUE(script.finished()) << id;
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(" | ").toStdString();
  }
  bool pane_has(const QString& line) const { return window_.activity_pane()->lines().contains(line); }
  records::FilmRecord on_disk(int64_t number) {
    records::FilmRecord f;
    EXPECT_TRUE(records::read_film(shop_, number, f));
    return f;
  }

  std::filesystem::path folder_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  platform::qt::QtOperator qt_op_;
  records::Shop shop_;
  shell::MainWindow window_;
  bool opened_ = false;
};

TEST_F(FilmScreens, NewItemsWithNextMultipleAndARefusedTitle) {
  ASSERT_TRUE(opened_);
  QString first;
  run("films.new_format1",
      {[&](QWidget& w) {
         EXPECT_EQ(w.windowTitle(), "NEW ITEM");
         first = text_of(w, "number");
         EXPECT_FALSE(first.isEmpty());
         EXPECT_EQ(text_of(w, "format"), "DVD");
         EXPECT_EQ(text_of(w, "charge_band"), "1");
         EXPECT_EQ(text_of(w, "rentals"), "None");
         EXPECT_EQ(text_of(w, "language"), "English");
         EXPECT_EQ(w.findChild<QComboBox*>("purchased_day")->currentText(), "7");
         EXPECT_EQ(w.findChild<QComboBox*>("purchased_month")->currentText(), "Dec");
         EXPECT_EQ(w.findChild<QComboBox*>("last_rental_day")->currentText(), "0");
         EXPECT_EQ(edit(w, "title")->maxLength(), 34);
         EXPECT_EQ(edit(w, "notes")->maxLength(), 78);
         save_picture(w, "new_item");
         type(w, "title", "Star Wars");
         click(w, "next");
       },
       [&](QWidget& w) {
         EXPECT_EQ(text_of(w, "title"), "");
         EXPECT_EQ(text_of(w, "number").toLongLong(), first.toLongLong() + 1);
         type(w, "title", "Alien");
         type(w, "category", "SF");
         click(w, "multiple");
       },
       [&](QWidget& w) {
         EXPECT_EQ(w.windowTitle(), "NEW ITEM");
         EXPECT_EQ(text_of(w, "title"), "Alien");
         EXPECT_EQ(text_of(w, "category"), "SF");
         EXPECT_EQ(text_of(w, "number").toLongLong(), first.toLongLong() + 2);
         type(w, "title", "A");
         click(w, "ok");
       },
       message("Problem", "The title must have at least two characters."),
       [&](QWidget& w) {
         // Back with what was typed, in the amend layout, and the number still editable.
         EXPECT_EQ(w.windowTitle(), "Amend film");
         EXPECT_EQ(text_of(w, "title"), "A");
         EXPECT_EQ(text_of(w, "category"), "SF");
         EXPECT_FALSE(w.findChild<QPushButton*>("next")->isVisible());
         EXPECT_FALSE(w.findChild<QPushButton*>("multiple")->isVisible());
         EXPECT_FALSE(edit(w, "number")->isReadOnly());
         type(w, "title", "Aliens");
         click(w, "ok");
       }});
  const int64_t n = first.toLongLong();
  EXPECT_EQ(on_disk(n).title(), u"Star Wars");
  EXPECT_EQ(on_disk(n + 1).title(), u"Alien");
  EXPECT_EQ(on_disk(n + 2).title(), u"Aliens");
  EXPECT_EQ(on_disk(n + 2).category(), u"SF");
  EXPECT_EQ(shop_.films.counts().live, 3);
  EXPECT_TRUE(pane_has(QString("New film: %1 Star Wars").arg(n)));
  EXPECT_TRUE(pane_has(QString("New film: %1 Aliens").arg(n + 2)));
  EXPECT_TRUE(pane_has("Film records: 3"));
}

TEST_F(FilmScreens, CancelStoresNothingAndAnOutOfRangeNumberCanBeMended) {
  run("films.new_format2", {[](QWidget& w) { click(w, "cancel"); }});
  EXPECT_EQ(shop_.films.counts().live, 0);
  run("films.new_format2", {[](QWidget& w) {
                              type(w, "number", "100000000000000001");
                              type(w, "title", "Tetris");
                              click(w, "ok");
                            },
                            message("Problem", "Number outside range."),
                            [](QWidget& w) {
                              type(w, "number", "100000000000000000");
                              click(w, "ok");
                            }});
  EXPECT_EQ(on_disk(100000000000000000LL).title(), u"Tetris");
}

TEST_F(FilmScreens, FindByNumberShowsTheFilmAndNextWalksOnToTheEnd) {
  add(u"Alien", 500);
  add(u"Brazil", 510);
  records::FilmRecord alien = on_disk(500);
  alien.set_last_hire(u"10:0007/12/2026");
  ASSERT_TRUE(records::rewrite_film(shop_, alien));
  run("films.find", {answer("Find film number / title", "500"),
                     [](QWidget& w) {
                       EXPECT_EQ(w.windowTitle(), "FILM");
                       EXPECT_EQ(text_of(w, "number"), "500");
                       EXPECT_EQ(text_of(w, "title"), "Alien");
                       EXPECT_EQ(shown_text(w.findChild<QLabel*>("certificate_label")->text()), "Rating / Cert");
                       EXPECT_EQ(text_of(w, "last_hire"), "10:00 Mon 7 Dec 26");
                       save_picture(w, "film");
                       click(w, "next");
                       EXPECT_EQ(text_of(w, "title"), "Brazil");
                       EXPECT_TRUE(w.isVisible());
                       click(w, "next");  // after the highest the screen closes
                     }});
  EXPECT_EQ(shop_.film.number(), 510);
}

TEST_F(FilmScreens, FindByTitleOffersEachMatchInTurn) {
  add(u"Star Wars", 1);
  add(u"Alien", 2);
  add(u"stardust", 3);
  run("films.find_title", {answer("Find film by title", "sta"),
                           [](QWidget& w) {
                             EXPECT_EQ(w.windowTitle(), "FIND FILM");
                             EXPECT_EQ(text_of(w, "title"), "Star Wars");
                             click(w, "next");
                           },
                           [](QWidget& w) {
                             EXPECT_EQ(text_of(w, "title"), "stardust");
                             click(w, "ok");
                           }});
  EXPECT_EQ(shop_.film.number(), 3);
  // Ticked, the case counts: only the capital one matches, then nothing more.
  run("films.find_title", {answer("Find film by title", "Sta", true), [](QWidget& w) { click(w, "next"); },
                           message("Finished", "No match found")});
}

TEST_F(FilmScreens, FindThatContainAsksAboutEachHitAndShowsTheChosenOne) {
  add(u"star wars", 10);
  add(u"Star Wars", 11);
  add(u"Warlock", 12);
  run("films.find_contain", {answer("Fragment (case sensitive):", "War"),
                             message("Search: No to continue", "11, Star Wars", QMessageBox::No),
                             message("Search: No to continue", "12, Warlock", QMessageBox::Yes),
                             [](QWidget& w) {
                               EXPECT_EQ(w.windowTitle(), "FILM");
                               EXPECT_EQ(text_of(w, "title"), "Warlock");
                               click(w, "ok");
                             }});
  EXPECT_EQ(shop_.film.number(), 12);
  run("films.find_contain", {answer("Fragment (case sensitive):", "Jedi"), message("Finished", "No match found")});
}

TEST_F(FilmScreens, AmendRewritesTheFilmButNotItsNumber) {
  add(u"Alien", 700);
  run("films.amend", {answer("Amend film number / title", "700"),
                      [](QWidget& w) {
                        EXPECT_EQ(w.windowTitle(), "Amend film");
                        EXPECT_TRUE(edit(w, "number")->isReadOnly());
                        EXPECT_FALSE(w.findChild<QPushButton*>("next")->isVisible());
                        type(w, "title", "Aliens");
                        type(w, "charge_band", "3");
                        click(w, "ok");
                      }});
  EXPECT_EQ(on_disk(700).title(), u"Aliens");
  EXPECT_EQ(on_disk(700).charge_band(), 3);
  EXPECT_TRUE(pane_has("Film 700 Aliens amended"));

  run("films.amend", {answer("Amend film number / title", "700"),
                      [](QWidget& w) {
                        type(w, "charge_band", "9");
                        click(w, "ok");
                      },
                      message("Problem", "Invalid charge band (1-8)")});
  EXPECT_EQ(on_disk(700).charge_band(), 3);
}

TEST_F(FilmScreens, DeleteAsksFirstAndRefusesAFilmOnLoan) {
  add(u"Alien", 800);
  records::FilmRecord out;
  out.set_number(801);
  out.set_title(u"Brazil");
  out.set_charge_band(1);
  ASSERT_TRUE(records::add_film(shop_, out));
  out.set_on_loan_to(42);
  ASSERT_TRUE(records::rewrite_film(shop_, out));

  run("films.delete", {answer("Delete film number / title", "801"), message("Film is on loan", "Unable to delete")});
  EXPECT_TRUE(shop_.films.index().contains(801));

  run("films.delete", {answer("Delete film number / title", "800"),
                       message("800 Title: Alien Last: ", "Are you sure?", QMessageBox::Cancel)});
  EXPECT_TRUE(shop_.films.index().contains(800));

  run("films.delete",
      {answer("Delete film number / title", "800"), message("800 Title: Alien Last: ", "Are you sure?")});
  EXPECT_FALSE(shop_.films.index().contains(800));
  EXPECT_TRUE(pane_has("Film deleted: 800 Alien"));
  EXPECT_TRUE(pane_has("Film records: 2 (1 deleted)"));
}

TEST_F(FilmScreens, MulticopyAnalysisShowsCopiesAndTheirShare) {
  for (int64_t n : {900, 901, 902}) add(u"Dune", n);
  records::FilmRecord busy = on_disk(901);
  busy.set_last_hire(u"10:0007/12/2026");
  busy.set_hire_days_7(0b11);
  ASSERT_TRUE(records::rewrite_film(shop_, busy));
  run("reports.multicopy", {answer("Please enter film number / title", "900"), [](QWidget& w) {
                              EXPECT_EQ(w.windowTitle(), "Multiple copy analysis");
                              EXPECT_EQ(w.findChild<QLabel*>("title_line")->text(), "Dune (3 copies)");
                              EXPECT_EQ(w.findChild<QLabel*>("last_7")->text(), "2 (10%)");
                              click(w, "ok");
                            }});
}

}  // namespace
}  // namespace kelvo
