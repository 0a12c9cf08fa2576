#pragma once
// A shop with members and films on file, loans put in place by writing the records directly,
// and the "RETURN" and "Return complete" screens answered from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "counter/return_transaction.h"
#include "payment_fixture.h"

namespace kelvo::returntest {

using counter::RefundChoice;
namespace cfg = records::cfg;

class ScriptedReturnScreen : public counter::ReturnScreen {
 public:
  // Rows toggled with Space before "Return"; `cancel` presses Cancel instead.
  std::vector<size_t> toggles;
  bool cancel = false;
  std::function<void()> before_return;  // runs while the screen is up
  std::deque<RefundChoice> complete;    // default OK

  std::vector<counter::ReturnModel> shown;
  std::vector<bool> cash_offered;

  bool choose_returns(counter::ReturnModel& model) override {
    shown.push_back(model);
    for (size_t row : toggles) model.toggle(row);
    if (before_return) before_return();
    return !cancel;
  }
  RefundChoice return_complete(bool cash_refund_offered) override {
    cash_offered.push_back(cash_refund_offered);
    return paytest::next(complete, RefundChoice::Ok);
  }
};

class ReturnFlowTest : public paytest::PaymentTest {
 protected:
  void SetUp() override {
    PaymentTest::SetUp();
    // Member 42 "Mr J Smith" and film 7 "Gone Fishing" (band 1) come from the payment fixture.
    auto jones = cattest::member(12, u"Jones", u"Ann", u"2 Low Road");
    ASSERT_TRUE(records::add_member(shop_, jones));
    for (auto f : {cattest::film(8, u"Jaws", 2), cattest::film(9, u"Heat", 3)}) ASSERT_TRUE(records::add_film(shop_, f));
    shop_.config.set_str(cfg::kReturnDeadline, 12, u"18:00");
    op_.messages.clear();
    op_.activity_lines.clear();
  }

  // The loan as a rental leaves it: the film out to the member, the member holding it.
  void lend(int64_t item, int64_t member, std::u16string rented, std::u16string due) {
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(shop_, item, f));
    f.set_on_loan_to(member);
    f.set_last_hire(rented);
    f.set_return_date(due);
    ASSERT_TRUE(records::rewrite_film(shop_, f));
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, member, m));
    const int slot = m.free_loan_slot();
    m.set_on_loan(slot, item);
    m.set_on_loan_rented(slot, rented);
    m.set_on_loan_due(slot, due);
    m.set_on_loan_flag(2);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  records::FilmRecord film_on_file(int64_t n) {
    records::FilmRecord f;
    EXPECT_TRUE(records::read_film(shop_, n, f));
    return f;
  }
  records::MemberRecord member_on_file(int64_t n) {
    records::MemberRecord m;
    EXPECT_TRUE(records::read_member(shop_, n, m));
    return m;
  }
  void now(int day, int hour, int minute) { clock_.set(testing::at(2026, 12, day, hour, minute)); }

  int64_t run(int64_t item = 0) {
    counter::ReturnContext ctx{screen_, screens_, screens_, screens_, access_};
    return counter::return_items(shop_, ctx, item);
  }
  int64_t returned_item(int k) const { return shop_.config.i64(cfg::kLastReturnedItems + 8 * k); }

  ScriptedReturnScreen screen_;
  records::AccessState access_ = records::AccessState::Unrestricted;
};

}  // namespace kelvo::returntest
