#include <cfloat>
#include <climits>

#include <gtest/gtest.h>

#include "text/coding.h"
#include "text/utf16.h"

namespace kelvo::text {
namespace {

TEST(Utf16, RoundTripsThroughUtf8IncludingSurrogatePairs) {
  const std::string text = "Crème brûlée \xE2\x82\xAC \xF0\x9F\x8E\xAC";  // € and a clapper board
  const u16 wide = from_utf8(text);
  EXPECT_EQ(wide, u"Crème brûlée € \U0001F3AC");
  EXPECT_EQ(wide.size(), 17u);  // the clapper board takes two code units
  EXPECT_EQ(to_utf8(wide), text);
}

TEST(Utf16, DamagedInputBecomesReplacementCharacters) {
  EXPECT_EQ(from_utf8("a\xC3"), u"a\uFFFD");          // cut short
  EXPECT_EQ(from_utf8("\xC0\xAF" "b"), u"\uFFFDb");   // overlong '/'
  EXPECT_EQ(from_utf8("\xED\xA0\x80"), u"\uFFFD");    // encoded surrogate
  EXPECT_EQ(from_utf8("\xFF" "c"), u"\uFFFDc");
  EXPECT_EQ(from_utf8("\xE2\x82" "d"), u"\uFFFDd");   // the 'd' survives
  EXPECT_EQ(to_utf8(u16(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Utf16, FoldsAsciiAndLatin1Only) {
  EXPECT_EQ(to_upper(u"abc xyz àéîõü þ ÿ ß ÷ µ ω 1"), u"ABC XYZ ÀÉÎÕÜ Þ Ÿ ß ÷ µ ω 1");
  EXPECT_EQ(trimmed(u" \t Star Wars \r\n"), u"Star Wars");
  EXPECT_EQ(trimmed(u"   "), u"");
}

TEST(Utf16, ParsesIntegersLikeTheCLibrary) {
  EXPECT_EQ(parse_int64(u"  -42abc"), -42);
  EXPECT_EQ(parse_int64(u"+17"), 17);
  EXPECT_EQ(parse_int64(u"x12"), 0);
  EXPECT_EQ(parse_int64(u"- 5"), 0);
  EXPECT_EQ(parse_int64(u""), 0);
  EXPECT_EQ(parse_int64(u"100000000000000001"), 100000000000000001LL);
  EXPECT_EQ(parse_int64(u"9223372036854775807"), LLONG_MAX);
  EXPECT_EQ(parse_int64(u"-9223372036854775808"), LLONG_MIN);
  EXPECT_EQ(parse_int64(u"9223372036854775808"), LLONG_MAX);
  EXPECT_EQ(parse_int64(u"-99999999999999999999999"), LLONG_MIN);
}

TEST(Utf16, ParsesDecimalsButNotInfinityOrNan) {
  EXPECT_DOUBLE_EQ(parse_double(u" 12.50 GBP"), 12.5);
  EXPECT_DOUBLE_EQ(parse_double(u"-.5"), -0.5);
  EXPECT_DOUBLE_EQ(parse_double(u"1e3x"), 1000.0);
  EXPECT_DOUBLE_EQ(parse_double(u"2e"), 2.0);
  EXPECT_DOUBLE_EQ(parse_double(u"3,75"), 3.0);
  EXPECT_EQ(parse_double(u"abc"), 0.0);
  EXPECT_EQ(parse_double(u"inf"), 0.0);
  EXPECT_EQ(parse_double(u"nan"), 0.0);
  EXPECT_EQ(parse_double(u"-+1"), 0.0);
  EXPECT_EQ(parse_double(u"1e999"), DBL_MAX);
  EXPECT_EQ(parse_double(u"-1e999"), -DBL_MAX);
  EXPECT_EQ(parse_double(u"1e-999"), 0.0);
}

TEST(FieldCodec, TextIsCutTerminatedAndZeroFilled) {
  uint8_t field[10];
  std::memset(field, 0xAB, sizeof field);
  put_text(field, 10, u"ABCDEFG");
  const uint8_t expected[10] = {'A', 0, 'B', 0, 'C', 0, 'D', 0, 0, 0};
  EXPECT_EQ(std::memcmp(field, expected, 10), 0);
  EXPECT_EQ(get_text(field, 10), u"ABCD");

  std::memset(field, 0xAB, sizeof field);
  put_text(field, 10, u"é");
  const uint8_t short_text[10] = {0xE9, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(field, short_text, 10), 0);

  std::memset(field, 0xAB, sizeof field);
  put_text(field, 10, u"abc\U0001F3AC");  // the pair would straddle the cut: dropped whole
  EXPECT_EQ(get_text(field, 10), u"abc");
  EXPECT_EQ(field[6], 0);
  EXPECT_EQ(field[7], 0);
}

TEST(FieldCodec, ReaderStopsAtNulOrFieldEnd) {
  const uint8_t nul_inside[8] = {'H', 0, 'i', 0, 0, 0, 'X', 0};
  EXPECT_EQ(get_text(nul_inside, 8), u"Hi");
  const uint8_t no_nul[6] = {'a', 0, 'b', 0, 'c', 0};  // a damaged file: no terminator
  EXPECT_EQ(get_text(no_nul, 6), u"abc");
  uint8_t tiny[1] = {0x55};
  put_text(tiny, 1, u"x");
  EXPECT_EQ(tiny[0], 0);
  EXPECT_EQ(get_text(tiny, 1), u"");
}

// Copying a field straight into another must give exactly what reading it and writing the text
// would: the cut one unit before the end, a pair not split, zeros after, a field with no end.
TEST(FieldCodec, CopyingAFieldIsReadingItAndWritingTheText) {
  struct Case {
    std::u16string stored;
    size_t from_width, to_width;
  };
  const Case cases[] = {
      {u"ABCD", 10, 10},            {u"ABCDE", 12, 10},      {u"ABCD", 8, 10},  // exactly full; one over; no NUL
      {u"abc\U0001F3AC", 12, 10},  {u"ab\U0001F3AC", 12, 10}, {u"", 10, 10},
      {u"Hi\0X", 10, 10},           {u"x", 4, 1},            {u"xyz", 8, 2},
  };
  for (const auto& c : cases) {
    uint8_t from[16] = {};
    for (size_t i = 0; i < c.stored.size() && 2 * i + 1 < c.from_width; ++i) put_u16(from + 2 * i, c.stored[i]);
    uint8_t copied[16], written[16];
    std::memset(copied, 0xAB, sizeof copied);
    std::memset(written, 0xAB, sizeof written);
    copy_text(copied, c.to_width, from, c.from_width);
    put_text(written, c.to_width, get_text(from, c.from_width));
    EXPECT_EQ(std::memcmp(copied, written, sizeof copied), 0) << c.from_width << " -> " << c.to_width;
  }
}

}  // namespace
}  // namespace kelvo::text
