#include "uploader/inventory.h"

#include <gtest/gtest.h>

#include "uploader_fixture.h"
#include "support/temporaries.h"

namespace kelvo::uploader {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string item(std::string_view number, std::string_view title, bool with_cost_and_location = true) {
  std::string s = "<item>\r\n<number>" + std::string(number) + "</number>\r\n<title>" + std::string(title) +
                  "</title>\r\n<category></category>\r\n<certificate></certificate>\r\n<supplier></supplier>\r\n"
                  "<actor_1></actor_1>\r\n<actor_2></actor_2>\r\n<director></director>\r\n<format>DVD</format>\r\n";
  if (with_cost_and_location) s += "<cost>12.50</cost>\r\n";
  s += "<charge_band>2</charge_band>\r\n<date_added></date_added>\r\n<rentals>0</rentals>\r\n<revenue>0.00</revenue>\r\n"
       "<language></language>\r\n";
  if (with_cost_and_location) s += "<location>Shelf A</location>\r\n";
  s += "<last_hire></last_hire>\r\n<on_loan_to>0</on_loan_to>\r\n<return_date></return_date>\r\n"
       "<last_rental_by>0</last_rental_by>\r\n<previous_to_last_rental_by>0</previous_to_last_rental_by>\r\n"
       "<website></website>\r\n<notes></notes>\r\n</item>\r\n";
  return s;
}

records::FilmRecord stocked(int64_t number, std::u16string_view title) {
  auto f = film(number, title);
  f.set_format(u"DVD");
  f.set_cost(12.5f);
  f.set_charge_band(2);
  f.set_location(u"Shelf A");
  return f;
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<document>\r\n";

TEST_F(UploaderTest, DocumentHoldsLiveSlotsInSlotOrder) {
  write_films(folder_, {stocked(-1, u"Gone"), stocked(7, u"Tom & Jerry"), stocked(0, u"Empty"), stocked(3, u"Alien")});
  ASSERT_TRUE(copy_film_file(folder_));
  ASSERT_EQ(convert_inventory(folder_, folder_ / "filmstock.xml", {}), ConvertResult::Done);
  std::string expected = "\xFF\xFE" + le(kHead + item("7", "Tom &amp; Jerry") + item("3", "Alien") + "</document>");
  EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), expected);
  EXPECT_EQ(::leftover_temporaries(folder_), 0);
}

TEST_F(UploaderTest, LeftOutFieldsAreMissingFromEveryItem) {
  write_films(folder_, {stocked(1, u"A"), stocked(2, u"B")});
  exchange::FilmXmlFields fields;
  fields.set(exchange::FilmXmlField::cost, false);
  fields.set(exchange::FilmXmlField::location, false);
  ASSERT_TRUE(copy_film_file(folder_));
  ASSERT_EQ(convert_inventory(folder_, folder_ / "out.xml", fields), ConvertResult::Done);
  EXPECT_EQ(file_bytes(folder_ / "out.xml"),
            "\xFF\xFE" + le(kHead + item("1", "A", false) + item("2", "B", false) + "</document>"));
}

TEST_F(UploaderTest, EmptyOrCutFileGivesHeadTailAndWholeRecordsOnly) {
  write_films(folder_, {stocked(4, u"Whole")});
  {
    std::ofstream out(folder_ / "film.dat", std::ios::binary | std::ios::app);
    out << std::string(100, 'x');  // a record still being written by the counter
  }
  ASSERT_TRUE(copy_film_file(folder_));
  ASSERT_EQ(convert_inventory(folder_, folder_ / "filmstock.xml", {}), ConvertResult::Done);
  EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), "\xFF\xFE" + le(kHead + item("4", "Whole") + "</document>"));

  write_films(folder_, {});
  ASSERT_TRUE(copy_film_file(folder_));
  ASSERT_EQ(convert_inventory(folder_, folder_ / "filmstock.xml", {}), ConvertResult::Done);
  EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), "\xFF\xFE" + le(kHead + "</document>"));
}

TEST_F(UploaderTest, CopyReplacesTheOldCopyAndAFailedOneLeavesItWhole) {
  write_films(folder_, {stocked(1, u"First")});
  ASSERT_TRUE(copy_film_file(folder_));
  write_films(folder_, {stocked(1, u"First"), stocked(2, u"Second")});
  ASSERT_TRUE(copy_film_file(folder_));
  EXPECT_EQ(fs::file_size(folder_ / "filmstock.dat"), 2u * 3040);
  EXPECT_EQ(file_bytes(folder_ / "filmstock.dat"), file_bytes(folder_ / "film.dat"));

  fs::remove(folder_ / "film.dat");
  EXPECT_FALSE(copy_film_file(folder_));
  EXPECT_EQ(fs::file_size(folder_ / "filmstock.dat"), 2u * 3040);
  EXPECT_EQ(::leftover_temporaries(folder_), 0);
}

TEST_F(UploaderTest, ConversionFailuresKeepThePreviousDocument) {
  EXPECT_EQ(convert_inventory(folder_, folder_ / "filmstock.xml", {}), ConvertResult::NoCopy);

  write_films(folder_, {stocked(1, u"A")});
  ASSERT_TRUE(copy_film_file(folder_));
  ASSERT_EQ(convert_inventory(folder_, folder_ / "filmstock.xml", {}), ConvertResult::Done);
  const std::string before = file_bytes(folder_ / "filmstock.xml");
  EXPECT_EQ(convert_inventory(folder_, folder_ / "no-such-folder" / "x.xml", {}), ConvertResult::NoOutput);
  EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), before);
}

TEST(UploadName, NamesThatWouldReplaceDataFilesOrLeaveTheFolderAreRefused) {
  for (auto name : {u"film.dat", u"FILM.DAT", u"filmstock.dat", u"kelvow.cfg", u"member.dat", u"wr.cfg", u"./film.dat",
                    u"../site.xml", u"/tmp/site.xml", u"", u"web/"})
    EXPECT_TRUE(is_unsafe_upload_name(name)) << text::to_utf8(name);
  for (auto name : {u"filmstock.xml", u"web/stock.xml", u"my stock.xml"})
    EXPECT_FALSE(is_unsafe_upload_name(name)) << text::to_utf8(name);
}

}  // namespace
}  // namespace kelvo::uploader
