// The receipt screens offscreen: the Custom receipt dialog from the Options menu, the
// "Receipts" configuration page, the cash tendered screen's receipt buttons, and one receipt
// of each kind printed to PDF and read back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "counter/cash_tendered_screen.h"
#include "gui/pdf_reading.h"
#include "gui/window_test.h"
#include "platform/qt/qt_printer.h"
#include "platform/recording_printer.h"
#include "records/config_layout.h"
#include "reports/receipts.h"
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "text/format.h"

namespace kelvo {
namespace {

namespace cfg = records::cfg;
using counter::RentalReceiptForm;
using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;

counter::RentalReceipt receipt() {
  counter::RentalReceipt r;
  r.member = 42;
  r.title = u"Mr";
  r.initial = u"J";
  r.name = u"Smith";
  r.road = u"1 High Street";
  r.items = {{7, u"Gone Fishing", u"14:0507/12/2026", u"14:0510/12/2026"}};
  r.rental_charge = 3.0f;
  r.rentals_ex_tax = 3.0f;
  r.arrears_settled = 2.0f;
  r.transaction = 17;
  r.return_time = u"17:05";
  r.when = testing::at(2026, 12, 7, 14, 5);
  return r;
}

class ReceiptScreens : public kelvo::testing::WindowTest {
 protected:
  ReceiptScreens() {
    use_real_dialogs();
    for (int i = 1; i <= 6; ++i) shop_.address.set_line(i, text::format("Store line %d", {i}));
    shop_.config.set_str(cfg::kCurrencySymbol, 10, u"$");
    printer_.print_to_pdf_file(dir_.filePath("receipt.pdf"));
  }
  // The one page of the printed receipt as pdftotext lays it out.
  QString printed(const char* name) const {
    if (const char* folder = std::getenv("KELVO_SCREENSHOTS"))
      QFile::copy(dir_.filePath("receipt.pdf"), QString::fromLocal8Bit(folder) + "/" + name + ".pdf");
    const QStringList pages = testing::pdf_pages(dir_.filePath("receipt.pdf"));
    EXPECT_EQ(pages.size(), 1);
    return pages.value(0);
  }
  QTemporaryDir dir_;
  platform::qt::QtPrinter printer_;
};

TEST_F(ReceiptScreens, CustomReceiptDialogStoresLinesUpToFortyAndWritesTheSettings) {
  ASSERT_TRUE(opened_);
  EXPECT_TRUE(window_.action("options.custom_receipt")->isEnabled());
  shop_.config.set_i32(cfg::kCustomReceiptBlankLines, 4);
  shop_.config.set_i32(cfg::kCustomReceiptLines, 9);
  {
    Screens s;
    s.then([](QWidget& w) {
      EXPECT_EQ(w.windowTitle(), "Custom receipt");
      EXPECT_TRUE(child<QLabel>(w, "note")->text().startsWith("The value is the number of lines from the top"));
      EXPECT_EQ(w.findChildren<QLineEdit*>().size(), 22);
      EXPECT_EQ(child<QLineEdit>(w, "line0")->text(), "9");
      EXPECT_EQ(child<QLineEdit>(w, "blankLines")->text(), "4");
      type(w, "line0", "41");  // above the limit: the old line stays
      type(w, "line14", "3");
      type(w, "line20", "40");
      type(w, "blankLines", "20");
      child<QCheckBox>(w, "includeLogo")->setChecked(true);
      save_picture(w, "custom_receipt");
      EXPECT_LE(w.width(), 1024);
      EXPECT_LE(w.height(), 768);
      QTimer::singleShot(0, &w, [&w] { static_cast<QDialog&>(w).accept(); });
    });
    window_.run("options.custom_receipt");
  }
  records::ConfigBlock stored;
  ASSERT_TRUE(stored.load(shop_.path("wr.cfg")));
  EXPECT_EQ(stored.i32(cfg::kCustomReceiptLines), 9);
  EXPECT_EQ(stored.i32(cfg::kCustomReceiptLines + 4 * 14), 3);
  EXPECT_EQ(stored.i32(cfg::kCustomReceiptLines + 4 * 20), 40);
  EXPECT_EQ(stored.i32(cfg::kCustomReceiptBlankLines), 20);
  EXPECT_EQ(stored.i32(cfg::kCustomReceiptLogo), 2);
}

TEST_F(ReceiptScreens, CashTenderedButtonsPrintTheRentalReceiptsToPaper) {
  reports::Receipts receipts(shop_, printer_);
  counter::CashTenderedModel model;
  model.total_due = u"5.00";
  model.receipts = &receipts;
  model.receipt = receipt();
  counter::qt::CashTenderedDialog dialog(model);
  save_picture(dialog, "cash_tendered");

  child<QPushButton>(dialog, "tillReceipt1")->click();
  const QString till = printed("till_receipt_1");
  for (const char* line : {"Store line 1", "Sales Receipt # 17", "Dec 7 2026", "------------------",
                           "Late fees: 2.00", "Rentals: 3.00", "Total: $5.00", "==================",
                           "Always happy to help!"})
    EXPECT_TRUE(till.contains(line)) << line << "\n" << till.toStdString();

  child<QPushButton>(dialog, "pageReceipt")->click();
  const QString page = printed("page_receipt");
  for (const char* pattern : {"Mr J Smith \\(ID: 42\\)", "1 High Street", "Items:",
                              "7\\s+Gone Fishing\\s+at 14:05 Dec 07 due 17:05 Dec 10", "Total: \\$5\\.00",
                              "Signed \\.+"})
    EXPECT_TRUE(page.contains(QRegularExpression(pattern))) << pattern << "\n" << page.toStdString();
  // The date stands at the right, after the member's lines.
  EXPECT_GT(page.indexOf("Dec 7 2026"), page.indexOf("1 High Street"));

  // Stock sold during the rental prints its own page receipt, headed by the member.
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("saleReceipt")), nullptr);
  given_smith_and_two_films();
  model.sale_receipts = &receipts;
  model.sale_receipt = counter::SaleReceipt{{{u"Popcorn", 1.5f}}, 0, 0, 1.5f, 42};
  counter::qt::CashTenderedDialog with_sale(model);
  child<QPushButton>(with_sale, "saleReceipt")->click();
  const QString sale = printed("retail_page_receipt");
  for (const char* pattern : {"Mr John Smith", "1 High Street", "Items:", "Popcorn\\s+1\\.50", "Total: \\$1\\.50"})
    EXPECT_TRUE(sale.contains(QRegularExpression(pattern))) << pattern << "\n" << sale.toStdString();
}

TEST_F(ReceiptScreens, RetailReceiptPrintsEachUnitAndTheTotalToPaper) {
  reports::Receipts receipts(shop_, printer_);
  counter::SaleReceipt sale;
  sale.items = {{u"Popcorn", 1.5f}, {u"Cola", 0.9f}};
  sale.tax1 = 0.24f;
  sale.total = 2.64f;
  receipts.print_sale_receipt(sale, counter::SaleReceiptForm::MultiTill);
  const QString till = printed("retail_till_receipt");
  for (const char* pattern : {"Store line 6", "\\s=======\\n", "Popcorn\\s+1\\.50", "Cola\\s+0\\.90",
                              "Tax 1: 0\\.24", "\\s==============\\n", "Total: \\$2\\.64"})
    EXPECT_TRUE(till.contains(QRegularExpression(pattern))) << pattern << "\n" << till.toStdString();
}

}  // namespace
}  // namespace kelvo
