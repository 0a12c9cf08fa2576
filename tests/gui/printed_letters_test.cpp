// Letters, cards and labels printed to real PDF files and read back: the text with pdftotext,
// the barcodes by rasterising the pages and decoding them with zbarimg, as a scanner would.
#include "catalogue/catalogue_fixture.h"  // before Qt: see records/shop.h

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "catalogue/member_photo.h"
#include "gui/pdf_reading.h"
#include "platform/qt/qt_printer.h"
#include "reports/barcode_labels.h"
#include "reports/letter_commands.h"
#include "reports/letters.h"
#include "reports/photo_id.h"

namespace kelvo::testing {
namespace {

using reports::BarcodeType;
using reports::LabelFormat;
using reports::LabelSource;

class PrintedTest : public cattest::CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    printer_.print_to_pdf_file(dir_.filePath("out.pdf"));
  }
  QString pdf() const { return dir_.filePath("out.pdf"); }
  // Keeps the printed file beside the screenshots when KELVO_SCREENSHOTS names a folder.
  void keep(const char* name) const {
    if (const char* folder = std::getenv("KELVO_SCREENSHOTS"))
      QFile::copy(pdf(), QString::fromLocal8Bit(folder) + "/" + name + ".pdf");
  }

  QTemporaryDir dir_;
  platform::qt::QtPrinter printer_;
  platform::NoProgress progress_;
};

struct LabelCase {
  const char* name;
  BarcodeType type;
  LabelFormat format;
  LabelSource source;
  int64_t start, finish;
  QStringList expected;
};

QStringList code39_range(int from, int to) {
  QStringList out;
  for (int n = from; n <= to; ++n) out << QString("CODE-39:%1").arg(n);
  out.sort();
  return out;
}

TEST_F(PrintedTest, LabelsReadBackAsTheirValuesInEveryFormat) {
  given_films({cattest::film(5, u"Heat"), cattest::film(7, u"Ran"), cattest::film(9, u"Alien")});
  const LabelCase cases[] = {
      {"EAN of 123", BarcodeType::Ean, LabelFormat::VideoSpine, LabelSource::AllValues, 123, 123,
       {"EAN-13:0000000001236"}},
      {"EAN of a 14-digit value keeps 12 digits", BarcodeType::Ean, LabelFormat::TwoColumn, LabelSource::AllValues,
       12345678901234, 12345678901234, {"EAN-13:1234567890128"}},
      {"first digit 4 sets the left parity", BarcodeType::Ean, LabelFormat::ThreeColumn, LabelSource::AllValues,
       400638133393, 400638133394, {"EAN-13:4006381333931", "EAN-13:4006381333948"}},
      {"films with gaps", BarcodeType::Code39, LabelFormat::VideoSpine, LabelSource::Films, 1, 8,
       {"CODE-39:5", "CODE-39:7"}},
      {"two columns", BarcodeType::Code39, LabelFormat::TwoColumn, LabelSource::AllValues, 98, 103,
       code39_range(98, 103)},
      {"a full sheet of three columns", BarcodeType::Code39, LabelFormat::ThreeColumn, LabelSource::AllValues, 1000,
       1047, code39_range(1000, 1047)},
  };
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(c.name);
    reports::LabelSettings s;
    reports::choose_format(s, c.format);
    reports::choose_type(s, c.type);
    s.source = c.source;
    s.start = c.start;
    s.finish = c.finish;
    const auto run = reports::print_label_document(shop_, printer_, progress_, s);
    EXPECT_EQ(run.labels, c.expected.size());
    EXPECT_EQ(pdf_info(pdf(), "Pages"), "1");
    EXPECT_EQ(decoded_barcodes(pdf()), c.expected);
    if (c.format == LabelFormat::ThreeColumn && c.type == BarcodeType::Code39) keep("three_column_labels");
  }
}

TEST_F(PrintedTest, VideoSpineLabelsCarryTheTitleBesideTheBars) {
  given_films({cattest::film(5, u"Heat"), cattest::film(7, u"Ran")});
  reports::LabelSettings s;
  s.start = 1;
  s.finish = 10;
  reports::print_label_document(shop_, printer_, progress_, s);
  keep("video_spine_labels");
  const QString page = pdf_pages(pdf()).value(0).simplified();
  EXPECT_TRUE(page.contains("5 Heat")) << page.toStdString();
  EXPECT_TRUE(page.contains("7 Ran"));
}

// The bottom element reads back as the member number or as the store's text; the picture is the
// member's photo or the letter heading bitmap, and a card without its picture still prints.
TEST_F(PrintedTest, PhotoIdCardBarcodeReadsBackAsTheMemberNumber) {
  given_members({cattest::member(4711, u"Okafor", u"Ada")});
  const std::vector<uint32_t> pixels(64 * 48, 0xff336699u);
  const auto bmp = catalogue::photo_file_bytes(64, 48, pixels.data());
  auto write = [&](const std::filesystem::path& path) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::ssize(bmp));
  };
  write(shop_.path("letter.bmp"));
  using Card = reports::CardElement;
  const struct {
    Card element;
    reports::CardPicture picture;
    bool photo_on_file;
    const char16_t* text;
    QStringList barcodes;
    int images;
  } cases[] = {
      {Card::Code39, reports::CardPicture::Photograph, true, u"4711", {"CODE-39:4711"}, 1},
      {Card::Ean, reports::CardPicture::Photograph, false, u"4711", {"EAN-13:0000000047111"}, 0},
      {Card::Text, reports::CardPicture::LetterBitmap, false, u"Valid at Video Corner only", {}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.images);
    std::filesystem::remove(catalogue::photo_path(shop_, 4711));
    if (c.photo_on_file) write(catalogue::photo_path(shop_, 4711));
    reports::PhotoIdSettings s;
    s.origin_x = 300;
    s.origin_y = 300;
    s.element = c.element;
    s.picture = c.picture;
    s.text = c.element == Card::Text ? c.text : u"";
    reports::store_photo_id_settings(shop_.config, s);
    op_.type(u"4711");
    reports::photo_id_command(shop_, views_, printer_);
    EXPECT_EQ(decoded_barcodes(pdf()), c.barcodes);
    keep("photo_id_card");
    const QString page = pdf_pages(pdf()).value(0);
    EXPECT_TRUE(page.contains("Okafor, Ada"));
    EXPECT_TRUE(page.contains(QString::fromStdU16String(c.text)));
    // pdfimages lists two heading lines, then one line per image drawn.
    EXPECT_EQ(run_tool("pdfimages", {"-list", pdf()}).split('\n', Qt::SkipEmptyParts).size() - 2, c.images);
  }
}

TEST_F(PrintedTest, OverdueLetterListsOnlyOverdueItemsAndBreaksTheClosingAtABlank) {
  given_films({cattest::film(11, u"Stalker"), cattest::film(12, u"Solaris"), cattest::film(13, u"Mirror")});
  records::MemberRecord m = cattest::member(42, u"Lindqvist", u"Eva", u"3 Harbour Row");
  m.set_title(u"Ms");
  given_members({m});
  // Two items due days ago, one due tomorrow.
  const std::pair<int64_t, const char16_t*> loans[] = {
      {11, u"12:0001/12/2026"}, {12, u"12:0003/12/2026"}, {13, u"12:0008/12/2026"}};
  records::MemberRecord held;
  ASSERT_TRUE(records::read_member(shop_, 42, held));
  for (int i = 0; i < 3; ++i) {
    change_film(loans[i].first, [&](records::FilmRecord& f) {
      f.set_on_loan_to(42);
      f.set_return_date(loans[i].second);
    });
    held.set_on_loan(i, loans[i].first);
    held.set_on_loan_rented(i, u"09:3028/11/2026");
  }
  ASSERT_TRUE(records::rewrite_member(shop_, held));
  const std::u16string long_line =
      u"We value every member and would much rather see these films back on our shelves than "
      u"send any further reminder about them to you";
  ASSERT_TRUE(reports::save_letter_text(shop_, reports::letter_files::kLetter2, long_line));

  // Letter 1 has no text file of its own: its default closing is printed.
  op_.type(u"42");
  reports::overdue_letter_command(shop_, views_, printer_, reports::OverdueLetter::First);
  const QString letter1 = pdf_pages(pdf()).value(0).simplified();
  EXPECT_FALSE(letter1.contains("FINAL NOTICE"));
  EXPECT_TRUE(letter1.contains("11 Stalker rented at 09:30 on 28/11/2026"));
  EXPECT_TRUE(letter1.contains("Please return at your earliest convenience. Thank you. Yours sincerely, ---"));

  op_.type(u"42");
  reports::overdue_letter_command(shop_, views_, printer_, reports::OverdueLetter::Final);
  keep("overdue_letter2");
  const QString page = pdf_pages(pdf()).value(0);
  const QString simple = page.simplified();
  EXPECT_TRUE(simple.contains("FINAL NOTICE"));
  EXPECT_TRUE(simple.contains("Ms Eva Lindqvist"));
  EXPECT_TRUE(simple.contains("Member number: 42"));
  EXPECT_TRUE(simple.contains("11 Stalker rented at 09:30 on 28/11/2026"));
  EXPECT_TRUE(simple.contains("12 Solaris rented at 09:30 on 28/11/2026"));
  EXPECT_FALSE(page.contains("Mirror"));
  // The closing is one line in the file; on paper it is broken between words only.
  const QStringList lines = page.split('\n');
  int first = -1;
  for (int i = 0; i < lines.size(); ++i)
    if (lines[i].contains("We value every member")) first = i;
  ASSERT_GE(first, 0);
  const QString joined = (lines[first].trimmed() + " " + lines.value(first + 1).trimmed()).simplified();
  EXPECT_EQ(joined, QString::fromStdU16String(long_line));
  EXPECT_FALSE(lines[first].trimmed().endsWith(' '));
}

TEST_F(PrintedTest, MailMergePrintsOnePagePerSelectedMember) {
  const float owed[] = {2.5f, 0, -1, 0.01f, 7, 0};
  for (int i = 0; i < 6; ++i) {
    records::MemberRecord m = cattest::member(101 + i, u"Member");
    ASSERT_TRUE(records::add_member(shop_, m));
    m.set_owed(owed[i]);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  reports::MailMerge merge{.start_member = 102, .end_member = 106, .selection = reports::MergeSelection::OweMoney,
                           .body = u"Your account shows a balance.\nPlease call in."};
  const auto run = reports::print_mail_merge_document(shop_, printer_, progress_, merge);
  EXPECT_EQ(run.pages, 2);  // 104 and 105: 101 is outside the range, 102 owes 0, 103 is in credit
  ASSERT_EQ(pdf_info(pdf(), "Pages"), "2");
  const QStringList pages = pdf_pages(pdf());
  EXPECT_TRUE(pages[0].simplified().contains("Member number: 104"));
  EXPECT_TRUE(pages[1].simplified().contains("Member number: 105"));
  EXPECT_TRUE(pages[1].contains("Please call in."));
}

}  // namespace
}  // namespace kelvo::testing
