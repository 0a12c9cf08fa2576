// File "Update items from file": the band, the line count, the deletion and addition passes
// and every line they leave in the activity pane.
#include "exchange/import_fixture.h"

namespace kelvo::exchange {
namespace {

class UpdateTest : public ImportTest {
 protected:
  void update(const char* file, const char16_t* band = u"1") {
    screens_.band = band;
    screens_.file = folder_ / file;
    update_items_from_file(shop_, screens_);
  }
};

TEST_F(UpdateTest, DeletesThenAddsWithEveryActivityLine) {
  add_film(2, u"Two");
  add_film(3, u"Three", 77);
  add_film(7, u"Seven");
  write("update.txt", utf16_file({u"Number,Flag,Title,Format", u"2,0", u"3,0", u"9,0", u"4,1,The cat,DVD",
                                  u"7,1,Seven again,DVD", u"8,1,X,DVD", u"100000000000000001,1,Too big,DVD",
                                  u"5,1,Last line," + std::u16string(u"BLURAY")},
                                 {.crlf = true, .last_lf = false}));
  op_.activity_lines.clear();
  update("update.txt", u"3");
  EXPECT_TRUE(op_.saw("File import", "9 records to update"));
  const std::vector<std::string> expected{
      "File import: " + (folder_ / "update.txt").string(),
      "Item to be deleted is active: 3",
      "Item to be deleted does not exist: 9",
      "Total items deleted: 1",
      "Item to be added has invalid number: 0",
      "New film: 4 The cat",
      "  ",
      "Film records: 3",
      "  ",
      "Item to be added is used: 7",
      "Item to be added has title less than 2 characters: 8",
      "Item to be added has invalid number: 100000000000000001",
      "New film: 5 Last line",
      "  ",
      "Film records: 4",
      "  ",
      "Total items added: 2",
      "  "};
  EXPECT_EQ(op_.activity_lines, expected);

  // The first addition took the slot film 2 left; the file's records agree with the index.
  records::FilmRecord four, five;
  ASSERT_TRUE(records::read_film(shop_, 4, four));
  EXPECT_EQ(four.format(), u"DVD");
  EXPECT_EQ(four.certificate(), u"12");
  EXPECT_EQ(four.category(), u"DRA");
  EXPECT_EQ(four.last_hire(), u"NEW");
  EXPECT_EQ(four.charge_band(), 3);
  ASSERT_TRUE(records::read_film(shop_, 5, five));
  EXPECT_EQ(five.format(), u"BLURA");
  EXPECT_FALSE(shop_.films.index().contains(2));
  testing::ScriptedOperator op;
  records::Shop next(folder_, op, clock_, locale_);
  ASSERT_TRUE(records::open_data(next));
  EXPECT_EQ(next.films.index().entries(), shop_.films.index().entries());
}

TEST_F(UpdateTest, ABandThatIsNotOneToEightIsRefusedBeforeAFileIsChosen) {
  write("update.txt", utf16_file({u"4,1,The cat,DVD"}, {}));
  for (const char16_t* band : {u"0", u"9", u"abc", u"", u"1x"}) {
    op_.messages.clear();
    update("update.txt", band);
    EXPECT_TRUE(op_.saw("Band", "Outside range (1-8)")) << text::to_utf8(band);
    EXPECT_FALSE(shop_.films.index().contains(4));
  }
  op_.messages.clear();
  update("update.txt", u"8");
  EXPECT_FALSE(op_.saw("Band", "Outside range (1-8)"));
  records::FilmRecord four;
  ASSERT_TRUE(records::read_film(shop_, 4, four));
  EXPECT_EQ(four.charge_band(), 8);
}

TEST_F(UpdateTest, CancelKeepsWhatWasDoneAndStopsThere) {
  add_film(2, u"Two");
  write("update.txt", utf16_file({u"2,0", u"4,1,The cat,DVD"}, {}));
  // The first step of the addition pass is the second the progress window sees.
  screens_.cancel_at_step = 1;
  op_.activity_lines.clear();
  update("update.txt");
  EXPECT_FALSE(shop_.films.index().contains(2));
  EXPECT_FALSE(shop_.films.index().contains(4));
  ASSERT_GE(op_.activity_lines.size(), 2u);
  EXPECT_EQ(op_.activity_lines[op_.activity_lines.size() - 2], "Total items added: 0");
}

TEST_F(UpdateTest, ABatchThatCannotBeWrittenLeavesIndexFileAndPaneAsTheyWere) {
  add_film(2, u"Two");
  write("update.txt", utf16_file({u"2,0", u"4,1,The cat,DVD"}, {}));
  const std::string film_dat = bytes_of("film.dat");
  const auto index = shop_.films.index().entries();
  // Nothing can be journalled while something else stands in the journal's place.
  std::filesystem::remove(folder_ / "kelvo.jnl");
  std::filesystem::create_directory(folder_ / "kelvo.jnl");
  op_.activity_lines.clear();
  update("update.txt");
  EXPECT_EQ(bytes_of("film.dat"), film_dat);
  EXPECT_EQ(shop_.films.index().entries(), index);
  EXPECT_EQ(shop_.films.counts().live, 1);
  for (const auto& line : op_.activity_lines) EXPECT_EQ(line.find("Total items"), std::string::npos) << line;
}

}  // namespace
}  // namespace kelvo::exchange
