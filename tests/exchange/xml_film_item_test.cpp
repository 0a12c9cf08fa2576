// The XML film item shared by the export and the web inventory uploader.
#include <gtest/gtest.h>

#include "exchange/xml_film_item.h"

namespace kelvo::exchange {
namespace {

TEST(XmlEscape, EntitiesForTheFiveMarkupCharactersAndNothingElseChanged) {
  EXPECT_EQ(xml_escape(u"Tom & Jerry"), u"Tom &amp; Jerry");
  EXPECT_EQ(xml_escape(u"<a href=\"x\">'y'</a>"), u"&lt;a href=&quot;x&quot;&gt;&apos;y&apos;&lt;/a&gt;");
  EXPECT_EQ(xml_escape(u"Amélie – 東京 \U0001F3AC"), u"Amélie – 東京 \U0001F3AC");
  EXPECT_EQ(xml_escape(u"a\tb\r\nc"), u"a\tb\r\nc");
  EXPECT_EQ(xml_escape(u""), u"");
}

TEST(XmlEscape, DropsCharactersNoXmlDocumentMayHold) {
  std::u16string s = u"a";
  s += char16_t{0x01};
  s += u'b';
  s += char16_t{0x1B};
  s += char16_t{0xFFFE};
  s += char16_t{0xFFFF};
  s += u'c';
  EXPECT_EQ(xml_escape(s), u"abc");
}

TEST(XmlFilmItem, FieldsLeftOutAreOmittedWhileNumberTitleWebsiteAndNotesStay) {
  records::FilmRecord f;
  f.set_number(100000000000000000LL);
  f.set_title(u"A&B");
  f.set_cost(3.0f);
  f.set_location(u"Back");
  FilmXmlFields fields;
  fields.set(FilmXmlField::cost, false);
  fields.set(FilmXmlField::location, false);
  const auto all = xml_film_item(f);
  const auto some = xml_film_item(f, fields);
  EXPECT_NE(all.find(u"<cost>3.00</cost>\r\n"), std::u16string::npos);
  EXPECT_NE(all.find(u"<location>Back</location>\r\n"), std::u16string::npos);
  std::u16string expected = all;
  for (std::u16string line : {u"<cost>3.00</cost>\r\n", u"<location>Back</location>\r\n"})
    expected.erase(expected.find(line), line.size());
  EXPECT_EQ(some, expected);

  FilmXmlFields none;
  for (int i = 0; i < kFilmXmlOptionalFields; ++i) none.set(static_cast<FilmXmlField>(i), false);
  EXPECT_EQ(xml_film_item(f, none),
            u"<item>\r\n<number>100000000000000000</number>\r\n<title>A&amp;B</title>\r\n<website></website>\r\n"
            u"<notes></notes>\r\n</item>\r\n");
}

}  // namespace
}  // namespace kelvo::exchange
