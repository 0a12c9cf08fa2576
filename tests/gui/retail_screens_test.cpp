// The retail commands through the main window and their real screens on a fresh shop.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "records/config_layout.h"
#include "records/record_files.h"

namespace kelvo {
namespace {

namespace cfg = records::cfg;
using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;

QString text_of(QWidget& w, const char* box) { return child<QLineEdit>(w, box)->text(); }
// For a press that brings up another screen: the script must have returned before it runs.
void later(QWidget& w, std::function<void()> f) { QTimer::singleShot(0, &w, std::move(f)); }

Screens::Step cash_tendered(QString due, QString tendered, QString change) {
  return [=](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "Cash tendered");
    EXPECT_EQ(text_of(w, "totalDue"), due);
    QTest::keyClicks(child<QLineEdit>(w, "tendered"), tendered);
    EXPECT_EQ(text_of(w, "change"), change);
    static_cast<QDialog&>(w).accept();
  };
}

class RetailScreens : public kelvo::testing::WindowTest {
 protected:
  void given_line(int64_t n, std::u16string description, int quantity, float price) {
    records::StockRecord r;
    r.set_number(n);
    r.set_description(description);
    r.set_quantity(quantity);
    r.set_sale_price(price);
    ASSERT_TRUE(records::add_stock(shop_, r));
  }
  int quantity_of(int64_t n) {
    records::StockRecord r;
    EXPECT_TRUE(records::read_stock(shop_, n, r));
    return r.quantity();
  }
  void taxes() {
    shop_.config.set_i64(cfg::kTax1Active, 1);
    shop_.config.set_i64(cfg::kTax1Rate, 1000);
    shop_.config.set_i64(cfg::kTax2Active, 1);
    shop_.config.set_i64(cfg::kTax2Rate, 500);
    shop_.config.set_i64(cfg::kTax2OnTotal, 1);
  }
};

TEST_F(RetailScreens, NewStockLineProposesTheNextNumber) {
  given_line(1, u"Cola 330ml", 24, 1.20f);
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "New stock line");
     EXPECT_EQ(text_of(w, "number"), "2");
     child<QLineEdit>(w, "description")->setText("Popcorn tub, large, salted");
     child<QLineEdit>(w, "quantity")->setText("-3");
     child<QLineEdit>(w, "salePrice")->setText("3.75");
     save_picture(w, "new_stock_line");
     later(w, [&w] { static_cast<QDialog&>(w).accept(); });
   })
      .then(box("Problem", "Invalid entry"))
      .then([](QWidget& w) {
        EXPECT_EQ(text_of(w, "quantity"), "-3");  // back with what was typed
        child<QLineEdit>(w, "quantity")->setText("12");
        static_cast<QDialog&>(w).accept();
      });
  window_.run("retail.new_line");
  ASSERT_TRUE(shop_.stock.index().contains(2));
  EXPECT_EQ(quantity_of(2), 12);
}

TEST_F(RetailScreens, SaleFromTheListWithItsCashTendered) {
  taxes();
  given_line(1, u"Popcorn tub", 10, 2.50f);
  given_line(2, u"Cola 330ml", 1, 1.20f);
  for (int64_t n = 3; n <= 12; ++n) given_line(n, u"Chocolate bar, assorted flavours", 40, 0.85f);
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "Sale");
     auto* list = child<QListWidget>(w, "stockList");
     ASSERT_EQ(list->count(), 12);
     EXPECT_EQ(list->item(0)->text(), "1 Popcorn tub,  2.50 (10)");
     click(w, "addTwo");
     list->setCurrentRow(1);
     click(w, "add");
     EXPECT_EQ(child<QListWidget>(w, "basket")->count(), 3);
     EXPECT_EQ(text_of(w, "subTotal"), "6.20");
     EXPECT_EQ(text_of(w, "tax1"), "0.62");
     EXPECT_EQ(text_of(w, "tax2"), "0.34");
     EXPECT_EQ(text_of(w, "total"), "7.16");
     save_picture(w, "sale_list");
     later(w, [&w] { click(w, "add"); });  // a second unit of the last cola
   })
      .then(box("Problem", "Out of stock."))
      .then([](QWidget& w) {
        EXPECT_EQ(child<QListWidget>(w, "basket")->count(), 3);
        click(w, "commit");
      })
      .then(cash_tendered("7.16", "10", "2.84"));
  window_.run("retail.sale");
  EXPECT_EQ(quantity_of(1), 8);
  EXPECT_EQ(quantity_of(2), 0);
  EXPECT_NEAR(shop_.config.f32(cfg::kStockSalesToday), 7.161f, 1e-5);  // the taxes as computed, not as shown
}

TEST_F(RetailScreens, ScannerFormTakesTypedLineNumbers) {
  shop_.config.set_i32(cfg::kSundrySaleByScanner, 2);
  given_line(4, u"Batteries AA (4)", 6, 3.99f);
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.findChild<QListWidget*>("stockList"), nullptr);
     auto* item = child<QLineEdit>(w, "item");
     QTest::keyClicks(item, "4");
     QTest::keyClick(item, Qt::Key_Return);
     EXPECT_EQ(text_of(w, "total"), "3.99");
     EXPECT_TRUE(w.isVisible());  // Return adds, it does not close the screen
     QTest::keyClicks(item, "44");
     save_picture(w, "sale_scanner");
     later(w, [item] { QTest::keyClick(item, Qt::Key_Return); });
   })
      .then(box("Problem", "Unknown item."))
      .then([](QWidget& w) { click(w, "cancel"); });
  window_.run("retail.sale");
  EXPECT_EQ(quantity_of(4), 6);
}

TEST_F(RetailScreens, NonInventorySaleByTouch) {
  taxes();
  use_real_dialogs();
  Screens s;
  s.then([](QWidget& w) {
     EXPECT_EQ(w.windowTitle(), "Non inventory sale");
     click(w, "quick1");  // "Lottery"
     click(w, "keySpace");
     click(w, "key2");
     click(w, "price5");
     click(w, "pad5");  // 5.005 is not taken: two places at most
     click(w, "padClear");
     click(w, "pad1");
     click(w, "padPoint");
     click(w, "pad5");
     EXPECT_EQ(text_of(w, "description"), "Lottery 2");
     EXPECT_EQ(text_of(w, "price"), "1.5");
     EXPECT_EQ(text_of(w, "nett"), "1.50");
     EXPECT_EQ(text_of(w, "tax1"), "0.15");
     EXPECT_EQ(text_of(w, "total"), "1.73");
     save_picture(w, "non_inventory_sale");
     click(w, "add");
   })
      .then(cash_tendered("1.73", "2", "0.27"));
  window_.run("retail.non_inventory");
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 1.73f);
}

TEST_F(RetailScreens, SellFilmThroughSaleOfRentalItem) {
  records::FilmRecord f;
  f.set_number(7);
  f.set_title(u"The Long Goodbye");
  f.set_charge_band(1);
  ASSERT_TRUE(records::add_film(shop_, f));
  use_real_dialogs();
  Screens s;
  s.then(answer("Sell film number / title", "7"))
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Sale of rental item");
        EXPECT_EQ(text_of(w, "title"), "The Long Goodbye");
        child<QLineEdit>(w, "price")->setText("-4");
        later(w, [&w] { static_cast<QDialog&>(w).accept(); });
      })
      .then(box("Problem", "Invalid amount"))
      .then([](QWidget& w) {
        child<QLineEdit>(w, "price")->setText("4.00");
        EXPECT_EQ(text_of(w, "total"), "4.00");
        save_picture(w, "sale_of_rental_item");
        static_cast<QDialog&>(w).accept();
      })
      .then(cash_tendered("4.00", "5", "1.00"));
  window_.run("films.sell");
  EXPECT_FALSE(shop_.films.index().contains(7));
}

}  // namespace
}  // namespace kelvo
