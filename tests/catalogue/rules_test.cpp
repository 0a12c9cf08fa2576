// Number proposals, the date lists and their storing rules, the prune cut-off and the photo
// file header.
#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/date_lists.h"
#include "catalogue/member_maintenance.h"
#include "catalogue/member_photo.h"
#include "catalogue/numbering.h"
#include "catalogue_fixture.h"
#include "records/file_io.h"
#include "text/coding.h"

using namespace kelvo;
using namespace kelvo::catalogue;
using kelvo::testing::at;

namespace {

records::NumberIndex index_of(std::vector<int64_t> numbers) {
  std::vector<records::IndexEntry> e;
  for (size_t i = 0; i < numbers.size(); ++i) e.push_back({numbers[i], static_cast<int64_t>(i)});
  records::NumberIndex idx;
  idx.build(e);
  return idx;
}

TEST(Proposal, FirstFreeNumberOfTheRunThatBeginsAtTheStart) {
  EXPECT_EQ(propose_number(index_of({}), 100), 100);
  EXPECT_EQ(propose_number(index_of({100, 101, 102}), 100), 103);
  EXPECT_EQ(propose_number(index_of({100, 102}), 100), 101);
  EXPECT_EQ(propose_number(index_of({-1, -1, 5, 101, 102}), 100), 100) << "start itself free";
  EXPECT_EQ(propose_number(index_of({100, 101, 103, 104}), 101), 102);
  EXPECT_EQ(propose_number(index_of({1, 2, 3, 50}), 1), 4) << "gaps further up are not looked for";
}

TEST(Proposal, StartNumbersAreStoredLessOne) {
  records::ConfigBlock c;
  c.set_i64(records::cfg::kFormat1Start, 999);
  c.set_i64(records::cfg::kFormat2Start, 4999);
  EXPECT_EQ(film_range_start(c, FilmRange::Format1), 1000);
  EXPECT_EQ(film_range_start(c, FilmRange::Format2), 5000);
  EXPECT_EQ(propose_member_number(index_of({1, 2}), c), 3);
  c.set_i64(records::cfg::kMemberStart, -7);
  EXPECT_EQ(member_range_start(c), 1);
  EXPECT_EQ(c.i64(records::cfg::kMemberStart), 0) << "a start below 1 is put back";
}

TEST(DateLists, ListsOfferTheirRanges) {
  auto p = purchase_lists(2026);
  EXPECT_EQ(p.days().front(), u"1");
  EXPECT_EQ(p.days().size(), 31u);
  EXPECT_EQ(p.months().front(), u"Jan");
  EXPECT_EQ(p.years().front(), u"1990");
  EXPECT_EQ(p.years().back(), u"2026");
  auto e = expiry_lists(2026);
  EXPECT_EQ(e.days().front(), u"0");
  EXPECT_EQ(e.months().size(), 13u);
  EXPECT_EQ(e.years()[1], u"2006");
  EXPECT_EQ(e.years().back(), u"2036");
  EXPECT_EQ(birth_lists(2026).years()[1], u"1900");
  EXPECT_TRUE(e.offers({0, 0, 0}));
  EXPECT_FALSE(p.offers({0, 0, 0}));
  EXPECT_FALSE(p.offers({1, 1, 1989}));
}

TEST(DateLists, ExpiryDayIsBroughtIntoTheMonth) {
  EXPECT_EQ(expiry_date({31, 2, 2027}), u"28/02/2027");
  EXPECT_EQ(expiry_date({30, 2, 2028}), u"29/02/2028") << "the program's leap years";
  EXPECT_EQ(expiry_date({31, 4, 2027}), u"30/04/2027");
  EXPECT_EQ(expiry_date({31, 6, 2027}), u"30/06/2027");
  EXPECT_EQ(expiry_date({31, 9, 2027}), u"30/09/2027");
  EXPECT_EQ(expiry_date({31, 11, 2027}), u"30/11/2027");
  EXPECT_EQ(expiry_date({31, 12, 2027}), u"31/12/2027");
  EXPECT_EQ(expiry_date({0, 12, 2027}), u"");
  EXPECT_EQ(expiry_date({5, 0, 2027}), u"");
}

TEST(DateLists, DaysAheadWalkTheProgramsCalendar) {
  EXPECT_EQ(days_ahead(at(2026, 12, 7), 30), (DateChoice{6, 1, 2027}));
  EXPECT_EQ(days_ahead(at(2027, 1, 31), 30), (DateChoice{2, 3, 2027}));
  EXPECT_EQ(days_ahead(at(2100, 2, 1), 28), (DateChoice{29, 2, 2100})) << "every fourth year has 29 February";
  EXPECT_EQ(days_ahead(at(2026, 12, 7), 90), (DateChoice{7, 3, 2027}));
}

TEST(DateLists, StoringRulesOfTheDateBoxes) {
  EXPECT_EQ(chosen_date_or({3, 4, 2020}, u"01/01/2000"), u"03/04/2020");
  EXPECT_EQ(chosen_date_or({0, 4, 2020}, u"01/01/2000"), u"01/01/2000");
  EXPECT_EQ(optional_date({3, 0, 2020}), u"");
  EXPECT_EQ(last_hire_stamp({5, 6, 2024}, u"17:4201/01/2024"), u"17:4205/06/2024") << "time kept";
  EXPECT_EQ(last_hire_stamp({5, 6, 2024}, u"01/01/20"), u"00:0005/06/2024");
  EXPECT_EQ(last_hire_stamp({5, 0, 2024}, u"17:4201/01/2024"), u"");
  EXPECT_EQ(choice_from_stamp(u"17:4205/06/2024"), (DateChoice{5, 6, 2024}));
  EXPECT_EQ(choice_from_date(u"NEW"), DateChoice{});
}

TEST(Prune, CutOffIsSixMonthsBack) {
  EXPECT_EQ(prune_cutoff(at(2026, 3, 1)).month, 9);
  EXPECT_EQ(prune_cutoff(at(2026, 3, 1)).year, 2025);
  EXPECT_EQ(prune_cutoff(at(2026, 7, 1)).month, 1);
  EXPECT_EQ(prune_cutoff(at(2026, 7, 1)).year, 2026);
  const MonthYear sep25{9, 2025};
  EXPECT_FALSE(used_since(u"10:0030/09/2025", sep25));
  EXPECT_TRUE(used_since(u"10:0001/10/2025", sep25));
  EXPECT_TRUE(used_since(u"10:0001/01/2026", sep25));
  EXPECT_FALSE(used_since(u"10:0001/12/2024", sep25));
  EXPECT_FALSE(used_since(u"NEW", sep25));
  EXPECT_FALSE(readable_month_year(u"NEW"));
}

TEST(Photo, FileHeaderAndBottomUpRows) {
  const uint32_t px[6] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC, 0x00DDEEFF, 0x00010203};
  auto b = photo_file_bytes(3, 2, px);
  ASSERT_EQ(b.size(), 14u + 40u + 24u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(text::get_i32(&b[2]), 78);
  EXPECT_EQ(text::get_u16(&b[6]), 0);
  EXPECT_EQ(text::get_u16(&b[8]), 0);
  EXPECT_EQ(text::get_i32(&b[10]), 54);
  EXPECT_EQ(text::get_i32(&b[14]), 40);
  EXPECT_EQ(text::get_i32(&b[18]), 3);
  EXPECT_EQ(text::get_i32(&b[22]), 2);
  EXPECT_EQ(text::get_u16(&b[28]), 32);
  EXPECT_EQ(text::get_i32(&b[34]), 24);
  EXPECT_EQ(text::get_i32(&b[54]), 0x00AABBCC) << "bottom row first";
  EXPECT_EQ(text::get_i32(&b[66]), 0x00112233);
}

class PhotoFile : public cattest::CatalogueTest {};

TEST_F(PhotoFile, SavedPhotoIsWrittenAndClaimedByTheMember) {
  given_members({cattest::member(77, u"Smith")});
  std::vector<uint32_t> px(kPhotoWidth * kPhotoHeight, 0x00FF0000);
  op_.type(u"77");
  ASSERT_TRUE(add_photo_command(shop_, kPhotoWidth, kPhotoHeight, px.data()));
  EXPECT_TRUE(op_.saw("Member: 77 Smith", "Save picture?"));
  auto bytes = records::read_whole(folder_ / "m77.bmp");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 54u + 128u * 96u * 4u);
  EXPECT_GT(bytes->size(), kPhotoPiece) << "written in several pieces";
  records::MemberRecord back;
  ASSERT_TRUE(records::read_member(shop_, 77, back));
  EXPECT_EQ(back.has_photo(), 1);
  EXPECT_EQ(op_.activity_lines.at(0), "Image added to member 77");
  EXPECT_EQ(op_.activity_lines.at(1), "File size: 49206");

  op_.type(u"78");
  EXPECT_FALSE(add_photo_command(shop_, kPhotoWidth, kPhotoHeight, px.data()));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "m78.bmp"));
}

}  // namespace
