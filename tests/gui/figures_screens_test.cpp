// The day's figures through the main window: status window, prints to PDF read back with
// pdftotext, the takings list, the till closeout and the graph, with screenshots to look at.
#include "support/scripted_operator.h"  // before Qt: see records/shop.h
#include "shell/main_window.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/window_test.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/transaction_log.h"
#include "reports/graph_screen.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo {
namespace {

using kelvo::testing::at;
using kelvo::testing::save_picture;
using kelvo::testing::Screens;
using namespace kelvo::testing;
namespace cfg = records::cfg;

// pdftotext keeps columns, not the exact runs of blanks: texts are compared with each run as one.
QString flat(const QString& s) {
  QStringList lines = s.split('\n');
  for (QString& l : lines) l = l.simplified();
  return lines.join('\n');
}

// Every PDF the prints wrote, as laid-out text, in the order written.
class FiguresScreens : public kelvo::testing::WindowTest {
 protected:
  FiguresScreens() {
    use_real_dialogs();
    qputenv("KELVO_PRINT_TO_PDF", pdfs_.path().toUtf8());
    shop_.address.set_line(1, u"Video Corner");
  }
  ~FiguresScreens() override { qunsetenv("KELVO_PRINT_TO_PDF"); }

  QString last_pdf_text() const {
    const QStringList files = QDir(pdfs_.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    if (files.isEmpty()) return {};
    QProcess p;
    p.start("pdftotext", {"-layout", pdfs_.filePath(files.last()), "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }
  int pdf_count() const { return QDir(pdfs_.path()).entryList({"*.pdf"}, QDir::Files).size(); }

  QTemporaryDir pdfs_;
};

TEST_F(FiguresScreens, F12ShowsTheStatusWindow) {
  shop_.config.set_takings_today(42.5f);
  shop_.config.set_f32(cfg::kLateFeesTotal, 3.25f);
  Screens screens;
  screens.then([](QWidget& w) {
    EXPECT_EQ(w.windowTitle(), "QUENDRIX STATUS Monday December 7 2026 ");
    bool found = false;
    for (auto* l : w.findChildren<QLabel*>()) found = found || l->text() == "Today's takings: 42.50";
    EXPECT_TRUE(found);
    EXPECT_EQ(w.findChild<QLineEdit*>("Late fees:Total")->text(), "3.25");
    save_picture(w, "status_window");
    static_cast<QDialog&>(w).accept();
  });
  window_.run("activity.overview");
}

TEST_F(FiguresScreens, PrintedOverviewIsOnePageWithMonthlyTotalsAndTaxPortions) {
  for (int k = 0; k < cfg::kHistoryDays; ++k) shop_.config.set_f32(cfg::history_entry(k), 1.0f);
  shop_.config.set_i64(cfg::kTax1Active, 2);
  shop_.config.set_i64(cfg::kTax1Rate, 1000);
  window_.run("activity.print_overview");
  const QString page = last_pdf_text();
  EXPECT_EQ(page.count('\f'), 1) << page.toStdString();
  for (const char* line : {"Today's takings: 0.00", "Late feespaid: 0.00", "Current vs. last week:", "Line 10  0.00",
                           "Monthly totals:", "December   2025: 31.00 (T1: 2.82)", "November   2026: 30.00 (T1: 2.73)",
                           "December   2026: 6.00"})
    EXPECT_TRUE(flat(page).contains(QString(line).simplified())) << line << "\n" << page.toStdString();
  EXPECT_LT(page.indexOf("Monthly totals:"), page.indexOf("December   2025"));
}

TEST_F(FiguresScreens, LogPrintBreaksInsideAnEntryAndGoesOnOnTheNextPage) {
  std::filesystem::remove(shop_.path(records::files::kLog));
  text::u16 log;
  for (int i = 1; i <= 30; ++i)
    log += text::format("\r\n10:%02d 07/12/2026  Rental: %d\r\nFilm %d, Casablanca\r\nOperator: 1, Administrator\r\n", {i, i, i});
  ASSERT_TRUE(records::append_log(shop_, log));
  window_.run("activity.print_log_all");
  const QString text = last_pdf_text();
  const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
  ASSERT_GE(pages.size(), 2);
  EXPECT_TRUE(flat(pages[0]).contains("Video Corner Log file: 07/12/2026 Page: 1")) << pages[0].toStdString();
  EXPECT_TRUE(pages[1].contains("Page: 2"));
  // The first page stops inside an entry: its operator line opens the second page.
  const QStringList first = pages[0].trimmed().split('\n');
  EXPECT_TRUE(first.last().contains("Casablanca")) << first.last().toStdString();
  const QStringList second = pages[1].trimmed().split('\n', Qt::SkipEmptyParts);
  ASSERT_GE(second.size(), 2);
  EXPECT_EQ(second[1].trimmed(), "Operator: 1, Administrator");
  // Every line once, in order, across the break.
  int from = 0;
  for (int i = 1; i <= 30; ++i) {
    const int at_film = text.indexOf(QString("Film %1, Casablanca").arg(i), from);
    ASSERT_GT(at_film, from) << i;
    from = at_film;
  }
  EXPECT_TRUE(pages.last().contains("End output."));
  EXPECT_EQ(text.count("Casablanca"), 30);
}

TEST_F(FiguresScreens, TakingsListAndPrintFromTheDatePrompt) {
  shop_.config.set_f32(cfg::history_entry(0), 12.5f);
  shop_.config.set_f32(cfg::history_entry(6), 30.0f);  // 30 November, a month's end
  Screens screens;
  screens.then(answer("From (Earliest 01-12-2025):", "30-11-2026"))
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Takings list");
        auto* rows = w.findChild<QTableWidget*>("rows");
        EXPECT_EQ(rows->item(0, 0)->text(), "Mon 30 Nov 26");
        EXPECT_EQ(rows->item(0, 3)->text(), "Month: 30.00");
        EXPECT_EQ(rows->item(6, 2)->text(), "12.50");
        EXPECT_EQ(rows->item(7, 0)->text(), "");
        save_picture(w, "takings_list");
        static_cast<QDialog&>(w).reject();
      })
      .then(answer("From (Earliest 01-12-2025):", "30-11-2026"));
  window_.run("reports.takings");
  window_.run("reports.print_takings");
  const QString page = last_pdf_text();
  EXPECT_TRUE(flat(page).contains("Video Corner Takings: December 7 2026 Page: 1")) << page.toStdString();
  EXPECT_TRUE(flat(page).contains("Monday 30/11/2026 A: 0.00, L: 0.00, Total: 30.00 Month: 30.00"));
  EXPECT_TRUE(flat(page).contains("Sunday 6/12/2026 A: 0.00, L: 0.00, Total: 12.50"));
  EXPECT_TRUE(page.contains("End output."));
}

TEST_F(FiguresScreens, CloseoutLogsThenSignsOff) {
  shop_.config.set_takings_today(20.0f);
  Screens screens;
  screens
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Till closeout");
        EXPECT_EQ(w.findChild<QLineEdit*>("Rentals")->text(), "20.00");
        save_picture(w, "till_closeout");
        w.findChild<QPushButton*>("close")->click();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "QUENDRIX LOGON");
        static_cast<QDialog&>(w).reject();
      });
  window_.run("reports.till_closeout");
  auto bytes = records::read_whole(shop_.path(records::files::kLog));
  ASSERT_TRUE(bytes);
  const std::string log = text::to_utf8(text::from_utf16le(bytes->data(), bytes->size()));
  EXPECT_NE(log.find("\r\nTill closeout: 14:05 Mon 7 Dec 26\r\nAssoc: 1, Administrator\r\nInitial till: 0.00\r\nRentals: 20.00\r\n"),
            std::string::npos);
}

TEST_F(FiguresScreens, GraphAndMainWindowAt1024And800) {
  for (int k = 0; k < 371; ++k) shop_.config.set_f32(cfg::history_entry(k), 40.0f + 25.0f * ((k / 7) % 9) + (k % 5));
  reports::GraphScreen graph(reports::weekly_averages(shop_.config), shop_.now(), &window_);
  for (QSize size : {QSize(1000, 700), QSize(520, 360)}) {
    graph.resize(size);
    graph.show();
    QCoreApplication::processEvents();
    QPixmap shot = graph.grab();
    EXPECT_EQ(shot.size(), size);
    if (const char* dir = std::getenv("KELVO_SCREENSHOTS"))
      shot.save(QString(dir) + QString("/graph_%1.png").arg(size.width()));
  }
  graph.hide();
  for (int width : {1024, 800}) {
    window_.fit_to_desktop(width);
    window_.show();
    QCoreApplication::processEvents();
    EXPECT_GE(window_.width(), 800);
    if (const char* dir = std::getenv("KELVO_SCREENSHOTS"))
      window_.grab().save(QString(dir) + QString("/main_window_%1.png").arg(width));
  }
}

TEST_F(FiguresScreens, EveryFigureCommandIsWiredWithItsAccessRule) {
  for (const char* id : {"activity.overview", "activity.print_overview", "reports.by_category", "reports.by_band",
                         "reports.averages", "reports.takings", "reports.print_takings", "reports.purge_takings",
                         "reports.export_takings", "reports.till_reconciliation", "reports.till_closeout",
                         "activity.print_log_today", "activity.print_log_day", "activity.print_log_all",
                         "activity.print_log_previous", "utilities.takings_amendment", "utilities.tax",
                         "file.exit_print_report", "file.exit_print_log", "file.exit_print_both"})
    EXPECT_TRUE(window_.action(id)->isEnabled()) << id;
  ASSERT_TRUE(records::sign_on(shop_, window_.access(), 5, u""));
  window_.refresh_menus();
  // A fresh shop keeps these to the administrator and manager.
  for (const char* id : {"activity.overview", "reports.takings", "reports.print_takings", "reports.purge_takings",
                         "utilities.takings_amendment"})
    EXPECT_FALSE(window_.action(id)->isEnabled()) << id;
  EXPECT_TRUE(window_.action("reports.till_closeout")->isEnabled());
}

TEST_F(FiguresScreens, SettingsAndAnalysisWindowsAndTheCsvExport) {
  shop_.config.set_i32(cfg::kBandCountToday + 4 * 9, 4);  // band 9: the rest
  shop_.config.set_str(cfg::category_name(10), cfg::kCategoryNameWidth, u"SCI");
  shop_.config.set_i32(cfg::kCategoryHighMonth + 4, 7);  // category 11 this month
  Screens screens;
  screens
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "TAX CONTROL");
        EXPECT_EQ(w.findChild<QLineEdit*>("description1")->text(), "Tax 1");
        w.findChild<QLineEdit*>("rate1")->setText("1750");
        w.findChild<QLineEdit*>("rate2")->setText("x");  // leaves the old rate
        w.findChild<QLineEdit*>("description2")->setText("GST");
        save_picture(w, "tax_control");
        w.findChild<QPushButton*>("ok")->click();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Film categories for today");
        static_cast<QDialog&>(w).accept();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Film categories for month");
        EXPECT_EQ(w.findChild<QLineEdit*>("category10")->text(), "SCI 0");
        EXPECT_EQ(w.findChild<QLineEdit*>("category11")->text(), " 7");
        static_cast<QDialog&>(w).accept();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.findChild<QLineEdit*>("today9")->text(), "4");
        save_picture(w, "rentals_by_band");
        static_cast<QDialog&>(w).accept();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Export takings");
        save_picture(w, "export_takings");
        w.findChild<QPushButton*>("save")->click();
      })
      .then([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Export");
        static_cast<QDialog&>(w).accept();
      });
  shop_.config.set_i64(cfg::kTax2Rate, 500);
  window_.run("utilities.tax");
  EXPECT_EQ(shop_.config.i64(cfg::kTax1Rate), 1750);
  EXPECT_EQ(shop_.config.i64(cfg::kTax2Rate), 500);
  EXPECT_EQ(shop_.config.str(cfg::kTax2Description, cfg::kTaxDescriptionWidth), u"GST");
  window_.run("reports.by_category");
  window_.run("reports.by_band");
  window_.run("reports.export_takings");
  auto bytes = records::read_whole(shop_.path("Takings.csv"));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 2 + 2 * 45 * 371u);  // FF FE, then 1/12/2025 to 6/12/2026
}

TEST_F(FiguresScreens, ExitPrintReportPrintsThenEndsTheRun) {
  bool quit = false;
  QObject::connect(&window_, &shell::MainWindow::quit_requested, [&quit] { quit = true; });
  window_.run("file.exit_print_both");
  EXPECT_TRUE(quit);
  EXPECT_EQ(pdf_count(), 2);
}

}  // namespace
}  // namespace kelvo
