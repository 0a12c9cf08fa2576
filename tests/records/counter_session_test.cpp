#include "records/counter_session.h"

#include <gtest/gtest.h>

#include "records/config_layout.h"
#include "records/file_io.h"
#include "support/scripted_operator.h"

namespace kelvo::records {
namespace {

using testing::ShopTest;

std::string log_text(const Shop& shop) {
  auto bytes = read_whole(shop.path(files::kLog));
  if (!bytes) return {};
  std::u16string s(bytes->size() / 2, u'\0');
  if (!s.empty()) std::memcpy(s.data(), bytes->data(), s.size() * 2);
  return text::to_utf8(s);
}

class CounterSession : public ShopTest {};

TEST_F(CounterSession, FirstStartCreatesTheShopAndAnnouncesTheRun) {
  ASSERT_TRUE(open_counter_data(shop_));
  EXPECT_FALSE(shop_.do_not_save);
  announce_start(shop_);
  for (auto name : {files::kFilm, files::kMember, files::kStock, files::kConfig, files::kReservations})
    EXPECT_TRUE(std::filesystem::exists(shop_.path(name))) << name;
  EXPECT_EQ(records::file_size(shop_.path(files::kConfig)), cfg::kSize);
  EXPECT_EQ(log_text(shop_), "\r\n14:05 07/12/2026  Switched on.\r\n");
  EXPECT_EQ(text::to_utf8(shop_.config.str(cfg::kCurrencySymbol, 10)), "$");
  EXPECT_EQ(shop_.config.u16(cfg::kCurrencyTaken), 2);
  EXPECT_FALSE(op_.saw("Reservation file", "New"));  // the first-day set-up made it
}

// A run that never reaches its shutdown steps (power cut) must not make the next start of the
// same day close that day again: the history would shift a second time.
TEST_F(CounterSession, RestartAfterACrashOnTheFirstDayOfAMonthClosesNothing) {
  clock_.set(testing::at(2026, 11, 30, 18, 0));
  ASSERT_TRUE(open_counter_data(shop_));
  announce_start(shop_);
  shop_.config.set_takings_today(7.5f);
  ASSERT_TRUE(shop_.save_config());  // as the evening's shutdown leaves it

  clock_.set(testing::at(2026, 12, 1, 9, 0));  // next morning: November is closed at start
  shop_.config = ConfigBlock{};
  ASSERT_TRUE(open_counter_data(shop_));
  announce_start(shop_);
  ASSERT_EQ(shop_.config.f32(cfg::history_entry(0)), 7.5f);
  std::filesystem::remove(shop_.path("November.dat"));

  clock_.set(testing::at(2026, 12, 1, 11, 0));  // the program died without its shutdown
  shop_.config = ConfigBlock{};
  ASSERT_TRUE(open_counter_data(shop_));
  EXPECT_EQ(shop_.config.f32(cfg::history_entry(0)), 7.5f) << "the day was closed a second time";
  EXPECT_FALSE(std::filesystem::exists(shop_.path("November.dat")));
}

TEST_F(CounterSession, MissingReservationFileIsMadeWithNotice) {
  ASSERT_TRUE(open_counter_data(shop_));
  std::filesystem::remove(shop_.path(files::kReservations));
  announce_start(shop_);
  EXPECT_TRUE(op_.saw("Reservation file", "New"));
  EXPECT_EQ(records::file_size(shop_.path(files::kReservations)), 30u * 29092u);
}

TEST_F(CounterSession, StartLinesEachFollowedByASeparator) {
  ASSERT_TRUE(open_counter_data(shop_));
  announce_start(shop_);
  auto lines = session_lines(shop_, 32);
  ASSERT_GE(lines.size(), 20u);
  EXPECT_EQ(lines[0], u"Session start:");
  EXPECT_EQ(text::to_utf8(lines[2]), "14:05 Mon Dec 7 2026");
  EXPECT_EQ(lines[4], u"Display mode: True color");
  for (size_t i = 1; i < lines.size(); i += 2) EXPECT_EQ(lines[i], u"  ") << i;
  bool films = false;
  for (auto& l : lines) films = films || text::to_utf8(l).rfind("Film records: ", 0) == 0;
  EXPECT_TRUE(films);
}

TEST(DisplayMode, ByColourDepth) {
  EXPECT_EQ(display_mode_line(1), u"Display mode: 2 colors");
  EXPECT_EQ(display_mode_line(4), u"Display mode: 16 colors");
  EXPECT_EQ(display_mode_line(8), u"Display mode: 256 colors");
  EXPECT_EQ(display_mode_line(16), u"Display mode: True color");
}

TEST_F(CounterSession, CloseWritesBlockAddressAndSwitchedOffWithTheOperator) {
  ASSERT_TRUE(open_counter_data(shop_));
  announce_start(shop_);
  shop_.config.set_i64(cfg::kSignedOnOperator, 12);
  shop_.config.set_operator_name(12, u"Robin");
  clock_.set(testing::at(2026, 12, 7, 18, 30));
  EXPECT_TRUE(close_session(shop_));

  ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(files::kConfig)));
  EXPECT_EQ(saved.i32(cfg::kLastShutdown), 30);
  EXPECT_EQ(saved.i32(cfg::kLastShutdown + 4), 18);
  EXPECT_EQ(records::file_size(shop_.path(files::kAddress)), 588u);
  std::string log = log_text(shop_);
  EXPECT_NE(log.find("\r\n18:30 07/12/2026  Switched off.\r\nOperator: 12, Robin\r\n"), std::string::npos) << log;
}

TEST_F(CounterSession, RefusedStartWritesNothingAtClose) {
  // A film file of one byte too many refuses the start.
  ASSERT_TRUE(open_counter_data(shop_));
  std::filesystem::resize_file(shop_.path(files::kFilm), 3041);
  Shop again(folder_, op_, clock_, locale_);
  auto before = read_whole(again.path(files::kConfig));
  EXPECT_FALSE(open_counter_data(again));
  EXPECT_TRUE(again.do_not_save);
  EXPECT_FALSE(close_session(again));
  EXPECT_EQ(read_whole(again.path(files::kConfig)), before);
  EXPECT_FALSE(std::filesystem::exists(again.path(files::kAddress)));
  EXPECT_EQ(log_text(again), "");
}

}  // namespace
}  // namespace kelvo::records
