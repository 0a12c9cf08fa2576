// What a screen reader or a switch does to a control (ticks it, puts text in it, selects a row)
// has the same effect on the screen as the mouse and the keyboard. Each case acts only through
// the accessibility interfaces and reads the outcome from the screen.
#include "gui/window_test.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "exchange/import_screen.h"
#include "platform/qt/prompt_dialog.h"

namespace kelvo::testing {
namespace {

QAccessibleInterface* spoken(QWidget& w, const char* name) {
  auto* c = w.findChild<QWidget*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c ? QAccessible::queryAccessibleInterface(c) : nullptr;
}
void assistive_tick(QWidget& w, const char* name) {
  if (auto* a = spoken(w, name)) a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}
void assistive_text(QWidget& w, const char* name, const QString& text) {
  if (auto* a = spoken(w, name)) a->setText(QAccessible::Value, text);
}

class AssistiveActions : public WindowTest {
 protected:
  AssistiveActions() { use_real_dialogs(); }
};

// A command's screen, acted on through the accessibility interfaces only.
struct ScreenCase {
  const char* command;
  std::function<void(QWidget&)> act_and_check;
};

TEST_F(AssistiveActions, CommandScreensFollowWhatTheirControlsHold) {
  const ScreenCase cases[] = {
      // The other barcode type ticked: its element width replaces the first one's; the first
      // ticked again: its width is back.
      {"utilities.barcodes",
       [](QWidget& w) {
         const bool ean = child<QRadioButton>(w, "ean")->isChecked();
         const char* first = ean ? "ean" : "code39";
         const char* other = ean ? "code39" : "ean";
         const QString width = child<QLineEdit>(w, "elementWidth")->text();
         assistive_tick(w, other);
         EXPECT_TRUE(child<QRadioButton>(w, other)->isChecked());
         EXPECT_NE(child<QLineEdit>(w, "elementWidth")->text(), width);
         assistive_tick(w, first);
         EXPECT_EQ(child<QLineEdit>(w, "elementWidth")->text(), width);
       }},
      // A description put in by a screen reader is kept when a quick price is pressed.
      {"retail.non_inventory",
       [](QWidget& w) {
         assistive_text(w, "description", "Popcorn");
         click(w, "price2");
         EXPECT_EQ(child<QLineEdit>(w, "description")->text(), "Popcorn");
         EXPECT_EQ(child<QLineEdit>(w, "total")->text(), "2.00");
       }},
      // The charge band is one Tab after the title on a new item.
      {"films.new_format1",
       [](QWidget& w) {
         child<QLineEdit>(w, "title")->setFocus();
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
         EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "charge_band"));
       }},
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.command);
    Screens s;
    s.then([&c](QWidget& w) {
      c.act_and_check(w);
      static_cast<QDialog&>(w).reject();
    });
    window_.run(c.command);
  }
}

// The replacement letter and its value are open only while the replacement is ticked.
TEST_F(AssistiveActions, FilmDatabaseReplacementOpensWithItsTick) {
  exchange::ColumnMappingScreen screen(exchange::ImportRecords::Films, {1, 2});
  EXPECT_FALSE(child<QLineEdit>(screen, "letter")->isEnabled());
  EXPECT_FALSE(child<QLineEdit>(screen, "value")->isEnabled());
  assistive_tick(screen, "replace");
  EXPECT_TRUE(child<QLineEdit>(screen, "letter")->isEnabled());
  EXPECT_TRUE(child<QLineEdit>(screen, "value")->isEnabled());
}

// A row selected through the list's table interface is the row chosen, not the one under the
// cursor.
TEST_F(AssistiveActions, ChoiceListTakesTheSelectedRow) {
  platform::qt::ChoiceDialog d("Select day:", {"Mon", "Tue", "Wed"}, 0);
  QAccessibleInterface* rows = spoken(d, "rows");
  ASSERT_NE(rows, nullptr);
  ASSERT_NE(rows->tableInterface(), nullptr);
  rows->tableInterface()->selectRow(2);
  EXPECT_EQ(d.chosen(), 2);
}

}  // namespace
}  // namespace kelvo::testing
