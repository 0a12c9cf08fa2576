// The formatter must give what the C library gives for the program's formats, so each case is
// checked against swprintf itself (with the glibc spelling of the length prefix and of %ls/%lc).
#include <cwchar>
#include <limits>

#include <gtest/gtest.h>

#include "text/format.h"

namespace kelvo::text {
namespace {

template <class... A>
u16 c_format(const wchar_t* fmt, A... args) {
  wchar_t buf[512];
  const int n = std::swprintf(buf, 512, fmt, args...);
  EXPECT_GE(n, 0);
  u16 out;
  for (int i = 0; i < n; ++i) out.push_back(static_cast<char16_t>(buf[i]));
  return out;
}

TEST(Format, SixtyFourBitIntegersMatchTheCLibrary) {
  for (long long v : {0LL, 7LL, -7LL, 100000000000000000LL, -100000000000000000LL,
                      std::numeric_limits<long long>::max(), std::numeric_limits<long long>::min()}) {
    EXPECT_EQ(format("%I64d", {v}), c_format(L"%lld", v)) << v;
    EXPECT_EQ(format("%-16I64d|", {v}), c_format(L"%-16lld|", v)) << v;
    EXPECT_EQ(format("%-6I64d %.2f", {v, 1.5f}), c_format(L"%-6lld %.2f", v, 1.5)) << v;
  }
}

TEST(Format, IntegerFlagsWidthAndPrecision) {
  for (int v : {0, 5, -5, 42, 255, -123456, 2147483647}) {
    EXPECT_EQ(format("%d", {v}), c_format(L"%d", v));
    EXPECT_EQ(format("%02d", {v}), c_format(L"%02d", v));
    EXPECT_EQ(format("%5d|%-5d|%05d", {v, v, v}), c_format(L"%5d|%-5d|%05d", v, v, v));
    EXPECT_EQ(format("%+d % d %.3d %8.3d %.0d", {v, v, v, v, v}),
              c_format(L"%+d % d %.3d %8.3d %.0d", v, v, v, v, v));
    EXPECT_EQ(format("%x %X %#x %08x %o %#o %u", {v, v, v, v, v, v, v}),
              c_format(L"%x %X %#x %08x %o %#o %u", v, v, v, v, v, v, v));
  }
  EXPECT_EQ(format("%*d|%-*d|%*d", {6, 42, 6, 42, -6, 42}), c_format(L"%*d|%-*d|%*d", 6, 42, 6, 42, -6, 42));
  EXPECT_EQ(format("%.*d", {-1, 0}), c_format(L"%.*d", -1, 0));
  EXPECT_EQ(format("%I64x", {-1LL}), u"ffffffffffffffff");
}

TEST(Format, FloatsAreWidenedAndRoundedAsTheCLibraryDoes) {
  for (float f : {0.0f, 1.005f, 2.675f, 0.125f, -0.005f, 1.5f, 12345.678f, 0.1f * 3, 1e10f}) {
    const double d = f;
    EXPECT_EQ(format("%.2f", {f}), c_format(L"%.2f", d)) << f;
    EXPECT_EQ(format("%5.1f|%-8.2f|%08.2f|%+.2f", {f, f, f, f}),
              c_format(L"%5.1f|%-8.2f|%08.2f|%+.2f", d, d, d, d)) << f;
    EXPECT_EQ(format("%f %e %g %G", {f, f, f, f}), c_format(L"%f %e %g %G", d, d, d, d)) << f;
  }
  EXPECT_EQ(format("%.2f", {1.005f}), u"1.00");  // the float lies just below 1.005
  EXPECT_EQ(format("%.2f", {3}), u"3.00");
  EXPECT_EQ(format("%d", {2.9}), u"2");
}

TEST(Format, TextWidthsCountCharactersNotBytes) {
  const u16 title = u"Amélie – Le Fabuleux Destin";
  const wchar_t* wtitle = L"Amélie – Le Fabuleux Destin";
  EXPECT_EQ(format("%-40s|", {title}), c_format(L"%-40ls|", wtitle));
  EXPECT_EQ(format("%40s|", {title}), c_format(L"%40ls|", wtitle));
  EXPECT_EQ(format("%.6s|%-10.3s|", {title, title}), c_format(L"%.6ls|%-10.3ls|", wtitle, wtitle));
  EXPECT_EQ(format("%-16I64d  %-30s  %s, %I64d", {12LL, title, u"07/12/2026", 3LL}),
            c_format(L"%-16lld  %-30ls  %ls, %lld", 12LL, wtitle, L"07/12/2026", 3LL));
  // A cut never separates the halves of a surrogate pair.
  EXPECT_EQ(format("%.2s", {u"a\U0001F600b"}), u"a");
}

TEST(Format, CharactersPercentAndStampPrefix) {
  const u16 stamp = u"14:0507/12/2026";
  EXPECT_EQ(format(u"\r\n%c%c:%c%c %s  Rental: %I64d",
                   {stamp[0], stamp[1], stamp[3], stamp[4], u16view(stamp).substr(5), 3LL}),
            u"\r\n14:05 07/12/2026  Rental: 3");
  EXPECT_EQ(format("%c|%3c|%-3c|%%|100%%", {u'é', u'x', 65}), c_format(L"%lc|%3lc|%-3lc|%%|100%%", L'é', L'x', 65));
}

TEST(Format, MissingExtraAndMalformedArguments) {
  EXPECT_EQ(format("%d and %s and %.2f|"), u"0 and  and 0.00|");
  EXPECT_EQ(format("%d", {1, 2, 3}), u"1");
  EXPECT_EQ(format("%s", {5}), u"");      // a number is not text
  EXPECT_EQ(format("%d", {u"12"}), u"0");  // nor text a number
  EXPECT_EQ(format("50%"), u"50%");
  EXPECT_EQ(format("%5"), u"%5");
  EXPECT_EQ(format("%n%y", {1}), u"%n%y");
  EXPECT_EQ(format("%c", {0}), u"");  // no NUL inside the text
  EXPECT_EQ(format(u16view(u"Ü %d"), {3}), u"Ü 3");
}

TEST(Format, NumbersIgnoreTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(format("%.2f", {1.5f}), u"1.50");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace kelvo::text
