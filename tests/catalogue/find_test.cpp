// Finding films and members: number rule, title prefixes with "?" and case folding, fragments,
// names with first names, the list option, telephone and address.
#include <gtest/gtest.h>

#include "catalogue/film_find.h"
#include "catalogue/member_find.h"
#include "catalogue_fixture.h"

using namespace kelvo;
using namespace kelvo::catalogue;
using kelvo::cattest::CatalogueTest;
using kelvo::cattest::film;
using kelvo::cattest::member;
using platform::Answer;

namespace {

class FindFilm : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    given_films({film(10, u"Star"), film(11, u"sky"), film(12, u"Cars"), film(13, u"Bart"), film(14, u"Star Wars"),
               film(15, u"star wars"), film(2001, u"Arena"), film(16, u"2001 A Space Odyssey")});
  }
  // Every match offered, the operator pressing Next each time.
  std::vector<int64_t> all_matches(std::u16string text, bool case_sensitive, NumberRule rule = NumberRule::NamesOnly) {
    views_.offered.clear();
    views_.match_choices.assign(20, MatchChoice::Next);
    EXPECT_EQ(find_film(shop_, views_, text, case_sensitive, false, rule), 0);
    EXPECT_TRUE(op_.saw("Finished", "No match found"));
    return views_.offered;
  }
};

TEST_F(FindFilm, TitleStartFoldsAsciiCaseUnlessTicked) {
  EXPECT_EQ(all_matches(u"s", false), (std::vector<int64_t>{10, 11, 14, 15}));
  EXPECT_EQ(all_matches(u"s", true), (std::vector<int64_t>{11, 15}));
  EXPECT_EQ(all_matches(u"STAR W", false), (std::vector<int64_t>{14, 15}));
  EXPECT_EQ(all_matches(u"Star W", true), (std::vector<int64_t>{14}));
}

TEST_F(FindFilm, QuestionMarkStandsForAnyOneCharacter) {
  EXPECT_EQ(all_matches(u"?ar", false), (std::vector<int64_t>{12, 13}));
  EXPECT_EQ(all_matches(u"St?r", true), (std::vector<int64_t>{10, 14}));
  EXPECT_TRUE(all_matches(u"Starz", false).empty());
}

TEST_F(FindFilm, OkSelectsAndLoadsCancelSelectsNothing) {
  views_.match_choices = {MatchChoice::Next, MatchChoice::Select};
  EXPECT_EQ(find_film(shop_, views_, u"s", false, true), 11);
  EXPECT_EQ(shop_.film.title(), u"sky");
  EXPECT_TRUE(views_.shown.empty()) << "a title match is not shown in the display screen";
  views_.match_choices = {MatchChoice::Cancel};
  EXPECT_EQ(find_film(shop_, views_, u"Cars", false, true), 0);
  EXPECT_FALSE(op_.saw("Finished", "No match found"));
}

TEST_F(FindFilm, LeadingDigitsMakeANumberUnlessTheCommandSearchesTitles) {
  EXPECT_EQ(typed_number(u"2001 A", NumberRule::FindCommand), 2001);
  EXPECT_EQ(find_film(shop_, views_, u"2001 A", false, true, NumberRule::FindCommand), 2001);
  EXPECT_EQ(shop_.film.title(), u"Arena");
  EXPECT_EQ(views_.shown, (std::vector<int64_t>{2001}));

  views_.match_choices = {MatchChoice::Select};
  EXPECT_EQ(find_film(shop_, views_, u"2001 A", false, true, NumberRule::NamesOnly), 16);

  // "Find" takes numbers only up to 10^17; above that the text is a title.
  EXPECT_EQ(typed_number(u"100000000000000000", NumberRule::FindCommand), 100000000000000000LL);
  EXPECT_EQ(typed_number(u"100000000000000001", NumberRule::FindCommand), std::nullopt);
  EXPECT_EQ(typed_number(u"100000000000000001", NumberRule::AnyPositive), 100000000000000001LL);
  EXPECT_EQ(typed_number(u"0", NumberRule::AnyPositive), std::nullopt);
  EXPECT_EQ(typed_number(u"-3", NumberRule::AnyPositive), std::nullopt);
}

TEST_F(FindFilm, UnknownNumberSelectsNothingSilently) {
  EXPECT_EQ(find_film(shop_, views_, u"999", false, true), 0);
  EXPECT_TRUE(op_.messages.empty());
  EXPECT_TRUE(views_.shown.empty());
}

TEST_F(FindFilm, DeletedFilmsAreNotFound) {
  ASSERT_TRUE(records::delete_film(shop_, 10));
  EXPECT_EQ(all_matches(u"Star", true), (std::vector<int64_t>{14}));
  EXPECT_EQ(find_film(shop_, views_, u"10", false, false), 0);
}

TEST_F(FindFilm, FragmentIsExactAndAskedAboutOneByOne) {
  op_.reply({Answer::No});
  EXPECT_EQ(find_that_contain(shop_, views_, u"War"), 0);
  EXPECT_TRUE(op_.saw("Search: No to continue", "14, Star Wars"));
  EXPECT_FALSE(op_.saw("Search: No to continue", "15, star wars"));
  EXPECT_TRUE(op_.saw("Finished", "No match found"));

  op_.reply({Answer::Yes});
  EXPECT_EQ(find_that_contain(shop_, views_, u"ar"), 10);
  EXPECT_EQ(views_.shown, (std::vector<int64_t>{10}));
  op_.reply({Answer::No, Answer::Cancel});
  EXPECT_EQ(find_that_contain(shop_, views_, u"ar"), 12) << "Cancel selects without showing";
  EXPECT_EQ(views_.shown.size(), 1u);
}

TEST_F(FindFilm, CommandsPromptWithTheirOwnWords) {
  op_.type(u"sky", true);
  views_.match_choices = {MatchChoice::Select};
  EXPECT_EQ(find_film_by_title_command(shop_, views_), 11);
  op_.type(u"12");
  EXPECT_EQ(find_film_command(shop_, views_), 12);
  op_.cancel_prompt();
  EXPECT_EQ(find_that_contain_command(shop_, views_), 0);
  EXPECT_EQ(op_.questions, (std::vector<std::string>{"Find film by title", "Find film number / title",
                                                     "Fragment (case sensitive):"}));
  EXPECT_EQ(next_film(shop_, 12), 13);
  EXPECT_EQ(next_film(shop_, 2001), 0);
}

class FindMember : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    auto m1 = member(1, u"Smith", u"John", u"1 High Street");
    m1.set_telephone1(u"0115 555 123");
    auto m2 = member(2, u"smart", u"jane", u"2 Low Road");
    m2.set_telephone2(u"555-9999");
    auto m3 = member(3, u"Smith", u"Annabel", u"3 High Street");
    auto m4 = member(4, u"Jones", u"Sam", u"high street 9");
    m4.set_telephone1(u"0115 000 000");
    given_members({m1, m2, m3, m4});
  }
  std::vector<int64_t> matches(std::u16string last, std::u16string first, bool cs = false) {
    views_.offered.clear();
    views_.match_choices.assign(20, MatchChoice::Next);
    platform::PromptAnswer a{last, cs, first};
    EXPECT_EQ(find_member(shop_, views_, a, false), 0);
    return views_.offered;
  }
};

TEST_F(FindMember, LastNameWithOptionalFirstName) {
  EXPECT_EQ(matches(u"sm", u""), (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(matches(u"sm", u"J"), (std::vector<int64_t>{1, 2}));
  EXPECT_EQ(matches(u"Sm", u"J", true), (std::vector<int64_t>{1}));
  EXPECT_EQ(matches(u"s", u"a"), (std::vector<int64_t>{3}));
  EXPECT_EQ(matches(u"Smith", u"Annabelle"), (std::vector<int64_t>{3})) << "first name cut to 7 characters";
}

TEST_F(FindMember, NumberFindShowsOnlyWithTheShowFlag) {
  EXPECT_EQ(find_member(shop_, views_, {u"3", false, {}}, true), 3);
  EXPECT_EQ(shop_.member.initial(), u"Annabel");
  EXPECT_EQ(views_.shown, (std::vector<int64_t>{3}));
  EXPECT_EQ(find_member(shop_, views_, {u"4", false, {}}, false), 4);
  EXPECT_EQ(views_.shown.size(), 1u);
  EXPECT_EQ(find_member(shop_, views_, {u"44", false, {}}, false), 0);
}

TEST_F(FindMember, ListOptionOffersEveryMatchInNumberOrder) {
  shop_.config.set_i32(records::cfg::kMemberSearchList, 2);
  op_.choices = {1};
  EXPECT_EQ(find_member(shop_, views_, {u"SMI", false, {}}, false), 3);
  ASSERT_EQ(op_.lists.size(), 1u);
  EXPECT_EQ(op_.lists[0], (std::vector<std::string>{"1  John Smith,  1 High Street", "3  Annabel Smith,  3 High Street"}))
      << "number, title, first name, name, road";
  EXPECT_EQ(shop_.member.number(), 3);
  EXPECT_TRUE(views_.offered.empty());
  op_.choices = {std::nullopt};
  EXPECT_EQ(find_member(shop_, views_, {u"SMI", false, {}}, false), 0);
}

TEST_F(FindMember, TelephoneTextAnywhereInEitherNumber) {
  op_.reply({Answer::No, Answer::No});
  EXPECT_FALSE(find_by_telephone(shop_, u"555"));
  EXPECT_TRUE(op_.saw("Search: No to continue", "1, Smith: 0115 555 123"));
  EXPECT_TRUE(op_.saw("Search: No to continue", "2, smart: 555-9999"));
  EXPECT_TRUE(op_.saw("Finished", "No match found"));
  op_.reply({Answer::No, Answer::Yes});
  EXPECT_TRUE(find_by_telephone(shop_, u"0115"));
  EXPECT_EQ(shop_.member.number(), 4);

  op_.type(u"01234567890123456789");
  EXPECT_EQ(find_by_telephone_command(shop_, views_), 0);
  EXPECT_TRUE(op_.saw("Problem", "Limit 19 characters"));
}

TEST_F(FindMember, AddressSearchFindsTheTextAnywhereInTheRoad) {
  op_.type(u"high st");
  views_.match_choices = {MatchChoice::Next, MatchChoice::Next, MatchChoice::Select};
  EXPECT_EQ(find_by_address_command(shop_, views_), 4);
  EXPECT_EQ(views_.offered, (std::vector<int64_t>{1, 3, 4}));
  op_.type(std::u16string(30, u'x'));
  EXPECT_EQ(find_by_address_command(shop_, views_), 0);
  EXPECT_TRUE(op_.saw("Problem", "Limit 28 characters"));
}

TEST_F(FindMember, NewMemberListsPageByThirteen) {
  std::vector<records::MemberRecord> more;
  for (int i = 0; i < 14; ++i) {
    auto m = member(100 + i, u"Smithers", u"", u"1 High Street");
    ASSERT_TRUE(records::add_member(shop_, m));
  }
  new_member_searches(shop_, views_, member(0, u"smith", u"", u"1 high"));
  ASSERT_EQ(views_.list_titles,
            (std::vector<std::string>{"New member search: name", "New member search: name",
                                      "New member search: address", "New member search: address"}));
  EXPECT_EQ(views_.pages[0].size(), 13u);
  EXPECT_TRUE(views_.more_left[0]);
  EXPECT_EQ(views_.pages[1].size(), 3u);
  EXPECT_FALSE(views_.more_left[1]);
  EXPECT_EQ(views_.pages[0][0], (ListRow{u"1", u"Smith", u" John", u"1 High Street"}));
  EXPECT_EQ(views_.pages[2].size() + views_.pages[3].size(), 15u);

  views_ = {};
  reset_output();
  new_member_searches(shop_, views_, member(0, u"Zebedee", u"", u""));
  EXPECT_TRUE(views_.pages.empty());
  EXPECT_TRUE(op_.saw("Problem", "No items on record."));
}

}  // namespace
