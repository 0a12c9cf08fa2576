// What the three export formats write, byte for byte, for small shops.
#include "exchange/export_fixture.h"

namespace kelvo::exchange {
namespace {

records::FilmRecord full_film() {
  records::FilmRecord f;
  f.set_number(7);
  f.set_title(u"Heat");
  f.set_category(u"CR");
  f.set_certificate(u"18");
  f.set_supplier(u"WB");
  f.set_format(u"DVD");
  f.set_charge_band(3);
  f.set_date_added(u"01/02/2025");
  f.set_cost(12.5f);
  f.set_actor_1(u"Pacino, Al");
  f.set_actor_2(u"De Niro");
  f.set_director(u"Mann");
  f.set_language(u"English");
  f.set_location(u"Shelf <3>");
  f.set_website(u"http://x/?a=1&b=2");
  f.set_notes(u"Cop's \"last\" job");
  return f;
}

// A film that has been out: revenue, dates and the renter window.
void rented(records::FilmRecord& f) {
  f.set_revenue(9.99f);
  f.set_last_hire(u"14:0501/12/2026");
  f.set_on_loan_to(42);
  f.set_return_date(u"19:0003/12/2026");
  for (int64_t m : {11, 12, 13, 14}) f.push_renter(m);
}

TEST_F(ExportTest, TextFilmsWithNumberAndTitleGiveNumberCommaTitleSkippingDeletedAndOutOfRange) {
  add(film(1, u"Alien"));
  add(film(2, u"Tom & Jerry, the movie"));
  add(film(3, u"Gone"));
  add(film(4, u"Zulu"));
  add(film(9, u"Beyond"));
  ASSERT_TRUE(records::delete_film(shop_, 3));
  run(range(1, 4), u"FILM.TXT", only({1, 2}));
  // Little-endian UTF-16 after the FF FE header, CR LF line ends.
  EXPECT_EQ(bytes_of("FILM.TXT").substr(0, 20), std::string("\xFF\xFE" "1\0,\0A\0l\0i\0e\0n\0\r\0\n\0", 20));
  // Commas inside a field stay as they are; the deleted film and the one above Finish are left out.
  EXPECT_EQ(read_back("FILM.TXT"), u"1,Alien\r\n2,Tom & Jerry, the movie\r\n4,Zulu\r\n");
}

TEST_F(ExportTest, TextFilmsWithEveryBoxAndWithExportEntire) {
  auto f = full_film();
  add(f);
  run(range(7, 7), u"FILM.TXT");
  EXPECT_EQ(read_back("FILM.TXT"), u"7,Heat,CR,18,WB,DVD,3,01/02/2025,12.50,0\r\n");

  // A rental changes only what renting writes; stamp it straight into the file.
  records::FilmRecord out;
  ASSERT_TRUE(records::read_film(shop_, 7, out));
  rented(out);
  for (int64_t m : {15, 16, 17, 18, 19, 20}) out.push_renter(m);  // 10 renters: 11 is the oldest
  out.set_rentals(10);
  ASSERT_TRUE(records::rewrite_film(shop_, out));
  FieldChoice entire = only({});
  entire.entire = true;
  run(range(1, 100), u"FILM.TXT", entire);
  EXPECT_EQ(read_back("FILM.TXT"),
            u"7,Heat,CR,18,WB,DVD,3,01/02/2025,12.50,10,Pacino, Al,De Niro,Mann,9.99,14:0501/12/2026,42,"
            u"19:0003/12/2026,18,19,20,http://x/?a=1&b=2,Cop's \"last\" job\r\n");
}

TEST_F(ExportTest, TextWithSomeBoxesEmptyFieldsAndNoBoxAtAll) {
  add(film(1, u"Alien"));
  run(range(1, 1), u"FILM.TXT", only({2, 3, 9}));
  EXPECT_EQ(read_back("FILM.TXT"), u"Alien,,0.00\r\n");
  run(range(1, 1), u"FILM.TXT", only({}));
  EXPECT_EQ(read_back("FILM.TXT"), u"\r\n");
}

TEST_F(ExportTest, WithoutTheUnicodeHeaderTheFileStartsWithTheFirstCharacter) {
  add(film(12, u"Alien"));
  auto c = range(1, 20);
  c.unicode_header = false;
  run(c, u"FILM.TXT", only({1}));
  EXPECT_EQ(bytes_of("FILM.TXT"), std::string("1\0002\0\r\0\n\0", 8));
}

TEST_F(ExportTest, TextMembersTelephone2OnlyWhenEntire) {
  auto m = member(5, u"Smith");
  m.set_title(u"Mr");
  m.set_initial(u"J");
  m.set_road(u"1 High St");
  m.set_area(u"Old Town");
  m.set_town(u"Leeds");
  m.set_post_code(u"LS1");
  m.set_telephone1(u"0113");
  m.set_telephone2(u"0777");
  m.set_comment1(u"ok");
  add(m);
  run(range(1, 10, ExportRecords::Members), u"MEMBER.TXT");
  EXPECT_EQ(read_back("MEMBER.TXT"), u"5,Mr,J,Smith,1 High St,Old Town,Leeds,LS1,0113,ok\r\n");
  run(range(1, 10, ExportRecords::Members), u"MEMBER.TXT", only({1, 4, 10}));
  EXPECT_EQ(read_back("MEMBER.TXT"), u"5,Smith,ok\r\n");

  records::MemberRecord stored;
  ASSERT_TRUE(records::read_member(shop_, 5, stored));
  stored.set_comment2(u"c2");
  stored.set_credit_card(u"4111");
  stored.set_family1(u"Ann");
  stored.set_family2(u"Bob");
  stored.set_rented(17);
  stored.set_driving_licence(u"DL");
  stored.set_social(u"NI");
  stored.set_email(u"j@x");
  stored.set_born(u"01/01/1970");
  stored.set_last_used(u"10:0001/12/2026");
  stored.set_last_returned(u"11:0002/12/2026");
  stored.set_pin(u"1234");
  stored.set_category(2);
  stored.set_owed(-1.5f);
  ASSERT_TRUE(records::rewrite_member(shop_, stored));
  FieldChoice entire = only({});
  entire.entire = true;
  run(range(1, 10, ExportRecords::Members), u"MEMBER.TXT", entire);
  EXPECT_EQ(read_back("MEMBER.TXT"),
            u"5,Mr,J,Smith,1 High St,Old Town,Leeds,LS1,0113,0777,ok,c2,4111,Ann,Bob,17,DL,NI,j@x,01/01/1970,"
            u"10:0001/12/2026,11:0002/12/2026,1234,2,-1.50\r\n");
}

TEST_F(ExportTest, HtmlFilmsWithBoldingSizeAndEscapedText) {
  add(full_film());
  add(film(8, u"Tom & Jerry <Live>"));
  auto c = range(1, 10, ExportRecords::Films, ExportFormat::Html);
  run(c, u"FILM.HTM");
  EXPECT_EQ(read_back("FILM.HTM"),
            u"<HTML><BODY>\r\n<FONT SIZE='1'>\r\n"
            u"<B>7</B><B> Heat</B> CR 18 WB DVD 3 01/02/2025 12.50 0<BR>\r\n"
            u"<B>8</B><B> Tom &amp; Jerry &lt;Live&gt;</B>     1  0.00 0<BR>\r\n"
            u"</BODY></HTML>");

  c.html.bold_number = false;
  c.html.bold_title = false;
  c.html.size = TextSize::Large;
  run(c, u"FILM.HTM", only({1, 2}));
  EXPECT_EQ(read_back("FILM.HTM"),
            u"<HTML><BODY>\r\n<FONT SIZE='3'>\r\n7 Heat<BR>\r\n8 Tom &amp; Jerry &lt;Live&gt;<BR>\r\n</BODY></HTML>");
  c.html.size = TextSize::Medium;
  run(c, u"FILM.HTM", only({}));
  EXPECT_EQ(read_back("FILM.HTM"), u"<HTML><BODY>\r\n<FONT SIZE='2'>\r\n<BR>\r\n<BR>\r\n</BODY></HTML>");
}

TEST_F(ExportTest, HtmlMembersBoldTheWholeNameOnlyWithTheTitleBox) {
  auto m = member(3, u"O'Neil");
  m.set_title(u"Ms");
  m.set_initial(u"K");
  m.set_town(u"York");
  add(m);
  auto c = range(1, 10, ExportRecords::Members, ExportFormat::Html);
  run(c, u"MEMBER.HTM", only({1, 2, 3, 4, 7}));
  EXPECT_EQ(read_back("MEMBER.HTM"),
            u"<HTML><BODY>\r\n<FONT SIZE='1'>\r\n<B>3</B><B> Ms K O'Neil</B> York<BR>\r\n</BODY></HTML>");
  run(c, u"MEMBER.HTM", only({1, 4, 7}));
  EXPECT_EQ(read_back("MEMBER.HTM"),
            u"<HTML><BODY>\r\n<FONT SIZE='1'>\r\n<B>3</B> O'Neil York<BR>\r\n</BODY></HTML>");
}

TEST_F(ExportTest, XmlFilmsHoldEveryFieldInOrderWithTextEscapedAndEmptyElements) {
  auto f = full_film();
  add(f);
  records::FilmRecord out;
  ASSERT_TRUE(records::read_film(shop_, 7, out));
  rented(out);
  ASSERT_TRUE(records::rewrite_film(shop_, out));
  add(film(8, u"Tom & Jerry"));
  run(range(1, 10, ExportRecords::Films, ExportFormat::Xml), u"FILM.XML");
  EXPECT_EQ(read_back("FILM.XML"),
            u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<document>\r\n"
            u"<item>\r\n<number>7</number>\r\n<title>Heat</title>\r\n<category>CR</category>\r\n"
            u"<certificate>18</certificate>\r\n<supplier>WB</supplier>\r\n<actor_1>Pacino, Al</actor_1>\r\n"
            u"<actor_2>De Niro</actor_2>\r\n<director>Mann</director>\r\n<format>DVD</format>\r\n"
            u"<cost>12.50</cost>\r\n<charge_band>3</charge_band>\r\n<date_added>01/02/2025</date_added>\r\n"
            u"<rentals>0</rentals>\r\n<revenue>9.99</revenue>\r\n<language>English</language>\r\n"
            u"<location>Shelf &lt;3&gt;</location>\r\n<last_hire>14:0501/12/2026</last_hire>\r\n"
            u"<on_loan_to>42</on_loan_to>\r\n<return_date>19:0003/12/2026</return_date>\r\n"
            u"<last_rental_by>14</last_rental_by>\r\n<previous_to_last_rental_by>13</previous_to_last_rental_by>\r\n"
            u"<website>http://x/?a=1&amp;b=2</website>\r\n<notes>Cop&apos;s &quot;last&quot; job</notes>\r\n"
            u"</item>\r\n"
            u"<item>\r\n<number>8</number>\r\n<title>Tom &amp; Jerry</title>\r\n<category></category>\r\n"
            u"<certificate></certificate>\r\n<supplier></supplier>\r\n<actor_1></actor_1>\r\n<actor_2></actor_2>\r\n"
            u"<director></director>\r\n<format></format>\r\n<cost>0.00</cost>\r\n<charge_band>1</charge_band>\r\n"
            u"<date_added></date_added>\r\n<rentals>0</rentals>\r\n<revenue>0.00</revenue>\r\n<language></language>\r\n"
            u"<location></location>\r\n<last_hire></last_hire>\r\n<on_loan_to>0</on_loan_to>\r\n"
            u"<return_date></return_date>\r\n<last_rental_by>0</last_rental_by>\r\n"
            u"<previous_to_last_rental_by>0</previous_to_last_rental_by>\r\n<website></website>\r\n<notes></notes>\r\n"
            u"</item>\r\n"
            u"</document>");
}

TEST_F(ExportTest, CategoryFilterMatchesTheWholeNameExactlyInEveryFormat) {
  add(film(1, u"Alien", u"SF"));
  add(film(2, u"Brazil", u"SF2"));
  add(film(3, u"Contact", u"sf"));
  add(film(4, u"Dune", u"SF"));
  auto c = range(1, 10);
  c.by_category = true;
  c.category = u"SF";
  run(c, u"FILM.TXT", only({1}));
  EXPECT_EQ(read_back("FILM.TXT"), u"1\r\n4\r\n");
  c.format = ExportFormat::Html;
  run(c, u"FILM.HTM", only({1}));
  EXPECT_EQ(read_back("FILM.HTM"), u"<HTML><BODY>\r\n<FONT SIZE='1'>\r\n<B>1</B><BR>\r\n<B>4</B><BR>\r\n</BODY></HTML>");
  c.format = ExportFormat::Xml;
  c.category = u"Horror";
  run(c, u"FILM.XML");
  EXPECT_EQ(read_back("FILM.XML"), u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<document>\r\n</document>");
}

TEST_F(ExportTest, CategoryChoiceDoesNotFilterMembers) {
  add(member(1, u"Smith"));
  auto c = range(1, 10, ExportRecords::Members);
  c.by_category = true;
  c.category = u"SF";
  run(c, u"MEMBER.TXT", only({1}));
  EXPECT_EQ(read_back("MEMBER.TXT"), u"1\r\n");
}

TEST_F(ExportTest, XmlMembersHoldEveryFieldInOrderAndEscapeAllText) {
  auto m = member(5, u"Smith & Sons <Ltd>");
  m.set_title(u"M&M");
  m.set_initial(u"J");
  m.set_road(u"1 \"High\" St");
  m.set_email(u"a<b@x");
  m.set_pin(u"12'4");
  add(m);
  records::MemberRecord stored;
  ASSERT_TRUE(records::read_member(shop_, 5, stored));
  stored.set_owed(4.25f);
  stored.set_rented(3);
  stored.set_rental_credits(6);
  stored.set_expiry(u"01/01/2027");
  stored.set_type_of_membership(1);
  stored.set_category(2);
  ASSERT_TRUE(records::rewrite_member(shop_, stored));
  run(range(1, 10, ExportRecords::Members, ExportFormat::Xml), u"MEMBER.XML");
  EXPECT_EQ(read_back("MEMBER.XML"),
            u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<document>\r\n<customer>\r\n<number>5</number>\r\n"
            u"<title>M&amp;M</title>\r\n<initial>J</initial>\r\n<name>Smith &amp; Sons &lt;Ltd&gt;</name>\r\n"
            u"<road>1 &quot;High&quot; St</road>\r\n<area></area>\r\n<town></town>\r\n<post_code></post_code>\r\n"
            u"<telephone1></telephone1>\r\n<telephone2></telephone2>\r\n<comment1></comment1>\r\n"
            u"<comment2></comment2>\r\n<credit_card></credit_card>\r\n<credit_card_expiry></credit_card_expiry>\r\n"
            u"<family1></family1>\r\n<family2></family2>\r\n<driving_licence></driving_licence>\r\n<social></social>\r\n"
            u"<email>a&lt;b@x</email>\r\n<born></born>\r\n<last_used>NEW</last_used>\r\n<pin>12&apos;4</pin>\r\n"
            u"<rented>3</rented>\r\n<category>2</category>\r\n<owed>4.25</owed>\r\n<rental_credits>6</rental_credits>\r\n"
            u"<expiry>01/01/2027</expiry>\r\n<type_of_membership>1</type_of_membership>\r\n</customer>\r\n"
            u"</document>");
}

}  // namespace
}  // namespace kelvo::exchange
