// The Configuration window through the main window: what OK stores (and writes to wr.cfg),
// what Cancel keeps, "Preview" with values not yet stored, and the "+" key opening the drawer.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "records/config_layout.h"
#include "shell/till_commands.h"
#include "reports/receipts_settings.h"
#include "till/till_fixture.h"

namespace kelvo {
namespace {

namespace cfg = records::cfg;
using testing::bytes;
using testing::operator+;
using testing::save_picture;
using testing::Screens;

class ConfigurationWindow : public testing::WindowTest {
 protected:
  ConfigurationWindow() { use_real_dialogs(); }

  static void type(QWidget& w, const char* page, const char* field, const QString& text) {
    auto* edit = w.findChild<QWidget*>(page)->findChild<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr) << page << " " << field;
    edit->setText(text);
  }
  static void tick(QWidget& w, const char* page, const char* box) {
    auto* b = w.findChild<QWidget*>(page)->findChild<QCheckBox*>(box);
    ASSERT_NE(b, nullptr) << page << " " << box;
    b->setChecked(true);
  }
  static void press(QWidget& w, QDialogButtonBox::StandardButton which) {
    w.findChild<QDialogButtonBox*>("buttons")->button(which)->click();
  }
  std::unique_ptr<records::ConfigBlock> on_disk() const {
    auto c = std::make_unique<records::ConfigBlock>();
    c->load(shop_.path("wr.cfg"));
    return c;
  }
};

TEST_F(ConfigurationWindow, OkStoresEveryPageAndWritesTheBlockCancelKeepsItAsItWas) {
  {
    Screens screens;
    screens.then([&](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), "Configuration");
      auto* tabs = w.findChild<QTabWidget*>("pages");
      ASSERT_EQ(tabs->count(), 5);
      EXPECT_EQ(tabs->currentIndex(), 0);
      const char* names[] = {"general", "bands", "receipts", "till_configuration", "pole_configuration"};
      const QString titles[] = {"General", "Bands", "Receipts", "Till configuration", "Pole configuration"};
      for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_EQ(tabs->tabText(i), titles[i]);
        tabs->setCurrentIndex(i);
        // Every page, whole, within the smallest screen the counter runs on.
        EXPECT_LE(w.sizeHint().width(), 1024) << titles[i].toStdString();
        EXPECT_LE(w.sizeHint().height(), 740) << titles[i].toStdString();
        save_picture(w, (std::string("configuration_") + names[i]).c_str());
      }
      type(w, "generalPage", "rentalDays", "14");
      type(w, "generalPage", "returnDeadline", "18:30");
      type(w, "generalPage", "category3", "COMEDY");  // three characters fit
      type(w, "bandsPage", "rental1", "400");
      type(w, "bandsPage", "overdue2", "200001");  // above the limit: the old rate stays
      tick(w, "drawerPage", "use");
      type(w, "drawerPage", "repeat", "3");
      type(w, "drawerPage", "openCharacter", "7");
      type(w, "polePage", "passiveText", "Welcome");
      type(w, "receiptsPage", "footer", "Thank you");
      press(w, QDialogButtonBox::Ok);
    });
    window_.run("utilities.configuration");
  }
  const auto stored = on_disk();
  for (const records::ConfigBlock* c : {&shop_.config, stored.get()}) {
    EXPECT_EQ(c->i64(cfg::kDefaultRentalDays), 14);
    EXPECT_EQ(c->return_deadline(), u"18:30");
    EXPECT_EQ(c->store_category(3), u"COM");
    EXPECT_EQ(c->i32(cfg::band_price(1)), 400);
    EXPECT_EQ(c->i64(cfg::overdue_rate(2)), 200);
    EXPECT_EQ(c->i64(cfg::kDrawerInUse), 1);
    EXPECT_EQ(c->i64(cfg::kDrawerRepeat), 3);
    EXPECT_EQ(c->str(cfg::kPoleTexts, cfg::kPoleTextWidth), u"Welcome");
    EXPECT_EQ(reports::receipt_settings(*c).footer, u"Thank you");
  }

  {
    Screens screens;
    screens.then([&](QWidget& w) {
      type(w, "generalPage", "rentalDays", "30");
      type(w, "bandsPage", "rental1", "999");
      press(w, QDialogButtonBox::Cancel);
    });
    window_.run("utilities.configuration");
  }
  const auto kept = on_disk();
  for (const records::ConfigBlock* c : {&shop_.config, kept.get()}) {
    EXPECT_EQ(c->i64(cfg::kDefaultRentalDays), 14);
    EXPECT_EQ(c->i32(cfg::band_price(1)), 400);
  }
}

TEST_F(ConfigurationWindow, PreviewShowsTheTypedValuesAndThePlusKeyOpensTheDrawer) {
  testing::Pty com1, com2;
  testing::PortVariable com1_is{"KELVO_COM1", com1.path};
  testing::PortVariable com2_is{"KELVO_COM2", com2.path};
  {
    Screens screens;
    screens.then([&](QWidget& w) {
      tick(w, "polePage", "use");
      type(w, "polePage", "passiveText", "Caf\u00e9 open");
      type(w, "polePage", "clearDisplay", "27,64");
      w.findChild<QWidget*>("polePage")->findChild<QPushButton*>("preview")->click();
      shell::wait_for_till(window_);
      press(w, QDialogButtonBox::Cancel);
    });
    window_.run("utilities.configuration");
  }
  EXPECT_EQ(com1.received(), bytes({27, 64}) + bytes("Caf\xe9 open"));
  EXPECT_EQ(shop_.config.i32(cfg::kPoleInUse), 0);  // nothing stored by a preview

  EXPECT_EQ(shell::find_command("till.open_drawer")->keys, "+");
  window_.run("till.open_drawer");
  shell::wait_for_till(window_);
  EXPECT_TRUE(com1.received().empty());  // not in use
  shop_.config.set_i64(cfg::kDrawerInUse, 1);
  shop_.config.set_i64(cfg::kDrawerPort, 1);
  shop_.config.set_i64(cfg::kDrawerOpenCharacter, 7);
  shop_.config.set_i64(cfg::kDrawerRepeat, 2);
  window_.run("till.open_drawer");
  shell::wait_for_till(window_);
  EXPECT_EQ(com2.received(), bytes({7, 7}));
}

}  // namespace
}  // namespace kelvo
