// Rentals that do not finish: the abort step with its "Debt allocation" entry, and finishes
// refused because a file cannot be opened or an item went out meanwhile. None of them may
// leave the member and the film file disagreeing.
#include <sys/stat.h>

#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

class AbortTest : public RentalTest {
 protected:
  // Nothing of the rental reached the files: the member holds nothing, the films are in stock.
  void nothing_written() {
    auto m = member_on_file();
    EXPECT_EQ(m.on_loan(0), 0);
    EXPECT_EQ(m.on_loan_flag(), 0);
    EXPECT_EQ(m.rented(), 0);
    EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
    EXPECT_EQ(film_on_file(7).rentals(), 0);
    EXPECT_EQ(shop_.config.i64(cfg::kRentalsToday), 0);
    EXPECT_FLOAT_EQ(shop_.config.takings_today(), 0.0f);
  }
};

TEST_F(AbortTest, CancelAfterSettlingArrearsWritesADebtAllocationEntry) {
  member_owes(10);
  screens_.arrears = {counter::ArrearsChoice::TotalPaid};
  items({u"7"}, RentalEnd::Cancel);
  EXPECT_FALSE(rent().finished);
  EXPECT_EQ(log_text(),
            "\r\n14:05 07/12/2026  Debt allocation\r\nMember: 42, Smith Owed before: 10.00, After: 0.00"
            "\r\nAborted rental, Total is paid Paid: 10.00\r\nOperator: 1, Alice\r\n");
  EXPECT_FLOAT_EQ(stored_config().takings_today(), 10.0f);
  EXPECT_EQ(member_on_file().on_loan(0), 0);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
}

TEST_F(AbortTest, CancelWithoutArrearsLogsNothingButSavesTheBlock) {
  items({u"7"}, RentalEnd::Cancel);
  EXPECT_FALSE(rent().finished);
  EXPECT_EQ(log_text(), "");
  EXPECT_TRUE(std::filesystem::exists(shop_.path(records::files::kConfig)));
  nothing_written();
}

TEST_F(AbortTest, FinishWithoutItemsWarnsAndAborts) {
  items({});
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Problem", "No rental items selected"));
  EXPECT_EQ(op_.warnings, 1);
}

TEST_F(AbortTest, CancelledCreditSettlementLeavesTheTakingsAsBefore) {
  member_owes(-1);
  takings(2);
  screens_.credit = {std::nullopt};
  items({u"7"});
  EXPECT_FALSE(rent().finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 2.0f);
  EXPECT_FLOAT_EQ(member_on_file().owed(), -1.0f);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 0);
}

TEST_F(AbortTest, MissingFilmFileAtTheFinishWritesNothing) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    std::filesystem::rename(shop_.path("film.dat"), shop_.path("film.away"));
    return RentalEnd::Finish;
  };
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Fatal error", "Data file: film.dat, not present."));
  std::filesystem::rename(shop_.path("film.away"), shop_.path("film.dat"));
  nothing_written();
  EXPECT_EQ(log_text(), "");
}

TEST_F(AbortTest, LogThatCannotBeOpenedAtTheFinishWritesNothing) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    std::filesystem::remove(shop_.path("lgb4.dat"));
    std::filesystem::create_directory(shop_.path("lgb4.dat"));
    return RentalEnd::Finish;
  };
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Fatal error", "Data file: lgb4.dat, not present."));
  nothing_written();
}

TEST_F(AbortTest, ItemPutOnLoanElsewhereBeforeTheFinishIsNotStampedTwice) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    op_.type(u"8");
    m.add_items(false);
    change_film(8, [](records::FilmRecord& f) { f.set_on_loan_to(77); });
    return RentalEnd::Finish;
  };
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Rental item is on loan", "8, Heat"));
  EXPECT_EQ(film_on_file(8).on_loan_to(), 77);
  nothing_written();
}

TEST_F(AbortTest, ItemDeletedBeforeTheFinishStopsIt) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"9");
    m.add_items(false);
    EXPECT_TRUE(records::delete_film(shop_, 9));
    return RentalEnd::Finish;
  };
  EXPECT_FALSE(rent().finished);
  EXPECT_TRUE(saw("Problem", "Film 9 does not exist"));
  EXPECT_EQ(member_on_file().on_loan(0), 0);
}

}  // namespace
}  // namespace kelvo::renttest
