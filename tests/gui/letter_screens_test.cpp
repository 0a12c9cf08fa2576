// The letter, label, card and heading windows through the main window's commands, offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "gui/pdf_reading.h"
#include "gui/window_test.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "reports/letter_texts.h"
#include "reports/photo_id.h"
#include "shell/main_window.h"
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "text/coding.h"

namespace kelvo {
namespace {

using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;

// Buttons whose answer may be a message box are pressed once the step has returned, so that the
// script can act on that box too.
void press_later(QWidget& w, const char* name) {
  QTimer::singleShot(0, &w, [&w, name] { child<QAbstractButton>(w, name)->click(); });
}
void accept(QWidget& w) {
  QTimer::singleShot(0, &w, [&w] { static_cast<QDialog&>(w).accept(); });
}
void reject_later(QWidget& w) {
  QTimer::singleShot(0, &w, [&w] { static_cast<QDialog&>(w).reject(); });
}

class LetterScreens : public kelvo::testing::WindowTest {
 protected:
  LetterScreens() {
    qputenv("KELVO_PRINT_TO_PDF", prints_.path().toUtf8());
    use_real_dialogs();
  }
  ~LetterScreens() override { qunsetenv("KELVO_PRINT_TO_PDF"); }
  QString printed(int n) const { return prints_.filePath(QString("QUENDRIX-%1.pdf").arg(n, 3, 10, QChar('0'))); }
  std::string file_bytes(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  QTemporaryDir prints_;
};

TEST_F(LetterScreens, EveryLetterCommandIsThereForEveryone) {
  for (const char* id :
       {"options.overdue_letter1", "options.overdue_letter2", "options.unpaid_letter", "options.overdue_letter_text",
        "options.mailmerge", "options.membership_form", "members.print_details", "members.print_rented_by",
        "members.photo_id_config", "members.photo_id", "utilities.barcodes", "utilities.print_heading"})
    EXPECT_TRUE(window_.action(id)->isEnabled()) << id;
}

TEST_F(LetterScreens, BarcodeWindowRefusesTextAndRangesThenPrintsAndRetains) {
  ASSERT_TRUE(opened_);
  {
    Screens s;
    s.then([](QWidget& w) {
       EXPECT_EQ(w.windowTitle(), "Barcode");
       EXPECT_EQ(child<QLineEdit>(w, "start")->text(), "1");
       EXPECT_EQ(child<QLineEdit>(w, "originX")->text(), "3600");
       EXPECT_TRUE(child<QRadioButton>(w, "films")->isChecked());
       EXPECT_TRUE(child<QRadioButton>(w, "code39")->isChecked());
       EXPECT_EQ(child<QLineEdit>(w, "elementWidth")->text(), "40");
       EXPECT_TRUE(child<QCheckBox>(w, "printerDefault")->isChecked());
       save_picture(w, "barcode");
       click(w, "threeColumn");
       EXPECT_EQ(child<QLineEdit>(w, "labelsPerSheet")->text(), "48");
       EXPECT_FALSE(child<QLineEdit>(w, "originX")->isEnabled());
       click(w, "ean");
       EXPECT_EQ(child<QLineEdit>(w, "elementWidth")->text(), "50");
       type(w, "originY", "4OO");
       accept(w);
     })
        .then(box("Problem", "Not a number: Origin Y"))
        .then([](QWidget& w) {
          EXPECT_EQ(w.windowTitle(), "Barcode");  // still open, with what was typed
          type(w, "originY", "400");
          type(w, "finish", "100000000000000001");
          accept(w);
        })
        .then(box("Problem", "Range limit 100000000000000000"))
        .then([](QWidget& w) {
          type(w, "finish", "100000000000000000");
          type(w, "start", "0");
          accept(w);
        })
        .then(box("Problem", "Invalid range"));
    window_.run("utilities.barcodes");
  }
  EXPECT_EQ(shop_.config.i32(records::cfg::kBarcodeType), 1);  // stored on OK even so

  {
    Screens again;
    again.then([](QWidget& w) {
      EXPECT_EQ(child<QLineEdit>(w, "labelsPerSheet")->text(), "16");  // not retained: defaults
      click(w, "allValues");
      type(w, "start", "123");
      type(w, "finish", "125");
      click(w, "ean");
      child<QCheckBox>(w, "retain")->setChecked(true);
      accept(w);
    });
    window_.run("utilities.barcodes");
  }
  EXPECT_EQ(testing::decoded_barcodes(printed(1)),
            (QStringList{"EAN-13:0000000001236", "EAN-13:0000000001243", "EAN-13:0000000001250"}));

  {
    Screens retained;
    retained.then([](QWidget& w) {
      EXPECT_TRUE(child<QRadioButton>(w, "allValues")->isChecked());
      EXPECT_TRUE(child<QRadioButton>(w, "ean")->isChecked());
      static_cast<QDialog&>(w).reject();
    });
    window_.run("utilities.barcodes");
  }
}

TEST_F(LetterScreens, LetterTextsResetAndSaveByteExact) {
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Overdue letter text");
    child<QPlainTextEdit>(w, "letter1")->setPlainText("Our own words");
    save_picture(w, "overdue_letter_text");
    click(w, "reset");
    EXPECT_TRUE(child<QPlainTextEdit>(w, "letter1")->toPlainText().startsWith("Please return at"));
    child<QPlainTextEdit>(w, "letter2")->setPlainText("Line one\nLine two");
    accept(w);
  });
  window_.run("options.overdue_letter_text");
  EXPECT_EQ(file_bytes("Custfor2.txt"), text::utf16le_bytes(reports::default_closing(reports::OverdueLetter::First)));
  EXPECT_EQ(file_bytes("Custfor8.txt"), text::utf16le_bytes(u"Line one\r\nLine two"));
}

TEST_F(LetterScreens, CustomerAgreementPrintsItsCopies) {
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "Customer agreement");
     EXPECT_TRUE(child<QPlainTextEdit>(w, "formText")->toPlainText().startsWith("Rules and conditions of membership:"));
     save_picture(w, "customer_agreement");
     type(w, "copies", "two");
     press_later(w, "print");
   })
      .then(box("Problem", "Copies: enter a number."))
      .then([](QWidget& w) {
        type(w, "copies", "2");
        press_later(w, "print");
        reject_later(w);
      });
  window_.run("options.membership_form");
  EXPECT_EQ(testing::pdf_info(printed(1), "Pages"), "2");
  EXPECT_TRUE(testing::pdf_pages(printed(1)).value(1).contains("Application form"));
}

TEST_F(LetterScreens, PrintHeadingChangesLinesOneToSixOnly) {
  shop_.address.set_line(7, u"Line seven stays");
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Print heading");
    EXPECT_EQ(child<QLineEdit>(w, "line1")->maxLength(), 40);
    type(w, "line1", "Corner Video");
    type(w, "line6", "01632 960123");
    save_picture(w, "print_heading");
    accept(w);
  });
  window_.run("utilities.print_heading");
  EXPECT_EQ(shop_.address.line(1), u"Corner Video");
  EXPECT_EQ(shop_.address.line(6), u"01632 960123");
  EXPECT_EQ(shop_.address.line(7), u"Line seven stays");
}

TEST_F(LetterScreens, PhotoIdConfigurationRefusesAnOriginThatIsNoNumber) {
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "Photo ID card configuration");
     EXPECT_FALSE(child<QLineEdit>(w, "cardText")->isEnabled());
     click(w, "element2");
     EXPECT_TRUE(child<QLineEdit>(w, "cardText")->isEnabled());
     type(w, "cardText", "Valid at every branch");
     type(w, "originX", "x");
     save_picture(w, "photo_id_configuration");
     accept(w);
   })
      .then(box("Problem", "Origin X must be a whole number above 0"))
      .then([](QWidget& w) {
        type(w, "originX", "150");
        type(w, "originY", "220");
        accept(w);
      });
  window_.run("members.photo_id_config");
  const auto s2 = reports::load_photo_id_settings(shop_.config);
  EXPECT_EQ(s2.origin_x, 150);
  EXPECT_EQ(s2.origin_y, 220);
  EXPECT_EQ(s2.element, reports::CardElement::Text);
  EXPECT_EQ(s2.text, u"Valid at every branch");
}

TEST_F(LetterScreens, UnpaidLetterAsksForTheMemberAndPrintsNothingWhenNothingIsOwed) {
  records::MemberRecord m;
  m.set_number(5);
  m.set_name(u"Quist");
  m.set_category(1);
  ASSERT_TRUE(records::add_member(shop_, m));
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(shown_text(child<QLabel>(w, "question")->text()), "Number / Last name / fragment");
     child<QLineEdit>(w, "answer")->setText("5");
     accept(w);
   }).then(box("Problem", "No unpaid fees."));
  window_.run("options.unpaid_letter");
  EXPECT_TRUE(QDir(prints_.path()).isEmpty());
}

TEST_F(LetterScreens, MailMergeWindowShowsItsFields) {
  Screens s;
  s.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Mailmerge");
    EXPECT_TRUE(child<QRadioButton>(w, "selection0")->isChecked());
    child<QPlainTextEdit>(w, "body")->setPlainText("Dear member, our shop has moved.");
    save_picture(w, "mailmerge");
    static_cast<QDialog&>(w).reject();
  });
  window_.run("options.mailmerge");
}

}  // namespace
}  // namespace kelvo
