// The two settlements a rental runs against the member's balance: arrears at its start and
// credit at its finish.
#include "counter/payment.h"
#include "counter/pricing.h"
#include "records/commit.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/calendar.h"
#include "text/format.h"

namespace kelvo::counter {

namespace {

// The date part of a time-date stamp; anything shorter (such as "NEW") as it stands.
text::u16 date_part(text::u16view stamp) {
  return stamp.size() > 5 && stamp[2] == u':' ? text::u16(stamp.substr(5)) : text::u16(stamp);
}

text::u16 joined(std::initializer_list<text::u16> parts) {
  text::u16 out;
  for (const auto& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += u", ";
    out += p;
  }
  return out;
}

text::u16 item_line(const records::Shop& shop, int64_t number) {
  records::FilmRecord film;
  if (shop.films.read_number(number, film) == records::ReadResult::Ok)
    return text::format("%I64d, %s", {number, film.title()});
  return text::format("%I64d", {number});
}

ArrearsView arrears_view(const records::Shop& shop, records::AccessState access) {
  const records::MemberRecord& m = shop.member;
  ArrearsView v;
  v.number = m.number();
  v.name = text::format("%s %s %s", {m.title(), m.initial(), m.name()});
  v.address = joined({m.road(), m.area(), m.town(), m.post_code()});
  v.last_rented = date_part(m.last_used());
  v.last_returned = date_part(m.last_returned());
  for (int i = records::MemberRecord::kHistory - 1; i >= 0 && v.earlier.size() < 4; --i) {
    const int64_t n = m.previous_items(i);
    if (n <= 0) continue;
    v.earlier.push_back({item_line(shop, n), date_part(m.previous_rented(i)), date_part(m.previous_returned(i))});
  }
  v.owed = money_text(m.owed());
  v.preselected = shop.config.i64(records::cfg::kDefaultDebtAllocation) != 0 ? ArrearsChoice::PayAnotherDay
                                                                           : ArrearsChoice::TotalPaid;
  v.part_and_write_off_hidden = !records::may_use(shop.config, access, records::Flag::NoAmendWhenOwing);
  return v;
}

// "Enter amount to be paid:"; nullopt when cancelled or not an amount from 0 to `limit`.
std::optional<float> part_payment(records::Shop& shop, float limit) {
  auto typed = shop.op().prompt(u"Enter amount to be paid:", {});
  if (!typed) return std::nullopt;
  auto x = read_amount(typed->text);
  if (!x || *x < 0 || *x > limit) return std::nullopt;
  return x;
}

}  // namespace

bool settle_arrears(records::Shop& shop, ArrearsScreen& screen, records::AccessState access, RentalMoney& money) {
  records::MemberRecord& m = shop.member;
  const ArrearsView view = arrears_view(shop, access);
  auto choice = screen.choose_arrears(view);
  if (!choice) return false;
  if (view.part_and_write_off_hidden && *choice != ArrearsChoice::TotalPaid && *choice != ArrearsChoice::PayAnotherDay)
    return false;

  // What each choice pays, writes off and leaves owed; the money moves only once the member
  // record says so, or the debt would be paid in the takings and still stand on file.
  const float owed = m.owed();
  float paid = 0, written_off = 0, left = 0;
  switch (*choice) {
    case ArrearsChoice::TotalPaid:
      paid = owed;
      money.settlement_text = u"Total is paid";
      break;
    case ArrearsChoice::PayAnotherDay:
      money.settlement_text = u"Repayment on another day";
      return true;
    case ArrearsChoice::PartPaidRestOwed:
    case ArrearsChoice::PartPaidRestWrittenOff: {
      auto x = part_payment(shop, owed);
      if (!x) return false;
      paid = *x;
      if (*choice == ArrearsChoice::PartPaidRestOwed) {
        left = owed - *x;
        money.settlement_text = u"Part paid, rest is owed.";
      } else {
        written_off = owed - *x;
        money.settlement_text = u"Part paid, rest written off.";
      }
      break;
    }
    case ArrearsChoice::WrittenOff:
      written_off = owed;
      money.settlement_text = u"Written off.";
      break;
  }
  m.set_owed(left);
  // The member's new balance and the day's money move together.
  records::Commit commit(shop);
  auto refused = [&] {
    m.set_owed(owed);
    money.settlement_text.clear();
    money.amount_paid = 0;
    return false;
  };
  if (!records::rewrite_member(shop, m)) return refused();
  DayMoney day(shop.config);
  if (*choice != ArrearsChoice::WrittenOff) {
    day.takings(paid);
    day.arrears_paid(paid);
    money.amount_paid = paid;
  }
  if (*choice == ArrearsChoice::PartPaidRestWrittenOff || *choice == ArrearsChoice::WrittenOff)
    day.arrears_written_off(written_off);
  return commit.finish() || refused();
}

text::u16 settlement_line(const RentalMoney& money) {
  return text::format("\r\n%s Paid: %.2f", {money.settlement_text, money.amount_paid});
}

text::u16 debt_allocation_entry(const records::Shop& shop, const RentalMoney& money, float owed_now) {
  if (money.owed_before == 0 || owed_now == money.owed_before) return {};
  const records::MemberRecord& m = shop.member;
  text::u16 entry = records::log_prefix(shop.now()) + u"  Debt allocation";
  entry += text::format("\r\nMember: %I64d, %s Owed before: %.2f, After: %.2f",
                        {m.number(), m.name(), money.owed_before, owed_now});
  entry += text::format("\r\nAborted rental, %s Paid: %.2f", {money.settlement_text, money.amount_paid});
  entry += records::operator_trailer(shop.config);
  return entry;
}

std::optional<AmountFigures> amended_receipt_figures(const records::ConfigBlock& config, const RentalMoney& money) {
  if (!any_tax_active(config) || (!money.paid_part && !money.owed_part)) return std::nullopt;
  AmountFigures sum;
  for (const auto& part : {money.paid_part, money.owed_part}) {
    if (!part) continue;
    sum.sub_total += part->sub_total;
    sum.tax1 += part->tax1;
    sum.tax2 += part->tax2;
    sum.total += part->total;
  }
  sum.sub_total_text = money_text(sum.sub_total);
  return sum;
}

bool settle_member_credit(records::Shop& shop, MemberCreditScreen& screen, RentalMoney& money, float cost) {
  // Amend/owe has booked the member's balance and the takings itself; settling the credit
  // again would charge the rental twice.
  if (money.finished_by_amend || money.credit_settled) return true;
  records::MemberRecord& m = shop.member;
  DayMoney day(shop.config);
  day.takings(-cost);
  const float credit = m.owed();
  const float due = credit + cost;
  if (due <= 0) {
    m.set_owed(due);
    shop.op().message(u"Member's credit", text::format("Credit before: %.2f, after: %.2f", {credit, due}));
    money.credit_settled = true;
    money.skip_cash_tendered = true;
    return true;
  }

  const MemberCreditView view{money_text(cost), money_text(credit), money_text(due)};
  auto choice = screen.choose_credit(view);
  if (!choice) return false;
  switch (*choice) {
    case CreditChoice::AmountPaid:
      day.takings(due);
      money.amount_paid = due;
      money.credit_cash = due;
      m.set_owed(0);
      break;
    case CreditChoice::AmountOwed:
      m.set_owed(due);
      money.skip_cash_tendered = true;
      break;
    case CreditChoice::PartPaidRestOwed:
    case CreditChoice::PartPaidRestWrittenOff: {
      auto x = part_payment(shop, due);
      if (!x) return false;
      day.takings(*x);
      money.amount_paid = *x;
      money.credit_cash = *x;
      m.set_owed(*choice == CreditChoice::PartPaidRestOwed ? due - *x : 0.0f);
      break;
    }
    case CreditChoice::WrittenOff:
      m.set_owed(0);
      money.skip_cash_tendered = true;
      break;
  }
  money.credit_settled = true;
  return true;
}

}  // namespace kelvo::counter
