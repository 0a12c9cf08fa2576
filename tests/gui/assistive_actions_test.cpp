// What a screen reader or a switch does to a control (ticks it, puts text in it, selects a row)
// has the same effect as the mouse and the keyboard: each case acts only through the
// accessibility interfaces and reads the outcome from the screen.
#include "gui/window_test.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QRadioButton>
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

using AssistiveActions = WindowTest;

TEST_F(AssistiveActions, CommandScreensFollowWhatTheirControlsHold) {
  const std::pair<const char*, std::function<void(QWidget&)>> cases[] = {
      // The other barcode type ticked brings its element width; the first ticked again, its own.
      {"utilities.barcodes",
       [](QWidget& w) {
         const bool ean = child<QRadioButton>(w, "ean")->isChecked();
         const QString width = child<QLineEdit>(w, "elementWidth")->text();
         assistive_tick(w, ean ? "code39" : "ean");
         EXPECT_TRUE(child<QRadioButton>(w, ean ? "code39" : "ean")->isChecked());
         EXPECT_NE(child<QLineEdit>(w, "elementWidth")->text(), width);
         assistive_tick(w, ean ? "ean" : "code39");
         EXPECT_EQ(child<QLineEdit>(w, "elementWidth")->text(), width);
       }},
      // A description put in by a screen reader is kept when a quick price is pressed.
      {"retail.non_inventory",
       [](QWidget& w) {
         if (auto* a = spoken(w, "description")) a->setText(QAccessible::Value, "Popcorn");
         click(w, "price2");
         EXPECT_EQ(child<QLineEdit>(w, "description")->text(), "Popcorn");
         EXPECT_EQ(child<QLineEdit>(w, "total")->text(), "2.00");
       }},
  };
  use_real_dialogs();
  for (const auto& [command, act_and_check] : cases) {
    SCOPED_TRACE(command);
    Screens s;
    s.then([&, act = act_and_check](QWidget& w) { act(w), static_cast<QDialog&>(w).reject(); });
    window_.run(command);
  }
}

TEST_F(AssistiveActions, FilmDatabaseReplacementOpensWithItsTick) {
  exchange::ColumnMappingScreen screen(exchange::ImportRecords::Films, {1, 2});
  EXPECT_FALSE(child<QLineEdit>(screen, "value")->isEnabled());
  assistive_tick(screen, "replace");
  EXPECT_TRUE(child<QLineEdit>(screen, "letter")->isEnabled());
  EXPECT_TRUE(child<QLineEdit>(screen, "value")->isEnabled());
}

// The row selected through the table interface is the one chosen, not the one under the cursor.
TEST_F(AssistiveActions, ChoiceListTakesTheSelectedRow) {
  platform::qt::ChoiceDialog d("Select day:", {"Mon", "Tue", "Wed"}, 0);
  QAccessibleInterface* rows = spoken(d, "rows");
  ASSERT_TRUE(rows && rows->tableInterface());
  rows->tableInterface()->selectRow(2);
  EXPECT_EQ(d.chosen(), 2);
}

}  // namespace
}  // namespace kelvo::testing
