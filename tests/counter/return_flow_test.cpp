// Whole returns through the core: the entered item, the list and its selection, the late fees
// at the return deadline, the member's history, the day's counters and the log.
#include "return_fixture.h"

namespace kelvo::returntest {
namespace {

using counter::OverdueChoice;

constexpr char16_t kRentedSat[] = u"10:0005/12/2026";
constexpr char16_t kDueToday[] = u"10:0007/12/2026";

TEST_F(ReturnFlowTest, ReturnBeforeTheDeadlineOnTheDueDayIsFreeAndLogged) {
  lend(7, 42, kRentedSat, kDueToday);
  now(7, 17, 59);
  op_.type(u"7");
  EXPECT_EQ(run(), 42);

  EXPECT_TRUE(screens_.overdue_views.empty());
  EXPECT_EQ(op_.warnings, 0);
  EXPECT_EQ(log_text(),
            "\r\n17:59 07/12/2026  Return"
            "\r\nMember 42, Smith"
            "\r\nFilm: 7, Gone Fishing"
            "\r\nOperator: 1, Administrator\r\n");
  const auto f = film_on_file(7);
  EXPECT_EQ(f.on_loan_to(), 0);
  EXPECT_EQ(f.return_date(), u"               ");
  EXPECT_EQ(f.revenue(), 0);
  EXPECT_EQ(op_.activity_lines,
            (std::vector<std::string>{"Film: 7, Gone Fishing", "returned at 17:59", "Member 42, Smith", "  "}));
  EXPECT_EQ(op_.questions, std::vector<std::string>{"Return item number:"});
}

TEST_F(ReturnFlowTest, ReturnAtTheDeadlineOnTheDueDayCostsOneDay) {
  lend(7, 42, kRentedSat, kDueToday);
  now(7, 18, 0);
  op_.type(u"7");
  EXPECT_EQ(run(), 42);

  ASSERT_EQ(screens_.overdue_views.size(), 1u);
  const auto& v = screens_.overdue_views[0];
  ASSERT_EQ(v.lines.size(), 1u);
  EXPECT_EQ(v.lines[0].item, u"7, Gone Fishing");
  EXPECT_EQ(v.lines[0].charge, u"1.50");
  EXPECT_EQ(v.overdue, u"1.50");
  EXPECT_EQ(op_.warnings, 1);
  // "Owed" is the script's default: the fee stays on the member, on file too.
  EXPECT_FLOAT_EQ(member_on_file(42).owed(), 1.5f);
  EXPECT_FLOAT_EQ(film_on_file(7).revenue(), 1.5f);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kLateFeesTotal), 1.5f);
  // The items are named in the log as well as the money.
  const std::string log = log_text();
  EXPECT_EQ(log.find("\r\n18:00 07/12/2026  Return\r\nMember 42, Smith\r\nFilm: 7, Gone Fishing\r\nOperator: 1, "
                     "Administrator\r\n\r\n18:00 07/12/2026  Overdue return / arrears"),
            0u)
      << log;
}

TEST_F(ReturnFlowTest, ThreeDaysLateAtBandRateAddsTheFeeToRevenueAndTakings) {
  lend(7, 42, u"10:0001/12/2026", u"10:0004/12/2026");  // band 1: 150 pence a day
  lend(8, 42, u"10:0001/12/2026", u"10:0006/12/2026");  // band 2: 200 pence a day
  screen_.toggles = {1};                                // both selected
  screens_.overdue = {OverdueChoice::Paid};
  op_.type(u"7");
  run();

  ASSERT_EQ(screens_.overdue_views.size(), 1u);
  const auto& v = screens_.overdue_views[0];
  ASSERT_EQ(v.lines.size(), 2u);
  EXPECT_EQ(v.lines[0].charge, u"4.50");
  EXPECT_EQ(v.lines[1].item, u"8, Jaws");
  EXPECT_EQ(v.lines[1].charge, u"2.00");
  EXPECT_EQ(v.overdue, u"6.50");
  EXPECT_FLOAT_EQ(film_on_file(7).revenue(), 4.5f);
  EXPECT_FLOAT_EQ(film_on_file(8).revenue(), 2.0f);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 6.5f);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kLateFeesPaid), 6.5f);
  EXPECT_EQ(member_on_file(42).owed(), 0);
  // wr.cfg follows the return.
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(shop_.path(records::files::kConfig)));
  EXPECT_FLOAT_EQ(saved.takings_today(), 6.5f);
  EXPECT_EQ(saved.i64(cfg::kReturnsToday), 2);
}

TEST_F(ReturnFlowTest, StrayChargeBandChargesNoLateFee) {
  lend(7, 42, u"10:0001/12/2026", u"10:0004/12/2026");
  records::FilmRecord f = film_on_file(7);
  f.set_charge_band(12);
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  shop_.config.set_i64(cfg::overdue_rate(12), 500);  // whatever lies beyond the eight rates
  op_.type(u"7");
  EXPECT_EQ(run(), 42);
  EXPECT_TRUE(screens_.overdue_views.empty());
  EXPECT_EQ(film_on_file(7).revenue(), 0);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
}

TEST_F(ReturnFlowTest, ArrearsAloneBringUpTheSettlement) {
  member_owes(2);
  lend(7, 42, kRentedSat, u"10:0009/12/2026");
  op_.type(u"7");
  run();
  ASSERT_EQ(screens_.overdue_views.size(), 1u);
  EXPECT_EQ(screens_.overdue_views[0].arrears, u"2.00");
  EXPECT_TRUE(screens_.overdue_views[0].lines.empty());
  EXPECT_FLOAT_EQ(member_on_file(42).owed(), 2);
}

TEST_F(ReturnFlowTest, ListShowsEveryLoanWithTheEnteredItemSelected) {
  records::MemberRecord m = member_on_file(42);
  m.set_transaction_amount(3.5f);
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  lend(7, 42, u"10:0001/12/2026", u"10:0009/12/2026");
  lend(8, 42, u"11:3002/12/2026", u"10:0009/12/2026");
  lend(9, 42, u"09:1503/12/2026", u"10:0009/12/2026");
  op_.type(u"8");
  run();

  ASSERT_EQ(screen_.shown.size(), 1u);
  const auto& model = screen_.shown[0];
  EXPECT_EQ(model.member, 42);
  EXPECT_EQ(model.name, u"Mr J Smith");
  EXPECT_EQ(model.address, u"1 High Street");
  EXPECT_EQ(model.transaction_charge, u"3.50");
  ASSERT_EQ(model.lines().size(), 3u);
  EXPECT_EQ(model.lines()[0].text, u"7, Gone Fishing    01/12/2026");
  EXPECT_EQ(model.lines()[1].text, u"8, Jaws    02/12/2026");
  EXPECT_EQ(model.lines()[2].text, u"9, Heat    03/12/2026");
  EXPECT_FALSE(model.lines()[0].selected);
  EXPECT_TRUE(model.lines()[1].selected);
  EXPECT_FALSE(model.lines()[2].selected);
  // Only the selected item came back.
  EXPECT_EQ(film_on_file(8).on_loan_to(), 0);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
  EXPECT_EQ(film_on_file(9).on_loan_to(), 42);
  m = member_on_file(42);
  EXPECT_EQ(m.loan_slot_of(8), -1);
  EXPECT_EQ(m.loan_slot_of(7), 0);
  EXPECT_EQ(m.on_loan_flag(), 2);
}

TEST_F(ReturnFlowTest, SelectAllSettingReturnsEverythingTheMemberHolds) {
  shop_.config.set_i32(cfg::kSelectAllOnReturn, 2);
  lend(7, 42, kRentedSat, u"10:0009/12/2026");
  lend(8, 42, kRentedSat, u"10:0009/12/2026");
  op_.type(u"8");
  run();
  EXPECT_EQ(screen_.shown.at(0).selected_count(), 2u);
  const auto m = member_on_file(42);
  EXPECT_FALSE(m.holds_items());
  EXPECT_EQ(m.on_loan_flag(), 0);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
  EXPECT_EQ(film_on_file(8).on_loan_to(), 0);
  EXPECT_NE(log_text().find("\r\nFilm: 7, Gone Fishing\r\nFilm: 8, Jaws\r\nOperator: "), std::string::npos);
}

TEST_F(ReturnFlowTest, HistoryTakesTheFilmsRentalStampAndPushesTheOldestOut) {
  // A member whose history is full: 100 recent returns (items 101..200) and older ones.
  records::MemberRecord m = member_on_file(42);
  for (int i = 0; i < 100; ++i) {
    m.set_previous_items(i, 101 + i);
    m.set_previous_rented(i, u"10:0001/01/2026");
    m.set_older_items(i, 1 + i);
  }
  ASSERT_TRUE(records::rewrite_member(shop_, m));
  lend(7, 42, kRentedSat, u"10:0009/12/2026");
  // The film's own last rental is what the history keeps.
  records::FilmRecord f = film_on_file(7);
  f.set_last_hire(u"16:4005/12/2026");
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  op_.type(u"7");
  run();

  m = member_on_file(42);
  EXPECT_EQ(m.previous_items(99), 7);
  EXPECT_EQ(m.previous_rented(99), u"16:4005/12/2026");
  EXPECT_EQ(m.previous_returned(99), u"14:0507/12/2026");
  EXPECT_EQ(m.previous_items(0), 102);
  EXPECT_EQ(m.older_items(99), 101);
  EXPECT_EQ(m.older_items(0), 2);
  EXPECT_EQ(m.last_returned(), u"14:0507/12/2026");
  EXPECT_EQ(m.on_loan(0), 0);
  EXPECT_EQ(m.on_loan_flag(), 0);
}

TEST_F(ReturnFlowTest, CountersKeepTheLastEighteenReturnsAndTodaysCount) {
  for (int k = 0; k < 18; ++k) shop_.config.set_i64(cfg::kLastReturnedItems + 8 * k, 1000 + k);
  shop_.config.set_i64(cfg::kReturnsToday, 5);
  lend(7, 42, kRentedSat, u"10:0009/12/2026");
  lend(9, 42, kRentedSat, u"10:0009/12/2026");
  screen_.toggles = {1};
  op_.type(u"7");
  run();
  EXPECT_EQ(shop_.config.i64(cfg::kReturnsToday), 7);
  EXPECT_EQ(returned_item(0), 1002);  // the two oldest dropped
  EXPECT_EQ(returned_item(15), 1017);
  EXPECT_EQ(returned_item(16), 7);
  EXPECT_EQ(returned_item(17), 9);
}

TEST_F(ReturnFlowTest, WhatEndsBeforeTheListChangesNothing) {
  lend(7, 42, kRentedSat, kDueToday);
  const auto before_film = film_on_file(7);
  const auto before_member = member_on_file(42);

  op_.cancel_prompt();
  EXPECT_EQ(run(), 0);
  op_.type(u"0");
  EXPECT_EQ(run(), 0);
  op_.type(u"100000000000000001");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.messages.empty());

  op_.type(u"55");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Problem", "Film does not exist"));
  op_.type(u"8");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(op_.saw("Problem", "Film 8 is not on loan"));
  EXPECT_EQ(op_.warnings, 2);

  screen_.cancel = true;
  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(screen_.shown.size(), 1u);
  EXPECT_EQ(film_on_file(7), before_film);
  EXPECT_EQ(member_on_file(42), before_member);
  EXPECT_EQ(log_text(), "");
}

TEST_F(ReturnFlowTest, AnItemHandedInByTheCallerIsNotAskedFor) {
  lend(9, 42, kRentedSat, u"10:0009/12/2026");
  EXPECT_EQ(run(9), 42);
  EXPECT_TRUE(op_.questions.empty());
  EXPECT_EQ(film_on_file(9).on_loan_to(), 0);
}

TEST_F(ReturnFlowTest, NothingSelectedReturnsNothing) {
  lend(7, 42, kRentedSat, u"10:0009/12/2026");
  screen_.toggles = {0};
  op_.type(u"7");
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
  EXPECT_EQ(member_on_file(42).loan_slot_of(7), 0);
  EXPECT_TRUE(screen_.cash_offered.empty());  // no "Return complete"
  EXPECT_EQ(log_text(), "");
}

TEST_F(ReturnFlowTest, FromTheMemberTheFirstLoanIsTheEnteredItem) {
  lend(8, 42, kRentedSat, u"10:0009/12/2026");
  lend(9, 42, kRentedSat, u"10:0009/12/2026");
  op_.type(u"Smith");
  views_.match_choices = {catalogue::MatchChoice::Select};
  counter::ReturnContext ctx{screen_, screens_, screens_, screens_, access_};
  EXPECT_EQ(counter::return_for_member(shop_, views_, ctx), 42);
  EXPECT_EQ(op_.questions, std::vector<std::string>{"Number / Last name / fragment"});
  ASSERT_EQ(screen_.shown.size(), 1u);
  EXPECT_TRUE(screen_.shown[0].lines()[0].selected);
  EXPECT_FALSE(screen_.shown[0].lines()[1].selected);
  EXPECT_EQ(film_on_file(8).on_loan_to(), 0);
  EXPECT_EQ(film_on_file(9).on_loan_to(), 42);

  op_.type(u"12");
  EXPECT_EQ(counter::return_for_member(shop_, views_, ctx), 0);
  EXPECT_TRUE(op_.saw("Problem", "No items on loan"));
  EXPECT_EQ(screen_.shown.size(), 1u);
}

}  // namespace
}  // namespace kelvo::returntest
