// Real printing to PDF, read back with poppler's pdftotext and pdfinfo.
#include "platform/qt/qt_printer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/pdf_reading.h"

#include "platform/page_writer.h"
#include "platform/qt/qt_text.h"
#include "text/format.h"

namespace kelvo::platform::qt {
namespace {

using kelvo::testing::pdf_info;
using kelvo::testing::pdf_pages;
QString run(const QString& program, const QStringList& args) { return kelvo::testing::run_tool(program, args); }

text::u16 heading(int page) { return text::format("Video Corner Numeric film list:  Page: %d", {page}); }
text::u16 row(int i) { return text::format("%-16I64d  Film number %d", {static_cast<long long>(i), i}); }

class QtPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString path(const QString& name) const { return dir_.filePath(name); }
  QTemporaryDir dir_;
};

TEST_F(QtPrinterTest, TwoPageListComesOutOfThePdfInOrder) {
  QtPrinter printer;
  printer.print_to_pdf_file(path("list.pdf"));
  ASSERT_EQ(printer.begin(u"QUENDRIX", {}), PrintStart::Started);
  printer.set_font({.lines_per_page = 50});
  platform::PageWriter w(printer, {.indent = 3, .heading = heading});
  for (int i = 1; i <= 60; ++i) w.line(row(i));
  w.centred(u"Café £3.50 – centred");
  printer.fill_rect(0, printer.page_height() - 400, 30, 300);  // a barcode bar
  w.finish();
  EXPECT_EQ(w.page(), 2);
  ASSERT_TRUE(printer.end());

  EXPECT_EQ(pdf_info(printer.last_pdf(), "Pages"), "2");
  EXPECT_EQ(pdf_info(printer.last_pdf(), "Title"), "QUENDRIX");

  const QStringList pages = pdf_pages(printer.last_pdf());
  ASSERT_EQ(pages.size(), 2);
  // Each page: its heading first, then its rows in order; nothing from the other page. The
  // laid-out text keeps the words of a line but not always the exact runs of blanks.
  int next_row = 1;
  for (int p = 0; p < 2; ++p) {
    QStringList lines;
    for (const QString& line : pages[p].split('\n'))
      if (!line.trimmed().isEmpty()) lines << line.simplified();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), qs(heading(p + 1)).simplified());
    for (int i = 1; i < lines.size() && next_row <= 60; ++i)
      if (lines[i] == qs(row(next_row)).simplified()) ++next_row;
    if (p == 0) {
      EXPECT_GT(next_row, 40) << "the first page should be full before the second starts";
    }
  }
  EXPECT_EQ(next_row, 61) << "every row printed, in order";
  EXPECT_TRUE(pages[1].contains(QString::fromUtf8("Café £3.50 – centred")));
  EXPECT_TRUE(pages[1].trimmed().endsWith("End output."));
  EXPECT_FALSE(pages[0].contains("End output."));

  // In the laid-out text the centred line starts well right of the indented rows.
  const QStringList second = pages[1].split('\n');
  const auto column_of = [&](const QString& what) {
    for (const QString& line : second)
      if (line.contains(what)) return static_cast<int>(line.indexOf(what));
    return -1;
  };
  EXPECT_GT(column_of(QString::fromUtf8("Café")), column_of(qs(row(60)).left(2)) + 10);
}

TEST_F(QtPrinterTest, FontSizeFollowsLinesAndColumnsPerPage) {
  QtPrinter printer;
  printer.print_to_pdf_file(path("metrics.pdf"));
  ASSERT_EQ(printer.begin(u"QUENDRIX", {}), PrintStart::Started);
  const int default_height = printer.char_height();
  EXPECT_GT(default_height, 0);
  EXPECT_GT(printer.page_width(), 1000);  // device units are printer dots, not points
  EXPECT_GT(printer.page_height(), printer.page_width());

  printer.set_font({.lines_per_page = 60});
  EXPECT_EQ(printer.char_height(), printer.page_height() / 60);
  printer.set_font({.lines_per_page = 200});
  EXPECT_EQ(printer.char_height(), printer.page_height() / 200);
  EXPECT_LT(printer.char_width(), printer.page_width() / 60);

  printer.set_font({.lines_per_page = 40, .columns_per_page = 40});
  const int want = printer.page_width() / 40;
  EXPECT_NEAR(printer.char_width(), want, want / 8 + 1);
  EXPECT_NEAR(printer.text_width(u"0123456789"), 10 * want, want * 2);

  printer.set_font({});
  EXPECT_EQ(printer.char_height(), default_height);
  printer.text(0, 0, u"x");
  EXPECT_TRUE(printer.end());
}

TEST_F(QtPrinterTest, BitmapsLoadOrAreRefused) {
  QImage img(40, 20, QImage::Format_RGB32);
  img.fill(Qt::black);
  ASSERT_TRUE(img.save(path("receipt.bmp"), "BMP"));
  QFile junk(path("junk.bmp"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture");
  junk.close();

  QtPrinter printer;
  auto size = printer.image_size(path("receipt.bmp").toStdString());
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 40);
  EXPECT_EQ(size->height, 20);
  EXPECT_FALSE(printer.image_size(path("junk.bmp").toStdString()));
  EXPECT_FALSE(printer.image_size(path("none.bmp").toStdString()));

  printer.print_to_pdf_file(path("logo.pdf"));
  ASSERT_EQ(printer.begin(u"QUENDRIX", {}), PrintStart::Started);
  EXPECT_TRUE(printer.image(0, 10, printer.page_width() / 2, printer.page_width() / 4,
                            path("receipt.bmp").toStdString()));
  EXPECT_FALSE(printer.image(0, 10, 100, 100, path("junk.bmp").toStdString()));
  ASSERT_TRUE(printer.end());
  EXPECT_EQ(pdf_info(printer.last_pdf(), "Pages"), "1");
}

TEST_F(QtPrinterTest, PrintToPdfFolderNumbersEveryJobAndAsksNothing) {
  const QString folder = path("jobs/out");
  qputenv("KELVO_PRINT_TO_PDF", folder.toUtf8());
  QtPrinter printer;
  bool asked = false;
  printer.set_dialog([&](QPrinter&) { return asked = true; });
  for (const char16_t* t : {u"first job", u"second job"}) {
    ASSERT_EQ(printer.begin(u"QUENDRIX", {.printer_name = u"Till printer that does not exist"}), PrintStart::Started);
    printer.text(0, 0, t);
    ASSERT_TRUE(printer.end());
  }
  qunsetenv("KELVO_PRINT_TO_PDF");
  EXPECT_FALSE(asked);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"QUENDRIX-001.pdf", "QUENDRIX-002.pdf"}));
  EXPECT_TRUE(run("pdftotext", {folder + "/QUENDRIX-002.pdf", "-"}).contains("second job"));
}

TEST_F(QtPrinterTest, CancelledDialogAndUnknownPrinterPrintNothing) {
  QtPrinter printer;
  int asked = 0;
  printer.set_dialog([&](QPrinter&) {
    ++asked;
    return false;
  });
  EXPECT_EQ(printer.begin(u"QUENDRIX", {.printer_name = u"", .confirm = true}), PrintStart::Cancelled);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(printer.begin(u"QUENDRIX", {.printer_name = u"No such printer 7f3a", .confirm = true}),
            PrintStart::Failed);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(printer.end());  // nothing was begun

  // An accepted dialog prints where it was pointed.
  printer.set_dialog([&](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(path("chosen.pdf"));
    return true;
  });
  ASSERT_EQ(printer.begin(u"QUENDRIX", {}), PrintStart::Started);
  printer.text_centred(0, u"chosen in the dialog");
  ASSERT_TRUE(printer.end());
  EXPECT_TRUE(run("pdftotext", {path("chosen.pdf"), "-"}).contains("chosen in the dialog"));
}

}  // namespace
}  // namespace kelvo::platform::qt
