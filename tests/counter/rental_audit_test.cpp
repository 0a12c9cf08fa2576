// Rentals whose finish meets a slip of the person or of the disk: the warning sound setting, a
// total typed wrong before a scanner's end code, and writes that fail part-way. Whatever
// happens, the member file and the film file must tell the same story and the day's takings
// must be what was really taken.
#include <functional>

#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

// The settlement screens with a moment in the middle of the member credit screen, where a test
// can pull a file away as a failing disk would.
class HookedScreens : public paytest::ScriptedScreens {
 public:
  std::function<void()> during_credit;
  std::optional<counter::CreditChoice> choose_credit(const counter::MemberCreditView& v) override {
    if (during_credit) during_credit();
    return ScriptedScreens::choose_credit(v);
  }
};

class RentalAuditTest : public RentalTest {
 protected:
  void SetUp() override {
    RentalTest::SetUp();
    hooked_.config = &shop_.config;
  }
  counter::RentalResult rent_hooked() {
    op_.type(u"42");
    counter::RentalContext ctx{views_,   screen_,  hooked_, hooked_, hooked_, hooked_,
                               hooked_,  hooked_,  offers_, access_, {}};
    return counter::rent(shop_, ctx, counter::RentalRequest{counter::RentalMode::normal(), 0});
  }
  HookedScreens hooked_;
};

TEST_F(RentalAuditTest, NoItemsIsSilentWhenSoundEffectsAreOff) {
  shop_.config.set_i32(cfg::kSoundOff, 2);
  items({});
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Problem", "No rental items selected"));
  EXPECT_EQ(op_.warnings, 0);
}

TEST_F(RentalAuditTest, ScannerEndCodeAfterAMistypedTotalIsRefusedLikeFinish) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    m.set_total(u"2,50");
    op_.type(u"100000000000000001");
    EXPECT_FALSE(m.add_items(false).has_value());  // the screen stays open
    m.set_total(u"2.50");
    op_.type(u"100000000000000001");
    auto end = m.add_items(false);
    EXPECT_EQ(end, RentalEnd::Finish);
    return end.value_or(RentalEnd::Cancel);
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_TRUE(saw("Problem", "Invalid amount"));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 2.5f);
}

TEST_F(RentalAuditTest, MemberFileLostAfterACreditSettlementLeavesTheTakingsAsBefore) {
  member_owes(-1);
  takings(2);
  hooked_.credit = {counter::CreditChoice::AmountPaid};
  hooked_.during_credit = [this] { std::filesystem::rename(shop_.path("member.dat"), shop_.path("member.away")); };
  items({u"7"});
  EXPECT_FALSE(rent_hooked().finished);
  std::filesystem::rename(shop_.path("member.away"), shop_.path("member.dat"));
  EXPECT_TRUE(saw("Problem", "Data file: member.dat, not present."));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 2.0f);
  EXPECT_FLOAT_EQ(stored_config().takings_today(), 2.0f);
  EXPECT_EQ(member_on_file().on_loan(0), 0);
  EXPECT_FLOAT_EQ(member_on_file().owed(), -1.0f);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
}

TEST_F(RentalAuditTest, FilmThatCannotBeStampedIsTakenOffTheMemberAgain) {
  member_owes(-1);
  hooked_.credit = {counter::CreditChoice::AmountPaid};
  // Once the finish has read the films, film 9's record can no longer be written back.
  hooked_.during_credit = [this] { ASSERT_TRUE(records::delete_film(shop_, 9)); };
  items({u"7", u"9"});
  EXPECT_TRUE(rent_hooked().finished);
  EXPECT_TRUE(saw("Problem", "Film.dat"));

  auto m = member_on_file();
  EXPECT_EQ(m.on_loan(0), 7);
  EXPECT_EQ(m.on_loan(1), 0);
  EXPECT_EQ(m.on_loan_due(1), u"");
  EXPECT_EQ(m.on_loan_flag(), 2);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
  // Only the film that went out is journalled and counted.
  EXPECT_NE(log_text().find("\r\n7  Gone Fishing\r\nOwed before"), std::string::npos) << log_text();
  EXPECT_EQ(shop_.config.i64(cfg::kRentalsToday), 1);
}

TEST_F(RentalAuditTest, AmendedRentalThatCannotBeStoredTakesBackWhatTheAmendTook) {
  takings(2);
  screens_.amend = {counter::AmendChoice::PartPaidRestOwed};
  screens_.amounts = {1.0f};
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    auto end = m.amend_or_owe();
    EXPECT_EQ(end, RentalEnd::AmendFinished);
    std::filesystem::rename(shop_.path("film.dat"), shop_.path("film.away"));
    return end.value_or(RentalEnd::Cancel);
  };
  EXPECT_FALSE(rent().finished);
  std::filesystem::rename(shop_.path("film.away"), shop_.path("film.dat"));
  EXPECT_TRUE(saw("Fatal error", "Data file: film.dat, not present."));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 2.0f);
  EXPECT_FLOAT_EQ(stored_config().takings_today(), 2.0f);
  EXPECT_FLOAT_EQ(member_on_file().owed(), 0.0f);
  EXPECT_EQ(member_on_file().on_loan(0), 0);
}

}  // namespace
}  // namespace kelvo::renttest
