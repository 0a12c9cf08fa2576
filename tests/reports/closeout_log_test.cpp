#include "reports/closeout.h"

#include "figures_fixture.h"
#include "platform/recording_printer.h"
#include "records/transaction_log.h"
#include "reports/log_print.h"

namespace kelvo::testing {
namespace {

namespace cfg = records::cfg;
using reports::CloseoutChoice;

// Answers the closeout window with the given buttons, one per call of `act`, and records
// whether the window closed after each.
class ScriptedTill : public reports::TillViews {
 public:
  std::vector<CloseoutChoice> presses;
  std::vector<bool> closed;
  reports::TillFigures shown;
  void show_reconciliation(const reports::TillFigures& f) override { shown = f; }
  void run_closeout(const reports::TillFigures& f, const std::function<bool(CloseoutChoice)>& act) override {
    shown = f;
    for (CloseoutChoice c : presses) {
      closed.push_back(act(c));
      if (closed.back()) return;
    }
  }
};

class Closeout : public FiguresTest {
 protected:
  void day_of_figures() {
    config().set_f32(cfg::kDefaultTillTotal, 50.0f);
    config().set_takings_today(100.1f);
    config().set_f32(cfg::kCashRefundsToday, 2.5f);
    config().set_f32(cfg::kArrearsPaid, 10.2f);
    config().set_f32(cfg::kLateFeesPaid, 3.3f);
    config().set_f32(cfg::kMembershipTakingsToday, 5.0f);
    config().set_f32(cfg::kStockSalesToday, 7.7f);
    config().set_f32(cfg::kItemsSoldAmount, 9.9f);
    config().set_i64(cfg::kSignedOnOperator, 12);
    config().set_operator_name(12, u"Pat");
  }
  platform::RecordingPrinter printer_;
  ScriptedTill till_;
};

TEST_F(Closeout, FiguresInSinglePrecisionInTheirOrder) {
  day_of_figures();
  const auto f = reports::till_figures(config());
  EXPECT_EQ(f.rentals, 100.1f + 2.5f - 10.2f - 3.3f - 5.0f - 7.7f - 9.9f);
  EXPECT_EQ(f.sub_total, 50.0f + 100.1f + 2.5f);  // above the till total by the refund
  EXPECT_EQ(f.till_total, 50.0f + 100.1f);

  records::ConfigBlock only_retail;
  only_retail.set_takings_today(4.5f);
  only_retail.set_f32(cfg::kStockSalesToday, 4.5f);
  EXPECT_EQ(u8(reports::figure_lines(reports::till_figures(only_retail))[1]), "Rentals: 0.00");
}

TEST_F(Closeout, LogEntryByteForByteThenSignOff) {
  day_of_figures();
  const size_t before = log_text().size();
  till_.presses = {CloseoutChoice::Close};
  EXPECT_TRUE(reports::till_closeout(shop_, till_, printer_));
  EXPECT_EQ(u8(log_text().substr(before)),
            "\r\nTill closeout: 14:05 Mon 7 Dec 26\r\n"
            "Assoc: 12, Pat\r\n"
            "Initial till: 50.00\r\nRentals: 66.50\r\nArrears: 10.20\r\nOverdues: 3.30\r\n"
            "Memberships: 5.00\r\nRetail sales: 7.70\r\nItem sales: 9.90\r\nSub total: 152.60\r\n"
            "Refunds: 2.50\r\nTill total: 150.10\r\n");
  EXPECT_EQ(printer_.documents(), 0);
}

TEST_F(Closeout, CancelledPrintDialogStaysInTheWindowAndWritesNothing) {
  day_of_figures();
  const size_t before = log_text().size();
  printer_.set_start(platform::PrintStart::Cancelled);
  till_.presses = {CloseoutChoice::PrintAndClose, CloseoutChoice::Cancel};
  EXPECT_FALSE(reports::till_closeout(shop_, till_, printer_));
  EXPECT_EQ(till_.closed, (std::vector<bool>{false, true}));
  EXPECT_EQ(log_text().size(), before);

  printer_.set_start(platform::PrintStart::Started);
  till_.closed.clear();
  till_.presses = {CloseoutChoice::PrintAndClose};
  EXPECT_TRUE(reports::till_closeout(shop_, till_, printer_));
  const auto page = printer_.texts();
  ASSERT_EQ(page.size(), 13u);
  EXPECT_EQ(u8(page[0]), "Video Corner  Till closeout");
  EXPECT_EQ(u8(page[1]), "14:05 Mon 7 Dec 26");
  EXPECT_EQ(u8(page[12]), "Till total: 150.10");
}

TEST_F(Closeout, UnwritableLogKeepsTheOperatorSignedOn) {
  day_of_figures();
  std::filesystem::remove(shop_.path(records::files::kLog));
  std::filesystem::create_directory(shop_.path(records::files::kLog));
  till_.presses = {CloseoutChoice::Close};
  EXPECT_FALSE(reports::till_closeout(shop_, till_, printer_));
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: lgb4.dat, not present."));
}

class LogPrint : public FiguresTest {
 protected:
  void log(text::u16view s) { ASSERT_TRUE(records::append_log(shop_, s)); }
  platform::RecordingPrinter printer_;
};

TEST_F(LogPrint, DatedPrintStartsAtTheFirstMatchEvenInsideAnEntry) {
  std::filesystem::remove(shop_.path(records::files::kLog));
  log(u"\r\n09:00 05/12/2026  Switched on.\r\n");
  log(u"\r\n09:10 05/12/2026  Note for 07/12/2026 pickup\r\n");
  log(u"\r\n10:00 07/12/2026  Rental: 5\r\n");
  const text::u16 all = log_text();
  auto start = reports::dated_start(all, u"07/12/2026");
  ASSERT_TRUE(start);
  EXPECT_EQ(u8(all.substr(*start, 16)), "e for 07/12/2026");
  EXPECT_FALSE(reports::dated_start(all, u"08/12/2026"));
  EXPECT_EQ(reports::dated_start(u"07/12/2026", u"07/12/2026"), 0u);  // too close to the start

  EXPECT_FALSE(reports::print_log(shop_, printer_, reports::LogPrint::Day, u"01/12/2026"));
  EXPECT_TRUE(op_.saw("Problem, no transactions found for that date", "Please check 'old log file' for prior operations"));
  EXPECT_EQ(printer_.documents(), 0);

  EXPECT_TRUE(reports::print_log(shop_, printer_, reports::LogPrint::Today));
  const auto texts = printer_.texts();
  EXPECT_EQ(u8(texts[0]), "Video Corner Log file: 07/12/2026      Page: 1");
  EXPECT_EQ(u8(texts[1]), "e for 07/12/2026 pickup");
  EXPECT_EQ(u8(texts[2]), "");
  EXPECT_EQ(u8(texts[3]), "10:00 07/12/2026  Rental: 5");
  EXPECT_EQ(u8(texts.back()), "End output.");

  EXPECT_FALSE(reports::print_log(shop_, printer_, reports::LogPrint::Previous));
  EXPECT_TRUE(op_.saw("Problem", "Unable to open file."));
}

TEST_F(LogPrint, PagesContinueWhereTheLastStoppedAndLongLinesWrapAt253) {
  std::filesystem::remove(shop_.path(records::files::kLog));
  text::u16 entry = u"\r\n10:00 07/12/2026  Return\r\nline a\r\nline b\r\nline c\r\n";
  for (int i = 0; i < 20; ++i) log(entry);
  log(u"\r\n" + text::u16(300, u'x') + u"\x01\r\n");
  printer_.set_page(2400, 17 * (printer_.char_height() + 2));  // 17 lines a page: 15 of body
  EXPECT_TRUE(reports::print_log(shop_, printer_, reports::LogPrint::Whole));
  std::vector<text::u16> body;
  for (const auto& t : printer_.texts())
    if (t.find(u"Log file:") == text::u16::npos) body.push_back(t);
  // Each entry: a blank line from its leading CR, then four lines; the log's LFs are dropped.
  ASSERT_EQ(body.size(), 20 * 5 + 3 + 1u);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(u8(body[5 * k + 1]), "10:00 07/12/2026  Return") << k;
  EXPECT_EQ(body[101].size(), 253u);
  EXPECT_EQ(body[102].size(), 47u);  // the control code is dropped
  EXPECT_EQ(printer_.pages(), 7);  // 104 lines at 15 a page
  EXPECT_EQ(u8(printer_.texts(2)[0]), "Video Corner Log file: 07/12/2026      Page: 2");
}

}  // namespace
}  // namespace kelvo::testing
