// The cursor that searches read through must give exactly what single reads give, in order,
// out of order, and at the end of the file.
#include <gtest/gtest.h>

#include "records/data_opening.h"
#include "records/record_files.h"
#include "support/scripted_operator.h"

using namespace kelvo;
using namespace kelvo::records;

namespace {

class Cursor : public kelvo::testing::ShopTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(open_data(shop_));
    for (int n = 1; n <= 200; ++n) {  // more records than one read-ahead window holds
      FilmRecord f;
      f.set_number(n);
      f.set_title(u"Title " + std::u16string(1, static_cast<char16_t>(u'A' + n % 26)));
      f.set_charge_band(1);
      ASSERT_TRUE(add_film(shop_, f));
    }
  }
};

}  // namespace

TEST_F(Cursor, GivesWhatSingleReadsGiveInAnyOrder) {
  auto cursor = shop_.films.cursor();
  FilmRecord via_cursor, single;
  const int64_t order[] = {0, 1, 2, 150, 151, 3, 199, 90, 91, 92, 0};
  for (int64_t slot : order) {
    ASSERT_EQ(shop_.films.read_slot(cursor, slot, via_cursor), ReadResult::Ok) << slot;
    ASSERT_EQ(shop_.films.read_slot(slot, single), ReadResult::Ok);
    EXPECT_EQ(via_cursor, single) << "slot " << slot;
  }
  for (int64_t slot = 0; slot < shop_.films.counts().total; ++slot) {
    ASSERT_EQ(shop_.films.read_slot(cursor, slot, via_cursor), ReadResult::Ok);
    EXPECT_EQ(via_cursor.number(), slot == 0 ? 1 : slot + 1);
  }
  EXPECT_EQ(shop_.films.read_slot(cursor, shop_.films.counts().total, via_cursor), ReadResult::ShortRead);
}

TEST_F(Cursor, SeesRecordsWrittenBeforeItWasOpened) {
  FilmRecord f;
  ASSERT_TRUE(read_film(shop_, 5, f));
  f.set_title(u"Changed");
  ASSERT_TRUE(rewrite_film(shop_, f));
  auto cursor = shop_.films.cursor();
  FilmRecord back;
  ASSERT_EQ(shop_.films.read_slot(cursor, *shop_.films.index().find(5), back), ReadResult::Ok);
  EXPECT_EQ(back.title(), u"Changed");
}

TEST(CursorFile, MissingFileIsNotOpened) {
  RecordCursor cursor("/nonexistent/film.dat", FilmRecord::kSize);
  FilmRecord f;
  EXPECT_EQ(cursor.read(0, f.data()), ReadResult::NotOpened);
}
