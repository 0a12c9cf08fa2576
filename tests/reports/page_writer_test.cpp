#include "platform/page_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/recording_printer.h"
#include "text/format.h"

namespace kelvo::reports {
namespace {

using platform::Align;
using platform::PageWriter;
using platform::RecordingPrinter;
using Kind = RecordingPrinter::Kind;

text::u16 heading(int page) { return text::format("Video Corner Numeric film list:   Page: %d", {page}); }

text::u16 row(int i) { return text::format("%-16I64d  row", {static_cast<long long>(i)}); }

// A document begun as the reports begin theirs.
RecordingPrinter begun() {
  RecordingPrinter p;
  EXPECT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  return p;
}

TEST(PageWriter, LinesFollowTheHeadingAtCharacterHeightAndIndent) {
  RecordingPrinter p = begun();
  PageWriter w(p, {.indent = 4, .heading = heading});
  w.line(u"first");
  w.line(u"second");
  w.centred(u"middle");

  const auto& ops = p.ops();
  ASSERT_EQ(ops.size(), 5u);  // begin, heading, three lines
  EXPECT_EQ(ops[1].text, heading(1));
  EXPECT_EQ(ops[1].x, 4 * 25);
  EXPECT_EQ(ops[1].y, 0);
  EXPECT_EQ(ops[2].text, u"first");
  EXPECT_EQ(ops[2].x, 100);
  EXPECT_EQ(ops[2].y, 2 * 50);
  EXPECT_EQ(ops[3].y, 3 * 50);
  // Centred lines ignore the indent and hang on the middle of the printable width.
  EXPECT_EQ(ops[4].x, 1200);
  EXPECT_EQ(ops[4].y, 4 * 50);
  EXPECT_EQ(ops[4].align, Align::Centre);
}

TEST(PageWriter, WithoutHeadingTheBodyStartsAtTheTop) {
  RecordingPrinter p = begun();
  PageWriter w(p, {});
  w.line(u"a");
  EXPECT_EQ(p.texts(), std::vector<text::u16>{u"a"});
  EXPECT_EQ(p.find_text(u"a")->y, 0);
  EXPECT_EQ(p.find_text(u"a")->x, 0);
}

// With a 3300-unit page and a 50-unit cell a line n fits while 52 * (n + 1) <= 3300, so lines
// 2 to 62 carry records: 61 to a page.
TEST(PageWriter, FullPagesBreakWithTheHeadingRepeatedAndNothingLost) {
  RecordingPrinter p = begun();
  PageWriter w(p, {.heading = heading});
  for (int i = 1; i <= 130; ++i) w.line(row(i));
  w.finish();
  ASSERT_TRUE(p.end());

  EXPECT_EQ(p.pages(), 3);
  for (int page = 1; page <= 3; ++page) EXPECT_EQ(p.texts(page).front(), heading(page));
  EXPECT_EQ(p.find_text(row(61))->page, 1);
  EXPECT_EQ(p.find_text(row(61))->y, 62 * 50);
  EXPECT_EQ(p.find_text(row(62))->page, 2);
  EXPECT_EQ(p.find_text(row(62))->y, 2 * 50);
  EXPECT_EQ(p.find_text(row(123))->page, 3);
  EXPECT_EQ(p.find_text(row(130))->y, (2 + 7) * 50);

  // Every record once, in order, and nothing below the printable height.
  std::vector<text::u16> body;
  for (const auto& op : p.ops()) {
    if (op.kind != Kind::Text) continue;
    EXPECT_LE(op.y + 50, 3300) << text::to_utf8(op.text);
    if (op.text.rfind(u"Video", 0) != 0) body.push_back(op.text);
  }
  ASSERT_EQ(body.size(), 131u);
  for (int i = 1; i <= 130; ++i) EXPECT_EQ(body[i - 1], row(i));
  EXPECT_EQ(body.back(), u"End output.");
  EXPECT_EQ(p.find_text(u"End output.")->y, (2 + 9) * 50);  // one empty line after the last row
}

TEST(PageWriter, EndOutputThatWouldFallOffThePageGoesToTheNextOne) {
  RecordingPrinter p = begun();
  PageWriter w(p, {.heading = heading});
  for (int i = 1; i <= 61; ++i) w.line(row(i));  // the page is exactly full
  w.finish();
  const auto* end = p.find_text(u"End output.");
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->page, 2);
  EXPECT_EQ(end->y, 2 * 50);
  EXPECT_EQ(p.texts(2).front(), heading(2));
}

TEST(PageWriter, ListFontSizeSetsTheLineHeight) {
  RecordingPrinter p = begun();
  p.set_font({.lines_per_page = 60});  // 3300 / 60 = 55 units a line
  PageWriter w(p, {.indent = 2, .heading = heading});
  for (int i = 1; i <= 60; ++i) w.line(row(i));
  // 57 * (n + 1) <= 3300 holds up to n = 56: records on lines 2..56.
  EXPECT_EQ(p.find_text(row(55))->page, 1);
  EXPECT_EQ(p.find_text(row(55))->y, 56 * 55);
  EXPECT_EQ(p.find_text(row(56))->page, 2);
  EXPECT_EQ(p.find_text(row(56))->x, 2 * 27);  // the font's width is half its height
}

TEST(PageWriter, BlocksKeptTogetherMoveWholeToTheNextPage) {
  RecordingPrinter p = begun();
  PageWriter w(p, {.heading = heading});
  for (int i = 1; i <= 58; ++i) w.line(row(i));  // lines 2..59 used; 60, 61, 62 free
  w.keep_together(3);
  w.line(u"member fits");
  w.line(u"item 1");
  w.line(u"item 2");
  EXPECT_EQ(p.find_text(u"item 2")->page, 1);
  w.keep_together(2);  // the page is full now
  w.line(u"next member");
  EXPECT_EQ(p.find_text(u"next member")->page, 2);

  // A block longer than a page starts a page once, then breaks where it must.
  w.line(u"x");
  w.keep_together(100);
  EXPECT_EQ(p.pages(), 3);
  w.keep_together(100);
  EXPECT_EQ(p.pages(), 3);
}

TEST(PageWriter, SkippedLinesPastTheBottomDoNotLeaveAnEmptyPage) {
  RecordingPrinter p = begun();
  PageWriter w(p, {.heading = heading});
  for (int i = 1; i <= 60; ++i) w.line(row(i));
  w.skip(5);
  w.line(u"after the gap");
  EXPECT_EQ(p.pages(), 2);
  EXPECT_EQ(p.find_text(u"after the gap")->y, 2 * 50);
}

// A character height beyond what the page can hold must still print every line, a page each,
// rather than breaking pages without end.
TEST(PageWriter, AFontTallerThanThePageStillPrintsEveryLine) {
  RecordingPrinter p = begun();
  p.set_page(2400, 100);
  p.set_font({.lines_per_page = 1});
  PageWriter w(p, {.heading = heading});
  w.line(u"one");
  w.line(u"two");
  w.finish();
  EXPECT_EQ(p.pages(), 3);
  EXPECT_EQ(p.texts(3).back(), u"End output.");
}

TEST(RecordingPrinter, DrawingOutsideAnOpenDocumentIsCaught) {
  RecordingPrinter p;
  EXPECT_THROW(p.text(0, 0, u"lost"), std::logic_error);
  p.set_start(platform::PrintStart::Cancelled);
  EXPECT_EQ(p.begin(u"QUENDRIX", {.printer_name = u"", .confirm = true}), platform::PrintStart::Cancelled);
  EXPECT_FALSE(p.open());
  EXPECT_THROW(p.fill_rect(0, 0, 1, 1), std::logic_error);
  p.set_start(platform::PrintStart::Started);
  ASSERT_EQ(p.begin(u"QUENDRIX", {.printer_name = u"Till", .confirm = false}), platform::PrintStart::Started);
  EXPECT_THROW(p.begin(u"QUENDRIX", {}), std::logic_error);
  EXPECT_TRUE(p.end());
  EXPECT_THROW(p.new_page(), std::logic_error);
  EXPECT_EQ(p.documents(), 1);
  EXPECT_EQ(p.ops()[1].where.printer_name, u"Till");
}

class BmpFiles : public ::testing::Test {
 protected:
  std::string write(const std::string& name, std::string bytes) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string le32(int v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xff);
    return s;
  }
  // File header and a 40-byte info header; pixel rows are not needed to tell the size.
  static std::string bmp(int w, int h) {
    return "BM" + le32(0) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) + std::string(28, '\0');
  }
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kelvo_bmp_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(BmpFiles, SizesComeFromTheHeaderAndBadFilesLoadNothing) {
  auto size = platform::read_bmp_size(write("logo.bmp", bmp(300, 120)));
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 300);
  EXPECT_EQ(size->height, 120);
  auto top_down = platform::read_bmp_size(write("td.bmp", bmp(8, -16)));
  ASSERT_TRUE(top_down);
  EXPECT_EQ(top_down->height, 16);
  std::string os2 = "BM" + le32(0) + le32(0) + le32(26) + le32(12) + std::string("\x20\x00\x10\x00", 4);
  auto core = platform::read_bmp_size(write("os2.bmp", os2));
  ASSERT_TRUE(core);
  EXPECT_EQ(core->width, 32);
  EXPECT_EQ(core->height, 16);

  EXPECT_FALSE(platform::read_bmp_size(write("zero.bmp", bmp(0, 10))));
  EXPECT_FALSE(platform::read_bmp_size(write("short.bmp", bmp(300, 120).substr(0, 20))));
  EXPECT_FALSE(platform::read_bmp_size(write("png.bmp", "\x89PNG\r\n\x1a\n" + std::string(30, 'x'))));
  EXPECT_FALSE(platform::read_bmp_size((dir_ / "missing.bmp").string()));

  RecordingPrinter p = begun();
  EXPECT_FALSE(p.image(0, 10, 100, 40, (dir_ / "missing.bmp").string()));
  EXPECT_TRUE(p.image(0, 10, 100, 40, (dir_ / "logo.bmp").string()));
  EXPECT_EQ(p.ops().back().kind, Kind::Image);
  EXPECT_EQ(p.ops().size(), 2u);  // the bitmap that did not load drew nothing
}

}  // namespace
}  // namespace kelvo::reports
