// Returns where the files disagree or cannot be opened, the refunds after a return, and the
// reservation notices.
#include <filesystem>

#include "return_fixture.h"

namespace kelvo::returntest {
namespace {

constexpr char16_t kRented[] = u"10:0005/12/2026";
constexpr char16_t kDue[] = u"10:0009/12/2026";

// --- The film and member files disagree --------------------------------------------------------

TEST_F(ReturnFlowTest, FilmOutToAMemberWhoDoesNotHoldItIsFreedAndTheMemberLeftAlone) {
  lend(7, 42, kRented, kDue);
  records::FilmRecord f = film_on_file(7);
  f.set_on_loan_to(12);  // member 12 holds nothing
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  const auto jones = member_on_file(12);
  const auto smith = member_on_file(42);

  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Problem", "Internal file mismatch. Corrected"));
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
  EXPECT_EQ(member_on_file(12), jones);
  EXPECT_EQ(member_on_file(42), smith);
  EXPECT_TRUE(screen_.shown.empty());
  EXPECT_EQ(log_text(), "");
}

TEST_F(ReturnFlowTest, FilmOutToAMemberNotOnFileIsFreed) {
  lend(7, 42, kRented, kDue);
  records::FilmRecord f = film_on_file(7);
  f.set_on_loan_to(999);
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Problem", "Internal file mismatch. Corrected"));
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
}

TEST_F(ReturnFlowTest, ListedItemOutToSomeoneElseLeavesThatFilmAndClearsTheLoan) {
  lend(7, 42, kRented, kDue);
  lend(8, 12, u"12:0006/12/2026", u"12:0008/12/2026");
  // Member 42's record also says it holds 8: the film file says Jones has it.
  records::MemberRecord m = member_on_file(42);
  m.set_on_loan(1, 8);
  m.set_on_loan_rented(1, kRented);
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  const auto jaws = film_on_file(8);

  screen_.toggles = {1};
  op_.type(u"7");
  EXPECT_EQ(run(), 42);
  EXPECT_TRUE(op_.saw("Problem", "Internal file mismatch, corrected."));
  EXPECT_EQ(film_on_file(8), jaws);  // Jones's loan untouched, no fee charged
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
  m = member_on_file(42);
  EXPECT_FALSE(m.holds_items());
  EXPECT_EQ(m.previous_items(98), 7);
  EXPECT_EQ(m.previous_items(99), 8);
  EXPECT_EQ(m.previous_rented(99), kRented);  // its own loan's stamp, not Jones's
  EXPECT_EQ(member_on_file(12).loan_slot_of(8), 0);
  // Only the item really released is logged as returned.
  EXPECT_EQ(log_text().find("Jaws"), std::string::npos);
}

TEST_F(ReturnFlowTest, SameItemTwiceOnTheMemberClearsBothEntriesWithoutTouchingOthers) {
  lend(7, 42, kRented, kDue);
  lend(9, 42, kRented, kDue);
  records::MemberRecord m = member_on_file(42);
  m.set_on_loan(5, 7);  // a stray second entry of the same item
  m.set_on_loan_rented(5, kRented);
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  // Rows: 7 (slot 0), 9 (slot 1), 7 (slot 5); entering 7 selects both of its rows.
  op_.type(u"7");
  run();
  m = member_on_file(42);
  EXPECT_EQ(m.on_loan(0), 0);
  EXPECT_EQ(m.on_loan(1), 9);
  EXPECT_EQ(m.on_loan(5), 0);
  EXPECT_EQ(m.on_loan_flag(), 2);
  EXPECT_EQ(film_on_file(9).on_loan_to(), 42);
}

// --- Files that cannot be opened: nothing is written -------------------------------------------

TEST_F(ReturnFlowTest, FilmFileGoneWhileTheListIsUpWritesNothing) {
  lend(7, 42, kRented, u"10:0001/12/2026");
  const auto before = member_on_file(42);
  const auto film_file = shop_.path(records::files::kFilm);
  const auto aside = shop_.path("film.aside");
  screen_.before_return = [&] { std::filesystem::rename(film_file, aside); };
  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: film.dat, not present."));
  std::filesystem::rename(aside, film_file);
  EXPECT_EQ(member_on_file(42), before);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
  EXPECT_EQ(shop_.config.i64(cfg::kReturnsToday), 0);
  EXPECT_TRUE(screens_.overdue_views.empty());
}

TEST_F(ReturnFlowTest, LogThatCannotBeOpenedWritesNothing) {
  lend(7, 42, kRented, u"10:0001/12/2026");
  const auto before_member = member_on_file(42);
  const auto before_film = film_on_file(7);
  std::filesystem::remove(shop_.path(records::files::kLog));
  std::filesystem::create_directory(shop_.path(records::files::kLog));  // not a file any more
  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: lgb4.dat, not present."));
  EXPECT_EQ(member_on_file(42), before_member);
  EXPECT_EQ(film_on_file(7), before_film);
  EXPECT_EQ(shop_.config.i64(cfg::kReturnsToday), 0);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kLateFeesTotal), 0);
}

// --- Refunds ------------------------------------------------------------------------------------

TEST_F(ReturnFlowTest, CashRefundAfterARefusedAmountTakesItFromTheTakings) {
  shop_.config.set_takings_today(10);
  lend(7, 42, kRented, kDue);
  screen_.complete = {RefundChoice::CashRefund, RefundChoice::CashRefund};
  op_.type(u"7");
  op_.type(u"0");
  op_.type(u"2.50");
  run();
  EXPECT_TRUE(op_.saw("Problem", "Amount must be positive"));
  EXPECT_EQ(screen_.cash_offered, (std::vector<bool>{true, true}));
  EXPECT_EQ(op_.questions, (std::vector<std::string>{"Return item number:", "Amount to refund:", "Amount to refund:"}));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 7.5f);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kCashRefundsToday), 2.5f);
  EXPECT_EQ(member_on_file(42).owed(), 0);
  const std::string log = log_text();
  const std::string refund =
      "\r\n14:05 07/12/2026  Refund on return"
      "\r\nMember: 42 Mr J Smith    2.50"
      "\r\nOperator: 1, Administrator\r\n";
  ASSERT_GE(log.size(), refund.size());
  EXPECT_EQ(log.substr(log.size() - refund.size()), refund);
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_FLOAT_EQ(saved.f32(cfg::kCashRefundsToday), 2.5f);
}

TEST_F(ReturnFlowTest, CreditRefundGivesTheMemberCreditOnFile) {
  shop_.config.set_takings_today(10);
  lend(7, 42, kRented, kDue);
  screen_.complete = {RefundChoice::CreditRefund};
  op_.type(u"7");
  op_.type(u"3");
  run();
  EXPECT_FLOAT_EQ(member_on_file(42).owed(), -3);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kCreditRefundsToday), 3);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 10);
  EXPECT_NE(log_text().find("Refund on return\r\nMember: 42 Mr J Smith    3.00"), std::string::npos);
}

TEST_F(ReturnFlowTest, CancelledRefundChangesNoMoney) {
  lend(7, 42, kRented, kDue);
  screen_.complete = {RefundChoice::CreditRefund};
  op_.type(u"7");
  op_.cancel_prompt();
  run();
  EXPECT_EQ(member_on_file(42).owed(), 0);
  EXPECT_EQ(shop_.config.f32(cfg::kCreditRefundsToday), 0);
  EXPECT_EQ(log_text().find("Refund"), std::string::npos);
}

TEST_F(ReturnFlowTest, CashRefundOnlyForManagersUnlessTheFlagAllowsIt) {
  access_ = records::AccessState::Restricted;
  shop_.config.set_takings_today(10);
  lend(7, 42, kRented, kDue);
  lend(8, 42, kRented, kDue);
  // A restricted operator pressing a hidden "Cash refund" (a stale script) gets nothing.
  screen_.complete = {RefundChoice::CashRefund};
  op_.type(u"7");
  run();
  EXPECT_EQ(screen_.cash_offered, std::vector<bool>{false});
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 10);

  records::set_restricted(shop_.config, records::Flag::RentalRefund, false);
  op_.type(u"8");
  run();
  EXPECT_EQ(screen_.cash_offered, (std::vector<bool>{false, true}));
}

// --- Reservations and the activity pane ---------------------------------------------------------

TEST_F(ReturnFlowTest, ReservedTitleIsAnnouncedWhenNotifyIsOn) {
  shop_.config.set_i64(cfg::kNotifyOnReturn, 2);
  std::vector<uint8_t> file(29092 * 30, 0);
  auto entry = [&](int e, std::u16string item) {
    text::put_i32(&file[4 + 4 * e], 2);
    text::put_text(&file[12932 + 80 * e], 80, item);
  };
  entry(0, u"Jaws 2");
  entry(1, u"jaws");
  entry(2, u"Jaws");
  text::put_i32(&file[804], 3);
  ASSERT_TRUE(records::write_file_atomic(shop_.path(records::files::kReservations), file.data(), file.size()));
  lend(8, 42, kRented, kDue);
  op_.type(u"8");
  run();
  int reserved = 0;
  for (const auto& m : op_.messages) reserved += m.caption == "Film reserved" ? 1 : 0;
  EXPECT_EQ(reserved, 1);
  EXPECT_TRUE(op_.saw("Film reserved", "Jaws"));
}

TEST_F(ReturnFlowTest, MissingReservationFileIsReportedAndTheReturnStands) {
  shop_.config.set_i64(cfg::kNotifyOnReturn, 2);
  std::filesystem::remove(shop_.path(records::files::kReservations));
  lend(8, 42, kRented, kDue);
  op_.type(u"8");
  EXPECT_EQ(run(), 42);
  EXPECT_TRUE(op_.saw("Fatal error", "Unable to open resn.dat in WM_CREATE."));
  EXPECT_EQ(film_on_file(8).on_loan_to(), 0);
  EXPECT_FALSE(op_.activity_lines.empty());
}

}  // namespace
}  // namespace kelvo::returntest
