// Adding items to a rental: the refusals, the title search, the alternative copy, and the
// opening steps that keep a rental from starting.
#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

// Adds one typed item inside the screen and reports whether it went in.
class ItemTest : public RentalTest {
 protected:
  void try_item(std::u16string typed, bool expect_added) {
    screen_.script = [this, typed, expect_added](RentalModel& m) {
      op_.type(typed);
      bool finish = false;
      EXPECT_EQ(m.add_item(false, finish), expect_added) << text::to_utf8(typed);
      return RentalEnd::Cancel;
    };
    rent();
  }
  void holds(int count) {
    change_member([count](records::MemberRecord& m) {
      for (int s = 0; s < count; ++s) m.set_on_loan(s, 1000 + s);
      m.set_on_loan_flag(2);
    });
  }
};

TEST_F(ItemTest, LimitsRefuseBeforeTheItemIsAskedFor) {
  shop_.config.set_i32(cfg::kItemsPerCustomer, 3);
  holds(3);
  screen_.script = [this](RentalModel& m) {
    bool finish = false;
    EXPECT_FALSE(m.add_item(false, finish));
    return RentalEnd::Cancel;
  };
  rent();
  EXPECT_TRUE(saw("LIMIT REACHED", "3 items"));

  shop_.config.set_i32(cfg::kItemsPerCustomer, 0);
  holds(100);
  rent();
  EXPECT_TRUE(saw("LIMIT OF 100 FILMS", "TOTAL REACHED"));
  EXPECT_EQ(op_.questions.back(), "Customer number / Last name / fragment");
}

TEST_F(ItemTest, UnknownItemOnLoanItemsAndTheAlternativeCopy) {
  try_item(u"77", false);
  EXPECT_TRUE(saw("Problem", "Film 77 does not exist"));

  add(20, u"Heat 2", 1);
  change_film(8, [](records::FilmRecord& f) { f.set_on_loan_to(5); });
  try_item(u"8", false);
  EXPECT_TRUE(saw("Rental item is on loan", "Alternative: 20, Heat 2"));

  change_film(20, [](records::FilmRecord& f) { f.set_on_loan_to(6); });
  try_item(u"8", false);
  EXPECT_TRUE(saw("Problem", "Film is on loan"));
}

TEST_F(ItemTest, TheSameItemTwiceInOneRentalIsRefused) {
  screen_.script = [this](RentalModel& m) {
    bool finish = false;
    op_.type(u"7");
    EXPECT_TRUE(m.add_item(false, finish));
    op_.type(u"7");
    EXPECT_FALSE(m.add_item(false, finish));
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_TRUE(saw("Problem", "Rental item is on loan"));
  EXPECT_EQ(member_on_file().on_loan(1), 0);
}

TEST_F(ItemTest, PreviouslyRentedAsksAndCancelAddsNothing) {
  change_member([](records::MemberRecord& m) { m.set_older_items(3, 9); });
  op_.reply({platform::Answer::Cancel});
  try_item(u"9", false);
  EXPECT_TRUE(saw("Member has previously rented this item.", "Continue?"));
  op_.reply({platform::Answer::Ok});
  try_item(u"9", true);
}

TEST_F(ItemTest, TitleSearchSkipsItemsOnLoanAndOffersTheRestOneByOne) {
  add(30, u"Gone Girl", 1);
  add(31, u"Goodfellas", 1);
  change_film(7, [](records::FilmRecord& f) { f.set_on_loan_to(5); });
  screen_.script = [this](RentalModel& m) {
    op_.type(u"go");
    op_.reply({platform::Answer::No, platform::Answer::Yes});
    bool finish = false;
    EXPECT_TRUE(m.add_item(false, finish));
    EXPECT_EQ(m.items().back(), u"31, Goodfellas");
    op_.type(u"g");  // one letter: anything starting with G
    op_.reply({platform::Answer::Cancel});
    EXPECT_FALSE(m.add_item(false, finish));
    op_.type(u"zz");
    EXPECT_FALSE(m.add_item(false, finish));
    return RentalEnd::Cancel;
  };
  rent();
  std::vector<std::string> offered;
  for (const auto& msg : op_.messages)
    if (msg.caption == "Search: Yes to accept, No to continue") offered.push_back(msg.body);
  EXPECT_EQ(offered, (std::vector<std::string>{"30, Gone Girl", "31, Goodfellas", "30, Gone Girl"}));
  EXPECT_TRUE(saw("Finished", "No match found"));
}

TEST_F(ItemTest, OpeningStepsThatEndTheRental) {
  shop_.config.set_i64(cfg::kOperatorPinRental, 2);
  op_.type(u"99");
  EXPECT_FALSE(counter::rent(shop_, context(), {}).finished);
  EXPECT_TRUE(saw("Problem", "Outside range"));

  op_.type(u"5");
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  EXPECT_NE(log_text().find("\r\nOperator: 5, Associate 5\r\n"), std::string::npos);
  shop_.config.set_i64(cfg::kOperatorPinRental, 0);

  shop_.config.set_i64(cfg::kPinRental, 2);
  change_member([](records::MemberRecord& m) { m.set_pin(u"1234"); });
  op_.type(u"42");
  op_.type(u"9999");
  EXPECT_FALSE(counter::rent(shop_, context(), {}).finished);
  EXPECT_EQ(screen_.headers.size(), 1u);  // the screen never opened
  shop_.config.set_i64(cfg::kPinRental, 0);

  member_owes(10);
  screens_.arrears = {counter::ArrearsChoice::PartPaidRestOwed};
  op_.type(u"42");
  op_.type(u"12.00");  // more than is owed
  EXPECT_FALSE(counter::rent(shop_, context(), {}).finished);
  EXPECT_EQ(screen_.headers.size(), 1u);
}

TEST_F(ItemTest, LostCardIsReactivatedOnlyWithOk) {
  change_member([](records::MemberRecord& m) {
    m.set_category(records::MemberRecord::kCardLost);
    m.set_comment1(u"stolen");
  });
  op_.reply({platform::Answer::Cancel});
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Name: Smith Comment: stolen", "Card reported lost, OK to reactivate"));
  EXPECT_EQ(member_on_file().category(), records::MemberRecord::kCardLost);

  op_.reply({platform::Answer::Ok});
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  EXPECT_EQ(member_on_file().category(), 1);
}

TEST_F(ItemTest, ScreenShowsTheMemberAndHidesButtonsForRestrictedOperators) {
  change_member([](records::MemberRecord& m) {
    m.set_expiry(u"01/12/2026");
    m.set_previous_items(99, 8);
    m.set_previous_items(98, 7);
    m.set_older_items(99, 555);
    m.set_last_used(u"10:0001/12/2026");
  });
  records::set_restricted(shop_.config, records::Flag::FreeOnRental, true);
  access_ = records::AccessState::Restricted;
  screen_.script = [](RentalModel& m) {
    const auto& h = m.header();
    EXPECT_EQ(h.name, u"Mr J Smith");
    EXPECT_TRUE(h.expired);
    EXPECT_EQ(h.last_hired, u"01/12/2026");
    EXPECT_EQ(h.earlier_items, (std::vector<std::u16string>{u"8, Heat", u"7, Gone Fishing", u"555"}));
    EXPECT_EQ(h.type, u"Normal");
    EXPECT_FALSE(m.free_allowed());
    EXPECT_TRUE(m.amend_allowed());
    return RentalEnd::Cancel;
  };
  rent();
  ASSERT_EQ(screen_.headers.size(), 1u);
}

// The rental screen marks a card only once its expiry day is over: on its last day it is valid.
TEST(CardExpiry, PassedOnlyAfterItsLastDay) {
  const text::DateTime today = testing::at(2026, 12, 7);
  const std::pair<const char16_t*, bool> cases[] = {
      {u"07/12/2026", false},  // its last valid day
      {u"06/12/2026", true},
      {u"30/11/2026", true},   // an earlier month with a later day
      {u"31/12/2025", true},
      {u"7/12/2026", false},   // unreadable: never marked
  };
  for (auto [expiry, passed] : cases) EXPECT_EQ(counter::expiry_passed(expiry, today), passed) << text::to_utf8(expiry);
}

}  // namespace
}  // namespace kelvo::renttest
