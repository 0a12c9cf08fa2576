#include "uploader/upload_config.h"

#include <gtest/gtest.h>

#include "text/coding.h"
#include "uploader_fixture.h"
#include "support/temporaries.h"

namespace kelvo::uploader {
namespace {

using testing::UploaderTest;

TEST(UploadConfigLayout, EveryFieldAtItsOffset) {
  UploadConfig c;
  c.set_interval(3);
  c.set_local_only(true);
  c.set_help_shown(2);
  c.set_field_flag(0, 2);
  c.set_field_flag(18, 2);
  c.set_ftp_server(u"ftp.example");
  c.set_upload_name_raw(u"stock.xml");
  c.set_ftp_user(u"shop");
  c.set_ftp_password(u"pw");

  const uint8_t* b = c.data();
  EXPECT_EQ(text::get_i32(b + 0), 3);
  EXPECT_EQ(text::get_i32(b + 8), 2);
  EXPECT_EQ(text::get_i32(b + 16), 2);
  EXPECT_EQ(text::get_i32(b + 1048), 2);
  EXPECT_EQ(text::get_i32(b + 1048 + 4 * 18), 2);
  EXPECT_EQ(text::get_text(b + 4960, 520), u"ftp.example");
  EXPECT_EQ(text::get_text(b + 5480, 520), u"stock.xml");
  EXPECT_EQ(text::get_text(b + 55920, 520), u"shop");
  EXPECT_EQ(text::get_text(b + 56440, 520), u"pw");
  EXPECT_EQ(b[4960], 'f');
  EXPECT_EQ(b[4961], 0);

  // Nothing else was touched: the reserved areas stay 0.
  size_t nonzero = 0;
  for (size_t i = 0; i < UploadConfig::kSize; ++i) nonzero += b[i] != 0;
  size_t expected = 1 + 1 + 1 + 1 + 1 + 11 + 9 + 4 + 2;  // low bytes of numbers and of each character
  EXPECT_EQ(nonzero, expected);
}

TEST(UploadConfigLayout, TextsAreCutToTheirWidthWithATerminatingZero) {
  UploadConfig c;
  c.set_ftp_server(std::u16string(300, u'a'));
  EXPECT_EQ(c.ftp_server().size(), 259u);
  EXPECT_EQ(text::get_u16(c.data() + 4960 + 2 * 259), 0);
  EXPECT_EQ(c.data()[5480], 0);  // the next field is untouched
}

TEST(UploadConfigLayout, FieldFlagsFollowTheItemOrder) {
  UploadConfig c;
  exchange::FilmXmlFields fields;
  fields.set(exchange::FilmXmlField::cost, false);
  fields.set(exchange::FilmXmlField::location, false);
  c.set_xml_fields(fields);
  for (int i = 0; i < exchange::kFilmXmlOptionalFields; ++i)
    EXPECT_EQ(c.field_flag(i), (i == 7 || i == 13) ? 2 : 0) << i;
  auto back = c.xml_fields();
  EXPECT_FALSE(back.includes(exchange::FilmXmlField::cost));
  EXPECT_TRUE(back.includes(exchange::FilmXmlField::charge_band));
  // Any value but 2 reads as included.
  c.set_field_flag(0, 1);
  EXPECT_TRUE(c.xml_fields().includes(exchange::FilmXmlField::category));
}

TEST(UploadConfigLayout, EmptyUploadNameBecomesTheDefaultAndIsStored) {
  UploadConfig c;
  EXPECT_EQ(c.upload_name(), u"filmstock.xml");
  EXPECT_EQ(text::get_text(c.data() + 5480, 520), u"filmstock.xml");
}

TEST_F(UploaderTest, MissingFileGivesZerosAndSaveLoadKeepsEveryByte) {
  UploadConfig missing = load_config(folder_);
  EXPECT_EQ(missing, UploadConfig{});

  UploadConfig c;
  for (size_t i = 0; i < UploadConfig::kSize; ++i) c.data()[i] = static_cast<uint8_t>(i * 7);
  ASSERT_TRUE(save_config(folder_, c));
  EXPECT_EQ(std::filesystem::file_size(folder_ / "kelvow.cfg"), 61120u);
  EXPECT_EQ(::leftover_temporaries(folder_), 0);
  EXPECT_EQ(load_config(folder_), c);

  // A short file gives what it holds and zeros beyond.
  std::filesystem::resize_file(folder_ / "kelvow.cfg", 10);
  UploadConfig shorter = load_config(folder_);
  EXPECT_EQ(shorter.data()[9], static_cast<uint8_t>(63));
  EXPECT_EQ(shorter.data()[10], 0);
}

TEST(UploadInterval, FiveMinutesPerStepAndNoTimerOtherwise) {
  EXPECT_EQ(interval_ms(0), 0);
  EXPECT_EQ(interval_ms(1), 300000);
  EXPECT_EQ(interval_ms(3), 900000);
  EXPECT_EQ(interval_ms(4), 1200000);
  EXPECT_EQ(interval_ms(5), 0);
  EXPECT_EQ(interval_ms(-1), 0);
  EXPECT_EQ(interval_text(0), u"Manual");
  EXPECT_EQ(interval_text(4), u"20 minutes");
  EXPECT_EQ(interval_text(7), u"");
}

}  // namespace
}  // namespace kelvo::uploader
