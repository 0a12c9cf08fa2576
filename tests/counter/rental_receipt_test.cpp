// What a finished rental hands to its receipt, and the automatic receipt pressed as the cash
// tendered screen opens.
#include "rental_fixture.h"

namespace kelvo::renttest {
namespace {

using counter::RentalReceiptForm;

class ReceiptRecorder : public counter::RentalReceipts {
 public:
  struct Printed {
    counter::RentalReceipt receipt;
    RentalReceiptForm form;
    int screens_shown_before;
  };
  explicit ReceiptRecorder(const paytest::ScriptedScreens& s) : screens_(s) {}
  void print_rental_receipt(const counter::RentalReceipt& r, RentalReceiptForm form) override {
    printed.push_back({r, form, screens_.cash_tendered_shown});
  }
  std::vector<Printed> printed;

 private:
  const paytest::ScriptedScreens& screens_;
};

struct Case {
  const char* name;
  int auto_receipt;
  int tax_rate;
  std::optional<RentalReceiptForm> form;
  float charge, ex_tax, tax1;
};

class RentalReceiptTest : public RentalTest, public ::testing::WithParamInterface<Case> {
 protected:
  counter::RentalResult rent_with_receipts() {
    op_.type(u"42");
    auto ctx = context();
    ctx.receipts = &recorder_;
    return counter::rent(shop_, ctx, counter::RentalRequest{counter::RentalMode::normal(), 0});
  }
  ReceiptRecorder recorder_{screens_};
};

TEST_P(RentalReceiptTest, AutoReceiptPrintsTheSettledRentalAsTheCashScreenOpens) {
  const Case& c = GetParam();
  member_owes(10);
  screens_.arrears = {counter::ArrearsChoice::TotalPaid};
  tax1(c.tax_rate);
  shop_.config.set_i32(cfg::kAutoReceipt, c.auto_receipt);
  items({u"8", u"9"});
  ASSERT_TRUE(rent_with_receipts().finished);
  EXPECT_EQ(screens_.cash_tendered_shown, 1);
  if (!c.form) {
    EXPECT_TRUE(recorder_.printed.empty());
    return;
  }
  ASSERT_EQ(recorder_.printed.size(), 1u);
  const auto& p = recorder_.printed.front();
  EXPECT_EQ(p.form, *c.form);
  EXPECT_EQ(p.screens_shown_before, 0);
  const counter::RentalReceipt& r = p.receipt;
  EXPECT_EQ(r.member, 42);
  EXPECT_EQ(r.title + u" " + r.initial + u" " + r.name, u"Mr J Smith");
  EXPECT_EQ(r.road, u"1 High Street");
  ASSERT_EQ(r.items.size(), 2u);
  EXPECT_EQ(r.items[0].number, 8);
  EXPECT_EQ(r.items[0].title, u"Heat");
  EXPECT_EQ(r.items[1].title, u"Alien");
  EXPECT_EQ(r.items[1].rented, u"14:0507/12/2026");
  EXPECT_EQ(r.items[1].due, u"14:0510/12/2026");
  EXPECT_FLOAT_EQ(r.arrears_settled, 10);
  EXPECT_EQ(r.settlement_marker, 0);
  EXPECT_FLOAT_EQ(r.balance_before, 10);
  EXPECT_FLOAT_EQ(r.balance_after, 0);
  EXPECT_FLOAT_EQ(r.rental_charge, c.charge);
  EXPECT_FLOAT_EQ(r.rentals_ex_tax, c.ex_tax);
  EXPECT_FLOAT_EQ(r.tax1, c.tax1);
  EXPECT_EQ(text::format("%d", {r.transaction}), member_on_file().transaction());
  EXPECT_EQ(r.return_time, shop_.config.return_deadline());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RentalReceiptTest,
    ::testing::Values(Case{"none", 0, 0, std::nullopt, 4.5f, 4.5f, 0},
                      Case{"till_receipt_1", 2, 0, RentalReceiptForm::Till1, 4.5f, 4.5f, 0},
                      Case{"till_receipt_2_the_last_choice", 6, 0, RentalReceiptForm::Till2, 4.5f, 4.5f, 0},
                      Case{"page_receipt_with_tax", 1, 1000, RentalReceiptForm::Page, 4.95f, 4.5f, 0.45f},
                      Case{"beyond_the_choices", 7, 0, std::nullopt, 4.5f, 4.5f, 0}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kelvo::renttest
