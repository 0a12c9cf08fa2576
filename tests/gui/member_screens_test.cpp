#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "catalogue/list_window.h"
#include "catalogue/list_window_screen.h"
#include "catalogue/member_display_screen.h"
#include "catalogue/member_find.h"
#include "catalogue/member_form_screen.h"
#include "catalogue/member_photo.h"
#include "catalogue/member_photo_screen.h"
#include "catalogue/qt_catalogue_views_screen.h"
#include "platform/qt/qt_operator.h"
#include "gui/window_test.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/settings_rules.h"
#include "records/sign_on.h"
#include "shell/activity_pane.h"

namespace kelvo::catalogue {
namespace {

using kelvo::testing::at;
using kelvo::testing::Screens;
using namespace kelvo::testing;
using kelvo::testing::SwitchOperator;

void pick(QWidget& w, const char* list, const QString& text) {
  QComboBox* c = child<QComboBox>(w, list);
  const int i = c->findText(text);
  ASSERT_GE(i, 0) << list << " has no " << text.toStdString();
  c->setCurrentIndex(i);
}

std::string log_text(const records::Shop& shop) {
  auto bytes = records::read_whole(shop.path(records::files::kLog));
  if (!bytes) return {};
  std::u16string s(bytes->size() / 2, u'\0');
  std::memcpy(s.data(), bytes->data(), s.size() * 2);
  return text::to_utf8(s);
}

// A fresh shop opened by the main window, operator 1 signed on, the real dialogs answering.
class MemberScreens : public kelvo::testing::WindowTest {
 protected:
  MemberScreens() {
    use_real_dialogs();
    // The duplicate lists before storing have their own test.
    if (records::toggle_on(shop_.config, records::Toggle::NewSearches))
      records::flip_toggle(shop_.config, records::Toggle::NewSearches);
  }

  QStringList pane() const { return window_.activity_pane()->lines(); }
  // Stores a member through the real "NEW MEMBER" screen.
  void add_member(const QString& name, const QString& road, const QString& phone) {
    Screens s;
    s.then([=](QWidget& w) {
       type(w, "name", name);
       type(w, "road", road);
       type(w, "telephone1", phone);
       click(w, "ok");
     }).then(box("New member", "Store record?"));
    window_.run("members.add");
  }
  records::MemberRecord stored(int64_t number) {
    records::MemberRecord m;
    auto slot = shop_.members.index().find(number);
    EXPECT_TRUE(slot.has_value()) << number;
    if (slot) shop_.members.read_slot(*slot, m);
    return m;
  }

};

TEST_F(MemberScreens, AddFindAmendAndDeleteThroughTheWindow) {
  ASSERT_TRUE(opened_);
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "NEW MEMBER");
     EXPECT_EQ(child<QLineEdit>(w, "number")->text(), "1");
     EXPECT_FALSE(child<QLineEdit>(w, "number")->isReadOnly());
     EXPECT_EQ(child<QLineEdit>(w, "membership_fee")->text(), "0.00");
     EXPECT_EQ(child<QLineEdit>(w, "rental_credits")->text(), "0");
     EXPECT_FALSE(child<QPushButton>(w, "next")->isHidden());
     // The join date starts at today, birth and expiry at "0".
     EXPECT_EQ(child<QComboBox>(w, "join_date_day")->currentText(), "7");
     EXPECT_EQ(child<QComboBox>(w, "join_date_month")->currentText(), "Dec");
     EXPECT_EQ(child<QComboBox>(w, "join_date_year")->currentText(), "2026");
     EXPECT_EQ(child<QComboBox>(w, "expiry_year")->currentText(), "0");
     EXPECT_EQ(child<QComboBox>(w, "born_month")->currentText(), "0");
     // Boxes refuse more than the field takes.
     EXPECT_EQ(child<QLineEdit>(w, "post_code")->maxLength(), 9);
     EXPECT_EQ(child<QLineEdit>(w, "town")->maxLength(), 19);
     type(w, "title", "Mr");
     type(w, "initial", "John");
     type(w, "name", "Smith");
     type(w, "road", "12 High Street");
     type(w, "telephone1", "555 1234");
     type(w, "membership_fee", "5.00");
     pick(w, "born_day", "3");
     pick(w, "born_month", "Mar");
     pick(w, "born_year", "1980");
     child<QComboBox>(w, "category")->setEditText("7");
     click(w, "ok");
   })
      .then(box("New member", "Store record?"));
  window_.run("members.add");

  records::MemberRecord m = stored(1);
  EXPECT_EQ(m.name(), u"Smith");
  EXPECT_EQ(m.initial(), u"John");
  EXPECT_EQ(m.category(), 7);
  EXPECT_EQ(m.born(), u"03/03/1980");
  EXPECT_EQ(m.join_date(), u"07/12/2026");
  EXPECT_EQ(m.last_used(), u"NEW");
  EXPECT_TRUE(pane().contains("New member: 1 Mr Smith"));
  EXPECT_NE(log_text(shop_).find("Fee paid: 5.00"), std::string::npos);

  // F4: by number the member is shown in "MEMBER".
  s.then(answer("Find member", "1")).then([](QWidget& w) {
    EXPECT_EQ(w.objectName(), "MEMBER");
    EXPECT_EQ(child<QLabel>(w, "name")->text(), "Smith");
    EXPECT_EQ(child<QLabel>(w, "road")->text(), "12 High Street");
    EXPECT_EQ(child<QLabel>(w, "last_used")->text(), "NEW");
    EXPECT_EQ(child<QLabel>(w, "owed")->text(), "0.00");
    click(w, "ok");
  });
  window_.run("members.find");

  // By name: "FIND MEMBER" offers the match; OK selects it.
  shop_.member.clear();
  s.then(answer("Find member", "smi")).then([](QWidget& w) {
    EXPECT_EQ(w.objectName(), "FIND MEMBER");
    EXPECT_EQ(child<QLabel>(w, "name")->text(), "Smith");
    click(w, "ok");
  });
  window_.run("members.find");
  EXPECT_EQ(shop_.member.number(), 1);

  s.then(answer("Amend member", "1")).then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Amend member");
    EXPECT_TRUE(child<QLineEdit>(w, "number")->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(w, "membership_fee")->isHidden());
    EXPECT_TRUE(child<QPushButton>(w, "next")->isHidden());
    EXPECT_EQ(child<QLineEdit>(w, "name")->text(), "Smith");
    EXPECT_EQ(child<QComboBox>(w, "category")->currentText(), "7");
    EXPECT_EQ(child<QComboBox>(w, "born_year")->currentText(), "1980");
    type(w, "road", "4 Mill Lane");
    click(w, "ok");
  });
  window_.run("members.amend");
  EXPECT_EQ(stored(1).road(), u"4 Mill Lane");
  EXPECT_EQ(stored(1).born(), u"03/03/1980");
  EXPECT_TRUE(pane().contains("Member 1 Mr Smith amended"));
  EXPECT_NE(log_text(shop_).find("Member 1 amended:"), std::string::npos);

  // F9 opens the last member used straight away.
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Amend member");
    EXPECT_EQ(child<QLineEdit>(w, "road")->text(), "4 Mill Lane");
    click(w, "cancel");
  });
  window_.run("members.amend_last");

  s.then(answer("Delete member", "1")).then(box("1 Name: Smith", "Are you sure?"));
  window_.run("members.delete");
  EXPECT_FALSE(shop_.members.index().contains(1));
  EXPECT_TRUE(pane().contains("Member deleted: 1 Smith"));
}

TEST_F(MemberScreens, RefusedNewMemberComesBackToBeMended) {
  Screens s;
  s.then([](QWidget& w) {
     type(w, "name", "Jones");
     type(w, "membership_fee", "2.50");
     child<QComboBox>(w, "category")->setEditText("4001");
     click(w, "next");
   })
      .then(box("Problem", "Invalid category (1-4000)"))
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Amend member");
        EXPECT_TRUE(child<QPushButton>(w, "next")->isHidden());
        // What was typed is still there; the number may still be changed.
        EXPECT_EQ(child<QLineEdit>(w, "name")->text(), "Jones");
        EXPECT_FALSE(child<QLineEdit>(w, "number")->isReadOnly());
        EXPECT_EQ(child<QComboBox>(w, "category")->currentText(), "4001");
        child<QComboBox>(w, "category")->setEditText("4000");
        click(w, "ok");
      })
      .then(box("New member", "Store record?"));
  window_.run("members.add");
  EXPECT_EQ(stored(1).category(), 4000);
}

TEST_F(MemberScreens, ExpiryListsFollowTheMonthLengths) {
  Screens s;
  // 30 days on from 7 Dec 2026.
  s.then([](QWidget& w) {
     EXPECT_EQ(child<QComboBox>(w, "expiry_day")->currentText(), "6");
     EXPECT_EQ(child<QComboBox>(w, "expiry_month")->currentText(), "Jan");
     EXPECT_EQ(child<QComboBox>(w, "expiry_year")->currentText(), "2027");
     type(w, "name", "Feb");
     pick(w, "expiry_day", "31");
     pick(w, "expiry_month", "Feb");
     click(w, "next");
   })
      .then(box("New member", "Store record?"))
      .then([](QWidget& w) {
        // "&Next" brings a fresh screen with the following number.
        EXPECT_EQ(child<QLineEdit>(w, "number")->text(), "2");
        type(w, "name", "April");
        pick(w, "expiry_day", "31");
        pick(w, "expiry_month", "Apr");
        pick(w, "expiry_year", "2028");
        click(w, "ok");
      })
      .then(box("New member", "Store record?"));
  window_.run("members.add30");
  EXPECT_EQ(stored(1).expiry(), u"28/02/2027");
  EXPECT_EQ(stored(2).expiry(), u"30/04/2028");

  s.then([](QWidget& w) {
    EXPECT_EQ(child<QComboBox>(w, "expiry_day")->currentText(), "7");
    EXPECT_EQ(child<QComboBox>(w, "expiry_month")->currentText(), "Mar");
    EXPECT_EQ(child<QComboBox>(w, "expiry_year")->currentText(), "2027");
    click(w, "cancel");
  });
  window_.run("members.add90");
}

TEST_F(MemberScreens, RentalCreditsBoxFollowsTheAccessOption) {
  records::MemberRecord m;
  m.set_number(9);
  m.set_name(u"Hill");
  m.set_rental_credits(4);
  MemberForm hidden = MemberForm::amend(m, 2026, false);
  MemberFormScreen a(shop_.config, hidden);
  EXPECT_TRUE(a.box(MemberField::RentalCredits)->isHidden());
  MemberForm shown = MemberForm::amend(m, 2026, true);
  MemberFormScreen b(shop_.config, shown);
  EXPECT_FALSE(b.box(MemberField::RentalCredits)->isHidden());
  EXPECT_EQ(b.box(MemberField::RentalCredits)->text(), "4");
}

TEST_F(MemberScreens, ConfiguredLabelsNameTheBoxes) {
  records::set_field_label(shop_.config, records::LabelTable::Member, static_cast<int>(MemberLabel::ZipPost),
                           u"Postcode");
  records::set_field_label(shop_.config, records::LabelTable::Member, static_cast<int>(MemberLabel::Town), u"");
  EXPECT_EQ(member_label(shop_.config, MemberLabel::ZipPost), "Postcode");
  EXPECT_EQ(member_label(shop_.config, MemberLabel::Town), "Town");  // empty: the usual name
  MemberForm form = MemberForm::blank(shop_, MemberAddKind::Plain);
  MemberFormScreen screen(shop_.config, form);
  QStringList labels;
  for (QLabel* l : screen.findChildren<QLabel*>()) labels << l->text();
  EXPECT_TRUE(labels.contains("Postcode"));
  EXPECT_FALSE(labels.contains("Zip / Post"));
}

TEST_F(MemberScreens, FindByTelephoneShowsTheAcceptedMember) {
  add_member("Brown", "1 Elm Road", "01632 555 777");
  add_member("Green", "2 Oak Road", "01632 999 000");
  Screens s;
  s.then(answer("Enter telephone number", "555"))
      .then(box("Search: No to continue", "1, Brown: 01632 555 777", QMessageBox::Yes))
      .then([](QWidget& w) {
        EXPECT_EQ(w.objectName(), "MEMBER");
        EXPECT_EQ(child<QLabel>(w, "name")->text(), "Brown");
        // "Next" steps to the following number, and closes after the highest.
        click(w, "next");
        EXPECT_EQ(child<QLabel>(w, "name")->text(), "Green");
        EXPECT_TRUE(w.isVisible());
        click(w, "next");
        EXPECT_FALSE(w.isVisible());
      });
  window_.run("members.find_telephone");

  s.then(answer("Enter telephone number", "12345678901234567890")).then(box("Problem", "Limit 19 characters"));
  window_.run("members.find_telephone");

  s.then([](QWidget& w) {
     EXPECT_EQ(w.findChild<QCheckBox*>("case_sensitive") != nullptr, true);
     type(w, "answer", "oak");
     static_cast<QDialog&>(w).accept();
   }).then([](QWidget& w) {
    EXPECT_EQ(child<QLabel>(w, "name")->text(), "Green");
    click(w, "ok");
  });
  window_.run("members.by_address");
  EXPECT_EQ(shop_.member.name(), u"Green");
}

TEST_F(MemberScreens, PhotoFromTheClipboardIsSavedSmallAndShown) {
  add_member("Clark", "3 Ash Road", "");
  QApplication::clipboard()->clear();
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "No picture");
    EXPECT_TRUE(child<QLabel>(w, "explanation")->text().contains("Hi res picture"));
    static_cast<QDialog&>(w).accept();
  });
  window_.run("members.photo");
  EXPECT_FALSE(std::filesystem::exists(photo_path(shop_, 1)));

  QImage picture(640, 480, QImage::Format_RGB32);
  picture.fill(QColor(200, 30, 40));
  QApplication::clipboard()->setImage(picture);
  if (QApplication::clipboard()->image().isNull()) GTEST_SKIP() << "no clipboard on this platform";
  s.then([this](QWidget& w) {
     // The preview sits on the window while the number is asked.
     auto* preview = window_.findChild<QLabel*>("photo_preview");
     ASSERT_NE(preview, nullptr);
     EXPECT_EQ(preview->pixmap().size(), QSize(128, 96));
     answer("Add image to member number:", "1")(w);
   })
      .then(box("Member: 1 Clark", "Save picture?"));
  window_.run("members.photo");
  EXPECT_EQ(window_.findChild<QLabel*>("photo_preview"), nullptr);
  EXPECT_EQ(std::filesystem::file_size(photo_path(shop_, 1)), 14u + 40u + 128u * 96u * 4u);
  EXPECT_EQ(stored(1).has_photo(), 1);
  EXPECT_TRUE(pane().contains("Image added to member 1"));
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(128, 96));

  MemberDisplayScreen display(shop_, stored(1));
  ASSERT_TRUE(display.photo_shown());
  const QImage drawn = child<QLabel>(display, "photo")->pixmap().toImage();
  EXPECT_EQ(drawn.size(), QSize(128, 96));
  EXPECT_EQ(QColor(drawn.pixel(64, 48)), QColor(200, 30, 40));
}

TEST_F(MemberScreens, CancelledPhotoLeavesTheClipboardAlone) {
  add_member("Clark", "3 Ash Road", "");
  QImage picture(320, 240, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  QApplication::clipboard()->setImage(picture);
  if (QApplication::clipboard()->image().isNull()) GTEST_SKIP() << "no clipboard on this platform";
  Screens s;
  s.then(answer("Add image to member number:", "1")).then(box("Member: 1 Clark", "Save picture?", QMessageBox::Cancel));
  window_.run("members.photo");
  EXPECT_FALSE(std::filesystem::exists(photo_path(shop_, 1)));
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(320, 240));
  EXPECT_EQ(stored(1).has_photo(), 0);
}

TEST_F(MemberScreens, ButtonsToolbarAndKeysReachTheMemberScreens) {
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "NEW MEMBER");
    click(w, "cancel");
  });
  window_.findChild<QAbstractButton*>("big:New member")->click();

  s.then(answer("Delete member", "")).then(answer("Find member", ""));
  window_.action("tool:members.delete")->trigger();
  window_.action("tool:members.find")->trigger();

  s.then([](QWidget& w) {
    EXPECT_EQ(shown_text(child<QLabel>(w, "question")->text()), "Enter first line of address");
    static_cast<QDialog&>(w).reject();
  });
  window_.action("members.by_address")->trigger();
  for (const char* id : {"members.add30", "members.add90", "members.amend", "members.prune", "members.find_telephone",
                         "members.photo", "members.amend_last"})
    EXPECT_TRUE(window_.action(id)->isEnabled()) << id;
}

TEST(MemberPhotoPixels, TopRowFirstWithoutAlpha) {
  QImage image(2, 2, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(1, 2, 3, 128));
  image.setPixel(1, 0, qRgb(4, 5, 6));
  image.setPixel(0, 1, qRgb(7, 8, 9));
  image.setPixel(1, 1, qRgb(10, 11, 12));
  const auto px = photo_pixels(image.convertToFormat(QImage::Format_RGB32));
  ASSERT_EQ(px.size(), 4u);
  EXPECT_EQ(px[1], 0x00040506u);
  EXPECT_EQ(px[2], 0x00070809u);
  EXPECT_EQ(px[0] >> 24, 0u);
  EXPECT_EQ(photo_to_save(image, true).size(), QSize(2, 2));
  EXPECT_EQ(photo_to_save(image, false).size(), QSize(128, 96));
}

TEST_F(MemberScreens, ListWindowPagesThirteenRowsAtATime) {
  std::vector<ListRow> rows;
  for (int i = 1; i <= 20; ++i) rows.push_back({QString::number(i).toStdU16String(), u"Name", u"Mr A", u"Road"});
  QtCatalogueViews views(&window_, shop_);
  Screens s;
  s.then([](QWidget& w) {
     auto* t = child<QTableWidget>(w, "rows");
     EXPECT_EQ(w.windowTitle(), "Member list");
     EXPECT_EQ(t->rowCount(), 13);
     EXPECT_EQ(t->columnCount(), 4);
     EXPECT_EQ(t->item(12, 0)->text(), "13");
     EXPECT_TRUE(child<QPushButton>(w, "more")->isEnabled());
     click(w, "more");
   }).then([](QWidget& w) {
    auto* t = child<QTableWidget>(w, "rows");
    EXPECT_EQ(t->item(0, 0)->text(), "14");
    EXPECT_EQ(t->item(6, 0)->text(), "20");
    EXPECT_EQ(t->item(7, 0)->text(), "");  // the rest of the page is cleared
    EXPECT_FALSE(child<QPushButton>(w, "more")->isEnabled());
    click(w, "cancel");
  });
  EXPECT_EQ(show_list(shop_.op(), views, u"Member list", rows), 2);

  s.then(box("Problem", "No items on record."));
  EXPECT_EQ(show_list(shop_.op(), views, u"Member list", {}), 0);
}

TEST_F(MemberScreens, NewSearchesListLikelyDuplicatesBeforeStoring) {
  add_member("Smith", "", "");
  records::flip_toggle(shop_.config, records::Toggle::NewSearches);
  Screens s;
  s.then([](QWidget& w) {
     type(w, "name", "Smith");
     click(w, "ok");
   })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "New member search: name");
        auto* t = child<QTableWidget>(w, "rows");
        EXPECT_EQ(t->item(0, 0)->text(), "1");
        EXPECT_EQ(t->item(0, 1)->text(), "Smith");
        click(w, "cancel");
      })
      .then(box("New member", "Store record?", QMessageBox::Cancel));
  window_.run("members.add");
  EXPECT_FALSE(shop_.members.index().contains(2));
}

TEST_F(MemberScreens, ScreensFitTheCounterDisplay) {
  MemberForm form = MemberForm::blank(shop_, MemberAddKind::Plain);
  MemberFormScreen screen(shop_.config, form);
  screen.adjustSize();
  EXPECT_LE(screen.width(), 800);
  EXPECT_LE(screen.height(), 600);
  records::MemberRecord m;
  m.set_number(12);
  m.set_title(u"Mrs");
  m.set_initial(u"Ann");
  m.set_name(u"Baker");
  m.set_last_used(u"10:1505/12/2026");
  m.set_road(u"14 Northumberland Avenue West");
  m.set_area(u"Kingsbridge");
  m.set_telephone1(u"01632 960 555");
  m.set_telephone1_ext(u"22");
  m.set_comment1(u"Prefers games; ask for ID");
  m.set_owed(3.5f);
  m.set_on_loan(0, 1042);
  m.set_previous_items(0, 77);
  MemberDisplayScreen display(shop_, m);
  display.adjustSize();
  EXPECT_LE(display.width(), 800);
  EXPECT_LE(display.height(), 600);
  EXPECT_EQ(display.shown("last_used"), "10:15 Sat 5 Dec 26");
  save_picture(screen, "new_member");
  save_picture(display, "member");
  MemberForm amend = MemberForm::amend(m, 2026, true);
  MemberFormScreen amending(shop_.config, amend);
  save_picture(amending, "amend_member");
  std::vector<ListRow> rows(5, member_row(m));
  ListWindowScreen list("Member list", rows, false);
  save_picture(list, "list");
}

}  // namespace
}  // namespace kelvo::catalogue
