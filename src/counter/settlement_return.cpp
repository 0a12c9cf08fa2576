// The arrears and late fees settled at a return. Whatever is paid counts against the arrears
// first and the late fees after; what is left owed or written off is split the same way, so
// the day's counters say where every part of the debt went.
#include "counter/payment.h"
#include "counter/pricing.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::counter {

namespace {

struct Debt {
  float a = 0;  // arrears the member brought
  float f = 0;  // late fee with its taxes
  float t = 0;  // total due, a + f
};

text::u16 address_of(const records::MemberRecord& m) {
  text::u16 out;
  for (const auto& p : {m.road(), m.area(), m.town(), m.post_code()}) {
    if (p.empty()) continue;
    if (!out.empty()) out += u", ";
    out += p;
  }
  return out;
}

// An amount from 0 to `limit`, asked again while it is negative, unreadable or above the
// limit; nullopt when cancelled.
std::optional<float> amount_up_to(records::Shop& shop, text::u16view question, float limit) {
  for (;;) {
    auto typed = shop.op().prompt(question, {});
    if (!typed) return std::nullopt;
    auto x = read_amount(typed->text);
    if (!x || *x < 0) continue;
    if (*x > limit) {
      platform::problem(shop.op(), u"Amount exceeds total");
      continue;
    }
    return x;
  }
}

// A figure asked again after "Incorrect value" until it is not negative.
std::optional<float> not_negative(records::Shop& shop, text::u16view question, float proposal) {
  platform::PromptOptions o;
  o.proposal = money_text(proposal);
  for (;;) {
    auto typed = shop.op().prompt(question, o);
    if (!typed) return std::nullopt;
    auto x = read_amount(typed->text);
    if (x && *x >= 0) return x;
    platform::problem(shop.op(), u"Incorrect value");
  }
}

void owe_all(records::Shop& shop, const Debt& d, ReturnSettlement& r) {
  shop.op().message(u"Debt allocation", u"Amount left as owed");
  shop.member.set_owed(shop.member.owed() + d.t);
  DayMoney(shop.config).late_fees_owing(d.f);
  r.text = u"Total owed";
}

// The "Total due" choices for a member without credit. False when the operator went back.
bool allocate(records::Shop& shop, TotalDueScreen& screen, const Debt& d, ReturnSettlement& r) {
  DayMoney day(shop.config);
  records::MemberRecord& m = shop.member;
  const float a = d.a, f = d.f, t = d.t;
  for (;;) {
    auto choice = screen.choose_total_due(money_text(t));
    if (!choice) return false;
    float p = 0, o = 0;
    const bool pays = *choice == TotalDueChoice::PartPaidRestWrittenOff || *choice == TotalDueChoice::PartPaidRestOwed ||
                      *choice == TotalDueChoice::PartPaidSpecificOwed;
    const bool specific =
        *choice == TotalDueChoice::PartPaidSpecificOwed || *choice == TotalDueChoice::ZeroPaidSpecificOwed;
    if (pays) {
      auto x = amount_up_to(shop, u"Amount to be paid:", t);
      if (!x) continue;
      p = *x;
    }
    if (specific) {
      // What is owed cannot be more than what is left after the payment, or the write-off
      // counters would go negative.
      auto x = amount_up_to(shop, u"Amount to be owed:", t - p);
      if (!x) continue;
      o = *x;
    }
    switch (*choice) {
      case TotalDueChoice::WrittenOff:
        day.arrears_written_off(a);
        day.late_fees_written_off(f);
        r.text = u"Written off";
        break;
      case TotalDueChoice::PartPaidRestWrittenOff:
        day.takings(p);
        r.cash_paid = p;
        r.text = u"Part paid, rest w.o.";
        if (a <= 0) {
          day.late_fees_paid(p);
          day.late_fees_written_off(f - p);
        } else if (p < a) {
          day.arrears_paid(p);
          day.arrears_written_off(a - p);
          day.late_fees_written_off(f);
        } else {
          day.arrears_paid(a);
          day.late_fees_paid(p - a);
          day.late_fees_written_off(t - p);
        }
        break;
      case TotalDueChoice::PartPaidRestOwed:
        m.set_owed(t - p);
        day.takings(p);
        r.cash_paid = p;
        r.text = u"Part paid, rest owed";
        if (a <= 0) {
          day.late_fees_paid(p);
          day.late_fees_owing(f - p);
        } else if (p < a) {
          day.arrears_paid(p);
          day.late_fees_owing(f);
        } else {
          day.arrears_paid(a);
          day.late_fees_paid(p - a);
          day.late_fees_owing(t - p);
        }
        break;
      case TotalDueChoice::TotalOwed:
        m.set_owed(m.owed() + t);
        day.late_fees_owing(f);
        r.text = u"Total owed";
        break;
      case TotalDueChoice::PartPaidSpecificOwed:
      case TotalDueChoice::ZeroPaidSpecificOwed:
        m.set_owed(m.owed() + o);
        day.takings(p);
        r.cash_paid = p;
        r.text = *choice == TotalDueChoice::PartPaidSpecificOwed ? u"Part paid, specific owed" : u"Zero paid, specific owed";
        if (a <= 0) {
          day.late_fees_paid(p);
          day.late_fees_owing(o);
          day.late_fees_written_off(f - p - o);
        } else if (p >= a) {
          day.arrears_paid(a);
          day.late_fees_paid(p - a);
          day.late_fees_owing(o);
          day.late_fees_written_off(a + f - p - o);
        } else {
          // Paid less than the arrears: what is owed covers the rest of the arrears first,
          // and only what it leaves is late fees owing; the remainder is written off.
          day.arrears_paid(p);
          const float arrears_left = a - p;
          if (o >= arrears_left) {
            day.late_fees_owing(o - arrears_left);
            day.late_fees_written_off(f - (o - arrears_left));
          } else {
            day.arrears_written_off(arrears_left - o);
            day.late_fees_written_off(f);
          }
        }
        break;
    }
    return true;
  }
}

// "Amend / owe total due" for a member holding credit (a < 0).
void amend_with_credit(records::Shop& shop, Debt& d, ReturnSettlement& r) {
  records::MemberRecord& m = shop.member;
  auto fee = not_negative(shop, u"Please enter overdue amount:", d.f);
  if (!fee) {
    owe_all(shop, d, r);
    return;
  }
  d.f = *fee;
  d.t = d.a + d.f;
  if (d.t > 0) {
    auto x = not_negative(shop, text::format("To pay (%.2f credit. %.2f fine):", {d.a, d.f}), d.t);
    if (!x) {
      shop.op().message(u"Debt allocation aborted", u"Amount will be left as owed");
      m.set_owed(m.owed() + d.t);
      r.text = u"Credit used, rest owed";
      return;
    }
    DayMoney(shop.config).takings(*x);
    m.set_owed(0);
    r.cash_paid = *x;
    r.text = u"Credit used, remainder contributed";
    return;
  }
  shop.op().message(text::format("Member has %.2f credit.", {d.a}), text::format("After this transaction %.2f", {d.t}));
  m.set_owed(m.owed() + d.t);
  r.text = u"Credit used";
}

void log_settlement(records::Shop& shop, const ReturnSettlement& r) {
  const records::MemberRecord& m = shop.member;
  text::u16 entry = records::log_prefix(shop.now()) + u"  Overdue return / arrears";
  entry += text::format("\r\nMember: %I64d %s %s %s    %s", {m.number(), m.title(), m.initial(), m.name(), m.road()});
  entry += text::format("\r\nArrears: %.2f, Fine: %.2f", {r.arrears, r.fee});
  entry += text::format("\r\nCash paid: %.2f Owed: %.2f      Today's takings: %.2f",
                        {r.cash_paid, r.owed_after, shop.config.takings_today()});
  entry += records::operator_trailer(shop.config);
  records::append_log_or_report(shop, entry);
}

}  // namespace

ReturnSettlement settle_return(records::Shop& shop, ArrearsOverdueScreen& overdue, TotalDueScreen& total_due,
                               Till& till, records::AccessState access, const std::vector<OverdueLine>& lines,
                               float fee) {
  records::MemberRecord& m = shop.member;
  DayMoney day(shop.config);
  Debt d;
  d.a = m.owed();
  d.f = fee;
  day.late_fees_charged(d.f);
  d.t = d.f;
  if (m.owed() != 0) {
    d.t = d.f + m.owed();
    m.set_owed(0);
  }

  ArrearsOverdueView view;
  view.lines = lines;
  view.number = m.number();
  view.name = text::format("%s %s %s", {m.title(), m.initial(), m.name()});
  view.address = address_of(m);
  view.comment = m.comment1();
  view.arrears = money_text(d.a);
  view.overdue = money_text(d.f);
  const TaxFigures taxes = compute_taxes(shop.config, d.f);
  if (taxes.taxed && !no_tax_on_overdue(shop.config) && d.f != 0) {
    day.late_fees_charged(taxes.tax1 + taxes.tax2);
    d.f += taxes.tax1 + taxes.tax2;
    view.tax1 = taxes.tax1_text;
    view.tax2 = taxes.tax2_text;
    d.t = d.f + d.a;
  }
  view.sub_total = money_text(d.f);
  view.total = money_text(d.t);
  view.focus_owed = shop.config.i64(records::cfg::kDefaultOverdueAllocation) != 0;
  view.amend_hidden = !records::may_use(shop.config, access, records::Flag::NoAmendOnOverdueReturn);

  ReturnSettlement r;
  bool amended = false;
  till.pole_total(d.t);
  for (bool done = false; !done;) {
    OverdueChoice choice = overdue.choose_overdue(view);
    if (choice == OverdueChoice::AmendOwe && view.amend_hidden) choice = OverdueChoice::Owed;
    done = true;
    switch (choice) {
      case OverdueChoice::Paid:
        r.text = u"Total paid";
        if (d.a >= 0) {
          day.takings(d.t);
          day.arrears_paid(d.a);
          day.late_fees_paid(d.f);
          r.cash_paid = d.t;
        } else if (d.t < 0) {
          m.set_owed(d.t);  // the credit left over stays with the member
        } else {
          // The credit meets part of the fee; the rest is handed over in cash and is booked
          // as taken and as late fees paid.
          day.takings(d.t);
          day.late_fees_paid(d.t);
          r.cash_paid = d.t;
        }
        break;
      case OverdueChoice::Owed:
        owe_all(shop, d, r);
        break;
      case OverdueChoice::AmendOwe:
        if (d.a < 0) {
          amend_with_credit(shop, d, r);
        } else if (!allocate(shop, total_due, d, r)) {
          done = false;
          continue;
        }
        amended = true;
        break;
    }
  }
  till.pole_passive();

  r.arrears = d.a;
  r.fee = d.f;
  r.owed_after = m.owed();
  log_settlement(shop, r);
  shop.save_config();
  if (amended || r.cash_paid > 0) till.open_drawer();
  return r;
}

}  // namespace kelvo::counter
