// Barcode symbols and label placement, drawn on the recording printer.
#include "reports/barcode_labels.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue_fixture.h"
#include "platform/recording_printer.h"
#include "records/config_layout.h"
#include "reports/barcode.h"

namespace kelvo::reports {
namespace {

using Kind = platform::RecordingPrinter::Kind;

TEST(Ean13, CodeIsTwelveDigitsPaddedOrCutThenTheCheckDigit) {
  const struct {
    int64_t value;
    const char* code;
  } cases[] = {
      {123, "0000000001236"},
      {1, "0000000000017"},
      {400638133393, "4006381333931"},
      {13, "0000000000130"},  // a sum that is a multiple of ten: check digit 0, not 10
      {400638133390, "4006381333900"},
      {999999999999, "9999999999994"},
      {12345678901234, "1234567890128"},  // 14 digits: the first 12 count
      {100000000000000000, "1000000000009"},
  };
  for (const auto& c : cases) EXPECT_EQ(ean13_code(c.value), c.code) << c.value;
}

// The modules of a symbol as '1' and '0', to compare with the published patterns.
std::string modules(const Symbol& s) {
  std::string m(s.modules, '0');
  for (const Bar& b : s.bars) m.replace(b.start, b.width, b.width, '1');
  return m;
}

TEST(Ean13, LeftHalfParityFollowsTheFirstDigit) {
  // 4006381333931: first digit 4 gives the left sets A B A A B B.
  const std::string m = modules(ean13_symbol("4006381333931"));
  ASSERT_EQ(m.size(), 95u);
  EXPECT_EQ(m.substr(0, 3), "101");
  EXPECT_EQ(m.substr(3, 42), std::string("0001101") + "0100111" + "0101111" + "0111101" + "0001001" + "0110011");
  EXPECT_EQ(m.substr(45, 5), "01010");
  EXPECT_EQ(m.substr(50, 42), std::string("1000010") + "1000010" + "1000010" + "1110100" + "1000010" + "1100110");
  EXPECT_EQ(m.substr(92), "101");
  // Only the three guards reach down further.
  int guards = 0;
  for (const Bar& b : ean13_symbol("4006381333931").bars) guards += b.guard;
  EXPECT_EQ(guards, 6);
}

TEST(Code39, EveryCharacterWithItsGapIsThirteenElements) {
  for (const std::string digits : {"7", "4711", "100000000000000000"}) {
    const Symbol s = code39_symbol(digits);
    EXPECT_EQ(s.modules, static_cast<int>(digits.size() + 2) * 13 - 1) << digits;
    EXPECT_EQ(s.bars.size(), (digits.size() + 2) * 5) << digits;
  }
  // "*" is narrow bar, wide space, narrow bar, narrow space, wide bar, narrow space, wide bar ...
  EXPECT_EQ(modules(code39_symbol("")).substr(0, 13), "1001011011010");
}

TEST(Barcode, BarsAreDrawnInHundredthsOfAMillimetre) {
  platform::RecordingPrinter p;  // 300 dots to the inch
  ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  draw_symbol(p, ean13_symbol("0000000001236"), 2540, 2540, 254);  // an inch in, modules of 30 dots
  const auto& first = p.ops()[1];
  ASSERT_EQ(first.kind, Kind::Rect);
  EXPECT_EQ(first.x, 300);
  EXPECT_EQ(first.y, 300);
  EXPECT_EQ(first.w, 30);
  EXPECT_EQ(first.h, 1120 * 300 / 2540);  // a guard bar
  EXPECT_EQ(p.ops().back().x, 300 + 94 * 30);
}

TEST(LabelSettings, BoundsFallBackAtTheirLimits) {
  const struct {
    int value;
    int height, origin_x, origin_y, centre;  // expected for positions
    int count;                               // expected for labels per sheet and element width
  } cases[] = {
      {0, 1690, 3600, 400, 4800, 16}, {1, 1, 1, 1, 1, 1}, {200, 200, 200, 200, 200, 200},
      {201, 201, 201, 201, 201, 16},  {20000, 20000, 20000, 20000, 20000, 16}, {20001, 1690, 3600, 400, 4800, 16},
  };
  for (const auto& c : cases) {
    LabelSettings s;
    s.label_height = s.origin_x = s.origin_y = s.from_centre = s.labels_per_sheet = s.element_width = c.value;
    apply_bounds(s);
    EXPECT_EQ(s.label_height, c.height) << c.value;
    EXPECT_EQ(s.origin_x, c.origin_x) << c.value;
    EXPECT_EQ(s.origin_y, c.origin_y) << c.value;
    EXPECT_EQ(s.from_centre, c.centre) << c.value;
    EXPECT_EQ(s.labels_per_sheet, c.count) << c.value;
    EXPECT_EQ(s.element_width, c.value == 0 || c.value > 200 ? 200 : c.value) << c.value;
  }
}

TEST(LabelSettings, StoredEveryTimeButOfferedOnlyWhenRetained) {
  records::ConfigBlock config;
  LabelSettings s;
  choose_format(s, LabelFormat::ThreeColumn);
  choose_type(s, BarcodeType::Ean);
  s.source = LabelSource::Members;
  s.origin_x = 1234;
  store_settings(config, s);
  EXPECT_EQ(config.i32(records::cfg::kBarcodeSettings), 1234);
  EXPECT_EQ(config.i32(records::cfg::kBarcodeSettings + 12), 48);
  EXPECT_EQ(config.i32(records::cfg::kBarcodeFormat), 2);
  EXPECT_EQ(config.i32(records::cfg::kBarcodeSource), 1);
  EXPECT_EQ(config.i32(records::cfg::kBarcodeType), 1);
  EXPECT_EQ(opening_settings(config).origin_x, 3600);  // not retained: the defaults

  s.retain = true;
  store_settings(config, s);
  const LabelSettings back = opening_settings(config);
  EXPECT_TRUE(back.retain);
  EXPECT_EQ(back.origin_x, 1234);
  EXPECT_EQ(back.label_height, 1690);
  EXPECT_EQ(back.labels_per_sheet, 48);
  EXPECT_EQ(back.format, LabelFormat::ThreeColumn);
  EXPECT_EQ(back.source, LabelSource::Members);
  EXPECT_EQ(back.element_width, 50);
}

TEST(LabelPlacement, EachFormatPlacesItsLabelsAndBreaksAfterLabelsPerSheet) {
  const long long page = 20000;  // 200 mm of printable width
  const struct {
    LabelFormat format;
    BarcodeType type;
    long long n;
    int digits;
    LabelPlace at;
  } cases[] = {
      // Video spine: one under the other, text beside the bars.
      {LabelFormat::VideoSpine, BarcodeType::Code39, 0, 3, {1, 3600, 400, 3600 + 6 * 13 * 40, 800}},
      {LabelFormat::VideoSpine, BarcodeType::Code39, 15, 3, {1, 3600, 400 + 15 * 1690, 3600 + 6 * 13 * 40, 400 + 15 * 1690 + 400}},
      {LabelFormat::VideoSpine, BarcodeType::Code39, 16, 3, {2, 3600, 400, 3600 + 6 * 13 * 40, 800}},
      {LabelFormat::VideoSpine, BarcodeType::Ean, 1, 3, {1, 3600, 400 + 1690, 3600 + 110 * 50, 400 + 1690 + 400}},
      // Two column: centred in each half, text under the bars.
      {LabelFormat::TwoColumn, BarcodeType::Code39, 0, 4, {1, 5000 - 6 * 13 * 40 / 2, 400, 5000, 400 + 1080}},
      {LabelFormat::TwoColumn, BarcodeType::Code39, 1, 4, {1, 15000 - 6 * 13 * 40 / 2, 400, 15000, 400 + 1080}},
      {LabelFormat::TwoColumn, BarcodeType::Ean, 15, 4, {1, 15000 - 2500, 400 + 7 * 3380, 15000 - 2500, 400 + 7 * 3380 + 1200}},
      {LabelFormat::TwoColumn, BarcodeType::Ean, 16, 4, {2, 5000 - 2500, 400, 5000 - 2500, 400 + 1200}},
      // Three column: left of centre, centre, right of centre, then the next row.
      {LabelFormat::ThreeColumn, BarcodeType::Code39, 0, 2, {1, 10000 - 5600 - 4 * 13 * 40 / 2, 400, 10000 - 5600, 400 + 1080}},
      {LabelFormat::ThreeColumn, BarcodeType::Code39, 4, 2, {1, 10000 - 4 * 13 * 40 / 2, 400 + 1690, 10000, 400 + 1690 + 1080}},
      {LabelFormat::ThreeColumn, BarcodeType::Code39, 47, 2, {1, 15600 - 4 * 13 * 40 / 2, 400 + 15 * 1690, 15600, 400 + 15 * 1690 + 1080}},
      {LabelFormat::ThreeColumn, BarcodeType::Code39, 48, 2, {2, 10000 - 5600 - 4 * 13 * 40 / 2, 400, 10000 - 5600, 400 + 1080}},
  };
  for (const auto& c : cases) {
    LabelSettings s;
    choose_format(s, c.format);
    choose_type(s, c.type);
    const LabelPlace at = place_label(s, c.n, c.digits, page);
    SCOPED_TRACE(::testing::Message() << static_cast<int>(c.format) << " label " << c.n);
    EXPECT_EQ(at.page, c.at.page);
    EXPECT_EQ(at.symbol_x, c.at.symbol_x);
    EXPECT_EQ(at.top, c.at.top);
    EXPECT_EQ(at.text_x, c.at.text_x);
    EXPECT_EQ(at.text_top, c.at.text_top);
  }
}

class LabelRunTest : public cattest::CatalogueTest {};

TEST_F(LabelRunTest, FilmRangeSkipsGapsKeepsLabelsContiguousAndStopsWhenCancelled) {
  given_films({cattest::film(2, u"Heat"), cattest::film(5, u"Ran"), cattest::film(6, u"Alien"),
               cattest::film(40, u"Out of range")});
  platform::RecordingPrinter p;
  ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  LabelSettings s;
  s.start = 1;
  s.finish = 39;
  s.labels_per_sheet = 2;
  platform::NoProgress all;
  const LabelRun run = print_labels(p, shop_, s, all);
  EXPECT_EQ(run.labels, 3);
  EXPECT_EQ(run.pages, 2);
  EXPECT_EQ(p.texts(1), (std::vector<text::u16>{u"2  Heat", u"5  Ran"}));
  EXPECT_EQ(p.texts(2), (std::vector<text::u16>{u"6  Alien"}));
  EXPECT_NEAR(p.find_text(u"5  Ran")->y - p.find_text(u"2  Heat")->y, 1690 * 300 / 2540, 1);

  struct StopAfter : platform::Progress {
    long long allowed;
    explicit StopAfter(long long n) : allowed(n) {}
    bool step(text::u16view, int64_t done, int64_t) override { return done < allowed; }
  } two(2);
  platform::RecordingPrinter q;
  ASSERT_EQ(q.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  s.source = LabelSource::AllValues;
  const LabelRun cut = print_labels(q, shop_, s, two);
  EXPECT_TRUE(cut.cancelled);
  EXPECT_EQ(cut.labels, 2);
  EXPECT_EQ(q.texts(), (std::vector<text::u16>{u"1", u"2"}));
}

}  // namespace
}  // namespace kelvo::reports
