// The pricing settings screens offscreen: what they show, what OK stores, refused values.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h

#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "counter/band_days_screen.h"
#include "counter/closed_day_screen.h"
#include "counter/rental_credits_screen.h"
#include "counter/special_offers_screen.h"
#include "platform/qt/qt_operator.h"
#include "records/access.h"
#include "records/config_layout.h"
#include "records/shop.h"
#include "shell/pricing_commands.h"

namespace kelvo::counter {
namespace {

namespace cfg = records::cfg;

template <typename W>
W* child(QWidget& screen, const QString& name) {
  auto* w = screen.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

QLineEdit* edit(QWidget& s, const QString& name) { return child<QLineEdit>(s, name); }

records::ConfigBlock with_offers() {
  records::ConfigBlock c;
  for (int k = 1; k <= 4; ++k) {
    c.set_i64(cfg::offer_price(k), 100 * k);
    c.set_i64(cfg::offer_days(k), k);
  }
  c.set_i32(cfg::kOfferUsesBandDays + 4, 2);  // offer 2 takes the band's days
  return c;
}

TEST(SpecialOffersScreen, ShowsTheFourOffersAndLocksDaysWhileBandDaysAreTicked) {
  auto c = with_offers();
  SpecialOffersScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "Special offers");
  EXPECT_EQ(child<QWidget>(screen, "offer1")->property("title").toString(), "Offer 1 ('7' key)");
  EXPECT_EQ(child<QWidget>(screen, "offer4")->property("title").toString(), "Offer 4 ('0' key)");
  EXPECT_EQ(edit(screen, "total3")->text(), "300");
  EXPECT_EQ(edit(screen, "days3")->text(), "3");
  EXPECT_FALSE(edit(screen, "days1")->isReadOnly());
  EXPECT_TRUE(edit(screen, "days2")->isReadOnly());
  child<QCheckBox>(screen, "bandDays1")->setChecked(true);
  EXPECT_TRUE(edit(screen, "days1")->isReadOnly());
  child<QCheckBox>(screen, "bandDays2")->setChecked(false);
  EXPECT_FALSE(edit(screen, "days2")->isReadOnly());
}

TEST(SpecialOffersScreen, StoresGoodValuesAndKeepsOldOnesForBadValues) {
  auto c = with_offers();
  SpecialOffersScreen screen(c);
  edit(screen, "total1")->setText("19999");
  edit(screen, "days1")->setText("14");
  edit(screen, "total2")->setText("1");
  edit(screen, "days2")->setText("15");
  edit(screen, "total3")->setText("");
  edit(screen, "days3")->setText("x");
  child<QCheckBox>(screen, "bandDays4")->setChecked(true);
  screen.settings().store(c);
  EXPECT_EQ(c.i64(cfg::offer_price(1)), 19999);
  EXPECT_EQ(c.i64(cfg::offer_days(1)), 14);
  EXPECT_EQ(c.i64(cfg::offer_price(2)), 200);
  EXPECT_EQ(c.i64(cfg::offer_days(2)), 2);
  EXPECT_EQ(c.i64(cfg::offer_price(3)), 300);
  EXPECT_EQ(c.i64(cfg::offer_days(3)), 3);
  EXPECT_EQ(c.i32(cfg::kOfferUsesBandDays + 4), 2);
  EXPECT_EQ(c.i32(cfg::kOfferUsesBandDays + 12), 2);
  EXPECT_EQ(c.i32(cfg::kOfferUsesBandDays), 0);
}

TEST(BandDaysScreen, AcceptsDaysFromOneToTwentyEight) {
  records::ConfigBlock c;
  c.set_i32(cfg::kBandDays + 8, 5);
  BandDaysScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "Charge band days");
  EXPECT_EQ(edit(screen, "band2")->text(), "5");
  EXPECT_FALSE(child<QCheckBox>(screen, "active")->isChecked());
  child<QCheckBox>(screen, "active")->setChecked(true);
  edit(screen, "band1")->setText("28");
  edit(screen, "band2")->setText("29");
  screen.settings().store(c);
  EXPECT_GT(c.i32(cfg::kBandDays), 0);
  EXPECT_EQ(c.i32(cfg::kBandDays + 4), 28);
  EXPECT_EQ(c.i32(cfg::kBandDays + 8), 5);
}

TEST(ClosedDayScreen, OneDayChosenAndTheTwoDayBox) {
  records::ConfigBlock c;
  ClosedDayScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "Closed day");
  EXPECT_TRUE(child<QRadioButton>(screen, "day0")->isChecked());
  EXPECT_EQ(child<QRadioButton>(screen, "day0")->text(), "Non");
  EXPECT_EQ(child<QRadioButton>(screen, "day1")->text(), "Sunday");
  child<QRadioButton>(screen, "day3")->setChecked(true);
  child<QCheckBox>(screen, "twoDays")->setChecked(true);
  screen.settings().store(c);
  EXPECT_EQ(c.i32(cfg::kClosedDay), 3);
  EXPECT_EQ(c.i32(cfg::kClosedTwoDays), 2);
  ClosedDayScreen again(c);
  EXPECT_TRUE(child<QRadioButton>(again, "day3")->isChecked());
}

TEST(RentalCreditsScreen, ProposesOneCreditPerTenRentalsAndRefusesTooLarge) {
  records::ConfigBlock c;
  RentalCreditsScreen screen(c);
  EXPECT_EQ(screen.windowTitle(), "Rental credits");
  EXPECT_EQ(edit(screen, "credits")->text(), "1");
  EXPECT_EQ(edit(screen, "perRentals")->text(), "10");
  child<QCheckBox>(screen, "use")->setChecked(true);
  edit(screen, "threshold")->setText("20");
  edit(screen, "perRentals")->setText("-5");
  screen.settings().store(c);
  EXPECT_EQ(c.i32(cfg::kRentalCreditsRule), 2);
  EXPECT_EQ(c.i32(cfg::kRentalCreditsRule + 4), 20);
  EXPECT_EQ(c.i32(cfg::kRentalCreditsRule + 8), 1);
  EXPECT_EQ(c.i32(cfg::kRentalCreditsRule + 12), 0);  // refused: the stored 0 stays
}

class PricingCommands : public kelvo::testing::ShopTest {
 protected:
  PricingCommands() : window_(shop_, qt_op_) { opened_ = window_.open_shop(32); }
  platform::qt::QtOperator qt_op_;
  shell::MainWindow window_;
  bool opened_ = false;
};

TEST_F(PricingCommands, ClosedDayChosenFromTheMenuIsWrittenToTheSettingsFile) {
  ASSERT_TRUE(opened_);
  bool shown = false;
  // The window is the timer's context: a timer left behind must not fire in a later test.
  QTimer::singleShot(0, &window_, [&shown] {
    auto* screen = qobject_cast<ClosedDayScreen*>(QApplication::activeModalWidget());
    ASSERT_NE(screen, nullptr);
    shown = true;
    screen->findChild<QRadioButton*>("day2")->setChecked(true);
    screen->accept();
  });
  window_.run("utilities.closed_day");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shop_.config.i32(cfg::kClosedDay), 2);
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_EQ(saved.i32(cfg::kClosedDay), 2);
}

TEST_F(PricingCommands, CancelledScreenChangesNothing) {
  ASSERT_TRUE(opened_);
  window_.access() = records::AccessState::Unrestricted;  // the administrator is signed on
  bool shown = false;
  QTimer::singleShot(0, &window_, [&shown] {
    auto* screen = qobject_cast<SpecialOffersScreen*>(QApplication::activeModalWidget());
    ASSERT_NE(screen, nullptr);
    shown = true;
    screen->findChild<QLineEdit*>("total1")->setText("999");
    screen->reject();
  });
  window_.run("options.special_offers");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shop_.config.i64(cfg::offer_price(1)), 200);
}

TEST_F(PricingCommands, OffersAreRestrictedByTheirFlagAndLastForTheWindow) {
  ASSERT_TRUE(opened_);
  records::set_restricted(shop_.config, records::Flag::SpecialOffers, true);
  window_.access() = records::AccessState::Restricted;
  window_.refresh_menus();
  for (auto id : {"options.special_offers", "options.offer_one_price", "options.offer_two_items",
                  "options.offer_three_items"})
    EXPECT_FALSE(window_.action(id)->isEnabled()) << id;
  EXPECT_TRUE(window_.action("options.rental_credits")->isEnabled());
  auto& offers = shell::offer_state(window_);
  EXPECT_FALSE(offers.any_in_use());
  offers.any_two = 500;
  EXPECT_EQ(shell::offer_state(window_).any_two, 500);
}

}  // namespace
}  // namespace kelvo::counter
