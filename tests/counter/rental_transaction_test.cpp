// Whole rentals through the core: what the member, the films, the counters, the log, the
// activity pane and wr.cfg hold afterwards.
#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

TEST_F(RentalTest, ThreeItemsAtBandPricesWriteEverythingAndTheLogByteForByte) {
  items({u"7", u"8", u"9"});
  auto r = rent();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.items, 3);
  EXPECT_FLOAT_EQ(r.cost, 7.5f);

  EXPECT_EQ(log_text(),
            "\r\n14:05 07/12/2026  Rental: 1\r\nMember 42 Smith"
            "\r\n7  Gone Fishing\r\n8  Heat\r\n9  Alien"
            "\r\nTransaction cost: 7.50    Today's takings: 7.50\r\nOperator: 1, Alice\r\n");

  auto m = member_on_file();
  EXPECT_EQ(m.on_loan(0), 7);
  EXPECT_EQ(m.on_loan(1), 8);
  EXPECT_EQ(m.on_loan(2), 9);
  EXPECT_EQ(m.on_loan_flag(), 2);
  EXPECT_EQ(m.on_loan_rented(1), u"14:0507/12/2026");
  EXPECT_EQ(m.on_loan_due(1), u"14:0510/12/2026");
  EXPECT_EQ(m.last_used(), u"14:0507/12/2026");
  EXPECT_EQ(m.rented(), 3);
  EXPECT_FLOAT_EQ(m.transaction_amount(), 7.5f);
  EXPECT_EQ(m.transaction(), text::format("%d", {shop_.config.transaction_counter() - 1}));

  auto heat = film_on_file(8);
  EXPECT_EQ(heat.on_loan_to(), 42);
  EXPECT_EQ(heat.rentals(), 1);
  EXPECT_FLOAT_EQ(heat.revenue(), 1.5f);
  EXPECT_EQ(heat.last_hire(), u"14:0507/12/2026");
  EXPECT_EQ(heat.return_date(), u"14:0510/12/2026");
  EXPECT_EQ(heat.last_rental_by(), 42);
  EXPECT_EQ(heat.hire_days_30(), 1u);
  EXPECT_EQ(heat.hire_days_7(), 1);

  auto& c = shop_.config;
  EXPECT_FLOAT_EQ(c.takings_today(), 7.5f);
  EXPECT_EQ(c.i64(cfg::kRentalsToday), 3);
  EXPECT_EQ(c.i64(cfg::kLastRentedItems + 8 * 15), 7);
  EXPECT_EQ(c.i64(cfg::kLastRentedItems + 8 * 17), 9);
  EXPECT_EQ(c.i32(cfg::kBandCountToday), 3);
  EXPECT_EQ(c.i32(cfg::kBandCountMonth + 4), 2);  // band 1
  EXPECT_EQ(c.i32(cfg::kBandCountToday + 8), 1);  // band 2
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"14:05 Rental by 42, Smith", "Cost: 7.50",
                                                          "Film: 7, Gone Fishing", "Film: 8, Heat",
                                                          "Film: 9, Alien", "  "}));
  EXPECT_EQ(screens_.cash_tendered_shown, 1);
  EXPECT_EQ(screens_.till, (std::vector<std::string>{"drawer", "pole 7.50", "passive"}));
  auto stored = stored_config();
  EXPECT_EQ(stored.i64(cfg::kRentalsToday), 3);
  EXPECT_FLOAT_EQ(stored.takings_today(), 7.5f);
}

TEST_F(RentalTest, SecondRentalShowsPreviousRentalsAndLogsThem) {
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  items({u"8"});
  op_.activity_lines.clear();
  ASSERT_TRUE(rent().finished);
  ASSERT_EQ(screen_.headers.size(), 2u);
  EXPECT_EQ(screen_.headers[1].current, u"1 item(s) for 3.00");
  EXPECT_EQ(screen_.headers[1].rental_number, u"2");
  EXPECT_NE(log_text().find("\r\nPrevious rental(s): 3.00, Transaction cost: 1.50    Today's takings: 4.50"),
            std::string::npos);
  EXPECT_FLOAT_EQ(member_on_file().transaction_amount(), 4.5f);
  // The items list holds what the member already had, and the pane repeats the list.
  EXPECT_EQ(op_.activity_lines[2], "Film: 7, Gone Fishing");
  EXPECT_EQ(op_.activity_lines[3], "Film: 8, Heat");
}

TEST_F(RentalTest, OfferModeChargesTheOfferAndCountsTheOfferButCreditsBandRevenue) {
  shop_.config.set_i64(cfg::offer_price(2), 500);
  shop_.config.set_i64(cfg::offer_days(2), 2);
  screen_.script = [this](RentalModel& m) {
    EXPECT_EQ(m.header().type, u"Offer 2");
    EXPECT_EQ(m.sub_total(), u"5.00");
    EXPECT_EQ(m.days(), u"2");
    for (auto t : {u"7", u"8"}) {
      op_.type(t);
      m.add_items(false);
    }
    EXPECT_EQ(m.sub_total(), u"5.00");
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent(counter::RentalMode::special_offer(2)).finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 5.0f);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kOfferRentalsToday + 4), 2.0f);
  EXPECT_FLOAT_EQ(film_on_file(8).revenue(), 1.5f);
  EXPECT_EQ(member_on_file().on_loan_due(0), u"14:0509/12/2026");
}

TEST_F(RentalTest, CreditsCoverTheFirstItemsAndNewCreditsAreAwarded) {
  change_member([](records::MemberRecord& m) {
    m.set_rental_credits(2);
    m.set_rented(8);
  });
  shop_.config.set_i32(cfg::kRentalCreditsRule, 2);
  shop_.config.set_i32(cfg::kRentalCreditsRule + 8, 1);   // one credit
  shop_.config.set_i32(cfg::kRentalCreditsRule + 12, 10);  // per ten rentals
  screen_.script = [this](RentalModel& m) {
    EXPECT_EQ(m.credits(), u"2");
    for (auto t : {u"7", u"8", u"9"}) {
      op_.type(t);
      m.add_items(false);
    }
    EXPECT_EQ(m.credits(), u"0");
    EXPECT_EQ(m.sub_total(), u"3.00");  // only Alien was priced
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent().finished);
  auto m = member_on_file();
  EXPECT_EQ(m.rented(), 11);
  EXPECT_EQ(m.rental_credits(), 1);  // used up, then one earned at the tenth rental
  EXPECT_TRUE(saw("Rental credits allocated", "1 credits"));
}

TEST_F(RentalTest, FreeItemAddsNoPriceAndNoRevenue) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    op_.type(u"8");
    m.add_items(true);
    EXPECT_EQ(m.sub_total(), u"3.00");
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(film_on_file(8).revenue(), 0.0f);
  EXPECT_EQ(film_on_file(8).rentals(), 1);
}

TEST_F(RentalTest, DayReturnIsDueNowAndEarnsTheBandNinePrice) {
  items({u"7"});
  ASSERT_TRUE(rent(counter::RentalMode::day_return()).finished);
  auto m = member_on_file();
  EXPECT_EQ(m.on_loan_due(0), m.on_loan_rented(0));
  EXPECT_FLOAT_EQ(film_on_file(7).revenue(), 1.0f);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 1.0f);
  EXPECT_EQ(shop_.config.i32(cfg::kBandCountToday + 4 * 9), 1);
  EXPECT_EQ(shop_.config.i32(cfg::kBandCountToday + 4 * 1), 0);
}

TEST_F(RentalTest, CategoryAndFormatCountersFollowTheNames) {
  auto& c = shop_.config;
  c.set_str(cfg::category_name(2), cfg::kCategoryNameWidth, u"DRA");
  c.set_str(cfg::category_name(12), cfg::kCategoryNameWidth, u"DRA");
  change_film(7, [&](records::FilmRecord& f) {
    f.set_category(u"DRA");
    f.set_format(c.format_name(2));
  });
  items({u"7", u"8"});
  ASSERT_TRUE(rent().finished);
  EXPECT_EQ(c.i32(cfg::kCategoryLowToday + 4), 1);
  EXPECT_EQ(c.i32(cfg::kCategoryLowMonth + 4), 1);
  EXPECT_EQ(c.i32(cfg::kCategoryHighToday + 8), 1);
  EXPECT_EQ(c.i32(cfg::kCategoryLowToday), 0);  // Heat has no category: nothing counted for it
  EXPECT_FLOAT_EQ(c.f32(cfg::kFormat2RentalsToday), 1.0f);
  EXPECT_FLOAT_EQ(c.f32(cfg::kFormat1RentalsToday), 0.0f);
}

TEST_F(RentalTest, TypedTotalBecomesTheRunningTotalWithAReason) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    m.set_comment(u"regular");
    m.set_total(u"2.00");
    return *m.finish();
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 2.0f);
  const auto log = log_text();
  EXPECT_NE(log.find("\r\nTransaction comment: regular\r\nReason: Total amended on main dialog"
                     "\r\nTransaction cost: 2.00"),
            std::string::npos);
}

TEST_F(RentalTest, MistypedTotalIsRefusedAndTheScreenStays) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    m.set_total(u"2,50");
    EXPECT_FALSE(m.finish().has_value());
    m.set_total(u"3.00");
    return *m.finish();
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_TRUE(saw("Problem", "Invalid amount"));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 3.0f);
}

TEST_F(RentalTest, SubTotalRecomputesTaxesAndADifferentTotalCounts) {
  tax1(1000);
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    EXPECT_EQ(m.tax1(), u"0.30");
    EXPECT_EQ(m.total(), u"3.30");
    m.set_sub_total(u"10.00");
    EXPECT_EQ(m.tax1(), u"1.00");
    EXPECT_EQ(m.total(), u"11.00");
    return *m.finish();
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 11.0f);
}

TEST_F(RentalTest, MemberCreditCoversTheRentalWithoutCashTendered) {
  member_owes(-5);
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(member_on_file().owed(), -2.0f);
  EXPECT_TRUE(saw("Member's credit", "Credit before: -5.00, after: -2.00"));
  EXPECT_EQ(screens_.cash_tendered_shown, 0);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 0.0f);
  EXPECT_NE(log_text().find("\r\nOwed before: -5.00, After: -2.00\r\n Paid: 0.00\r\nTransaction cost: 3.00"),
            std::string::npos);
}

TEST_F(RentalTest, ArrearsPaidBeforeTheRentalAreLogged) {
  member_owes(4);
  screens_.arrears = {counter::ArrearsChoice::TotalPaid};
  items({u"7"});
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 7.0f);
  EXPECT_NE(log_text().find("\r\nOwed before: 4.00, After: 0.00\r\nTotal is paid Paid: 4.00\r\nTransaction cost: 3.00"),
            std::string::npos);
}

TEST_F(RentalTest, AmendOweFinishCommitsWithoutTakingsAgain) {
  screens_.amend = {counter::AmendChoice::TotalOwed};
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    return *m.amend_or_owe();
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 0.0f);
  EXPECT_FLOAT_EQ(member_on_file().owed(), 3.0f);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
  EXPECT_NE(log_text().find("\r\nOwed before: 0.00, After: 3.00"), std::string::npos);
  EXPECT_NE(log_text().find("\r\nReason: \r\nTransaction cost: 3.00"), std::string::npos);
}

TEST_F(RentalTest, ScannerEndCodeFinishesTheRental) {
  screen_.script = [this](RentalModel& m) {
    op_.type(u"7");
    m.add_items(false);
    op_.type(u"100000000000000001");
    auto end = m.add_items(false);
    EXPECT_EQ(end, RentalEnd::Finish);
    return end.value_or(RentalEnd::Cancel);
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_EQ(film_on_file(7).on_loan_to(), 42);
}

TEST_F(RentalTest, AutoOfferAsksForItemsUntilThePromptIsLeftEmpty) {
  shop_.config.set_i64(cfg::kAutoOfferOff, 0);
  screen_.script = [this](RentalModel& m) {
    EXPECT_TRUE(m.auto_offer());
    op_.type(u"7");
    op_.type(u"8");
    op_.type(u"");
    m.add_items(false);
    EXPECT_EQ(m.items().size(), 2u);
    return RentalEnd::Finish;
  };
  ASSERT_TRUE(rent().finished);
  EXPECT_EQ(member_on_file().on_loan(1), 8);
}

TEST_F(RentalTest, RentByTelephoneRentsToTheMemberFound) {
  change_member([](records::MemberRecord& m) { m.set_telephone1(u"555 1234"); });
  op_.type(u"555 1234");
  op_.reply({platform::Answer::Yes});
  items({u"7"});
  auto r = counter::rent_by_telephone(shop_, context());
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.member, 42);
  op_.type(u"12345678901234567890");
  EXPECT_FALSE(counter::rent_by_telephone(shop_, context()).finished);
  EXPECT_TRUE(saw("Problem", "Limit 19 characters"));
}

}  // namespace
}  // namespace kelvo::renttest
