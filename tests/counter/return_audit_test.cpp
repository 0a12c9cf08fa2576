// Returns whose writes fail part-way: the member file and the film file must still agree on who
// holds what, and a refund the member file did not take is neither counted nor journalled.
#include <functional>

#include "return_fixture.h"

namespace kelvo::returntest {
namespace {

constexpr char16_t kRented[] = u"10:0001/12/2026";
constexpr char16_t kDueLastWeek[] = u"10:0003/12/2026";

// The settlement screens with a moment in the middle of "Arrears / overdue".
class HookedScreens : public paytest::ScriptedScreens {
 public:
  std::function<void()> during_overdue;
  counter::OverdueChoice choose_overdue(const counter::ArrearsOverdueView& v) override {
    if (during_overdue) during_overdue();
    return ScriptedScreens::choose_overdue(v);
  }
};

class RefundHookScreen : public ScriptedReturnScreen {
 public:
  std::function<void()> during_complete;
  RefundChoice return_complete(bool cash_refund_offered) override {
    if (during_complete) during_complete();
    return ScriptedReturnScreen::return_complete(cash_refund_offered);
  }
};

class ReturnAuditTest : public ReturnFlowTest {
 protected:
  void SetUp() override {
    ReturnFlowTest::SetUp();
    hooked_.config = &shop_.config;
  }
  int64_t run_hooked(int64_t item) {
    counter::ReturnContext ctx{refund_screen_, hooked_, hooked_, hooked_, access_};
    return counter::return_items(shop_, ctx, item);
  }
  void member_file_away() { std::filesystem::rename(shop_.path("member.dat"), shop_.path("member.away")); }
  void member_file_back() { std::filesystem::rename(shop_.path("member.away"), shop_.path("member.dat")); }

  HookedScreens hooked_;
  RefundHookScreen refund_screen_;
};

TEST_F(ReturnAuditTest, MemberFileLostDuringTheLateFeeLeavesLoansAgreeing) {
  lend(7, 42, kRented, kDueLastWeek);
  lend(8, 42, kRented, kDueLastWeek);
  shop_.config.set_i32(cfg::kSelectAllOnReturn, 2);
  hooked_.during_overdue = [this] { member_file_away(); };
  run_hooked(7);
  member_file_back();
  EXPECT_TRUE(op_.saw("Problem", "Data file: member.dat, not present."));

  // Whatever the films say, the member on file says the same.
  const auto m = member_on_file(42);
  for (int64_t item : {7, 8}) {
    const bool film_out = film_on_file(item).on_loan_to() == 42;
    EXPECT_EQ(m.loan_slot_of(item) >= 0, film_out) << "item " << item;
  }
  EXPECT_EQ(m.on_loan_flag(), m.holds_items() ? 2 : 0);
}

TEST_F(ReturnAuditTest, CreditRefundTheMemberFileDidNotTakeIsNotBooked) {
  lend(7, 42, kRented, u"10:0009/12/2026");
  refund_screen_.complete = {RefundChoice::CreditRefund};
  refund_screen_.during_complete = [this] { member_file_away(); };
  op_.type(u"2.00");
  EXPECT_EQ(run_hooked(7), 42);
  member_file_back();
  EXPECT_TRUE(op_.saw("Problem", "Data file: member.dat, not present."));
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kCreditRefundsToday), 0.0f);
  EXPECT_FLOAT_EQ(shop_.member.owed(), 0.0f);
  EXPECT_EQ(log_text().find("Refund on return"), std::string::npos) << log_text();
  EXPECT_FLOAT_EQ(member_on_file(42).owed(), 0.0f);
}

}  // namespace
}  // namespace kelvo::returntest
