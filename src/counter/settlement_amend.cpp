// The rental screen's "Amend / Owe total": the operator changes what the rental costs, or
// leaves some or all of it owed, and the rental finishes at once.
#include <cmath>

#include "counter/payment.h"
#include "text/format.h"

namespace kelvo::counter {

namespace {

// An amount screen asked until it holds an amount that is not negative; nullopt when cancelled.
std::optional<AmountFigures> ask(records::Shop& shop, AmountScreen& amounts, text::u16view title) {
  for (;;) {
    auto f = amounts.ask_amount(title);
    if (!f) return std::nullopt;
    if (f->total >= 0 && f->sub_total >= 0) return f;
    platform::problem(shop.op(), u"Invalid amount");
  }
}

// The "input total" prompt of a new total that the member's credit does not cover.
std::optional<float> credit_payment(records::Shop& shop, float credit, float total, float proposal) {
  platform::PromptOptions o;
  o.proposal = money_text(proposal);
  for (;;) {
    auto typed = shop.op().prompt(
        text::format("%.2f credit, Transaction total: %.2f, input total:", {credit, total}), o);
    if (!typed) return std::nullopt;
    auto x = read_amount(typed->text);
    if (x && *x >= 0) return x;
    platform::problem(shop.op(), u"Incorrect value");
    o.proposal = typed->text;
  }
}

// Less than half a cent left over is what the "%.2f" proposal rounded away, not a debt.
float cents_only(float x) { return std::fabs(x) < 0.005f ? 0.0f : x; }

}  // namespace

AmendResult amend_or_owe(records::Shop& shop, AmendOweScreen& screen, AmountScreen& amounts, RentalMoney& money,
                         const AmendInput& input) {
  AmendResult result;
  if (!input.has_new_item) {
    result.outcome = AmendOutcome::CloseAsCancel;
    return result;
  }
  auto choice = screen.choose_amend(input.total);
  if (!choice) return result;

  records::MemberRecord& m = shop.member;
  DayMoney day(shop.config);
  float total = input.total;
  auto back = [&money] {
    money.paid_part.reset();
    money.owed_part.reset();
    return AmendResult{AmendOutcome::Back, 0};
  };

  switch (*choice) {
    case AmendChoice::NewTotal: {
      auto e = ask(shop, amounts, kPaidTitle);
      if (!e) return back();
      auto reason = shop.op().prompt(u"Reason for amendment:", {});
      if (!reason) return back();
      money.paid_part = e;
      money.reason = reason->text;
      total = e->total;
      const float owed = m.owed();
      if (owed < 0 && owed + total < 0) {
        shop.op().message(text::format("Member has %.2f credit.", {owed}),
                          text::format("After this transaction %.2f", {owed + total}));
        m.set_owed(owed + total);
        // The credit paid for everything; the rental must neither take cash nor meet the
        // credit a second time, and the items still out keep their cost.
        money.credit_settled = true;
        money.credit_cash = 0;
        money.skip_cash_tendered = true;
        break;
      }
      if (owed < 0) {
        auto paid = credit_payment(shop, owed, total, owed + total);
        if (!paid) return back();
        // Only the cash handed over is taken; what it falls short of (or exceeds) the amount
        // due after the credit stays on the member's balance.
        day.takings(*paid);
        m.set_owed(cents_only(owed + total - *paid));
        money.credit_settled = true;
        money.credit_cash = *paid;
        break;
      }
      day.takings(total);
      break;
    }
    case AmendChoice::PartPaidRestOwed: {
      std::optional<AmountFigures> e;
      for (;;) {
        e = ask(shop, amounts, kPaidTitle);
        if (!e) return back();
        if (e->total <= total) break;
        platform::problem(shop.op(), u"Incorrect value");
      }
      money.paid_part = e;
      money.left_owed = total - e->total;
      m.set_owed(m.owed() + (total - e->total));
      day.takings(e->total);
      break;
    }
    case AmendChoice::PartPaidAmendedOwed: {
      auto e = ask(shop, amounts, kPaidTitle);
      if (!e) return back();
      money.paid_part = e;
      auto f = ask(shop, amounts, kOwedTitle);
      if (!f) return back();
      money.owed_part = f;
      total = e->total + f->total;
      m.set_owed(m.owed() + f->total);
      day.takings(e->total);
      money.left_owed = f->total;
      break;
    }
    case AmendChoice::TotalOwed:
      money.left_owed = total;
      m.set_owed(m.owed() + total);
      break;
    case AmendChoice::AmendedTotalOwed: {
      auto f = ask(shop, amounts, kOwedTitle);
      if (!f) return back();
      money.owed_part = f;
      total = f->total;
      m.set_owed(m.owed() + f->total);
      money.left_owed = f->total;
      break;
    }
  }
  money.finished_by_amend = true;
  result.outcome = AmendOutcome::Finished;
  result.total = total + input.previous_rentals;
  return result;
}

}  // namespace kelvo::counter
