#include "counter/payment.h"

#include <cmath>
#include <limits>

#include "counter/pricing.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;

namespace {
void grow(records::ConfigBlock& c, size_t off, float x) { c.set_f32(off, c.f32(off) + x); }
}  // namespace

void DayMoney::takings(float x) { grow(config, cfg::kTakingsToday, x); }
void DayMoney::arrears_paid(float x) { grow(config, cfg::kArrearsPaid, x); }
void DayMoney::arrears_written_off(float x) { grow(config, cfg::kArrearsWrittenOff, x); }
void DayMoney::late_fees_charged(float x) { grow(config, cfg::kLateFeesTotal, x); }
void DayMoney::late_fees_owing(float x) { grow(config, cfg::kLateFeesOwing, x); }
void DayMoney::late_fees_written_off(float x) { grow(config, cfg::kLateFeesWrittenOff, x); }
void DayMoney::late_fees_paid(float x) { grow(config, cfg::kLateFeesPaid, x); }

std::optional<float> read_amount(text::u16view typed) {
  const text::u16 t = text::trimmed(typed);
  size_t i = 0;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) ++i;
  int digits = 0, points = 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= u'0' && t[i] <= u'9') {
      ++digits;
    } else if (t[i] == u'.' && points == 0) {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  const double v = text::parse_double(t);
  if (!(std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max()))) return std::nullopt;
  return static_cast<float>(v);
}

text::u16 money_text(float amount) { return text::format("%.2f", {amount}); }

void AmountModel::set_sub_total(text::u16view typed) {
  const TaxFigures t = compute_taxes(config_, typed);
  figures_.sub_total_text = text::u16(typed);
  figures_.sub_total = read_money(typed);
  taxed_ = t.taxed;
  tax1_text_ = t.tax1_text;
  tax2_text_ = t.tax2_text;
  total_text_ = t.total_text;
  figures_.tax1 = t.taxed ? t.tax1 : 0;
  figures_.tax2 = t.taxed ? t.tax2 : 0;
  figures_.total = t.taxed ? t.total : figures_.sub_total;
}

void CashTenderedModel::set_tendered(text::u16view typed) {
  tendered_ = text::u16(typed);
  const float tendered = read_money(typed);
  change_ = tendered > 0 && tendered > total_due_amount ? money_text(tendered - total_due_amount) : text::u16();
}

CashTenderedModel make_cash_tendered(const RentalMoney& money, const CashTenderedInput& input) {
  CashTenderedModel m;
  if (input.owed > 0) m.arrears_to_remain = money_text(input.owed);
  float arrears_paid = 0;
  if (!money.credit_settled && money.amount_paid != 0) {
    arrears_paid = money.amount_paid;
    m.arrears_paid = money_text(arrears_paid);
  }
  const float rental = money.credit_settled ? money.credit_cash : input.total - input.previous_rentals;
  m.rental = money_text(rental);
  if (input.sundries != 0) m.sundries = money_text(input.sundries);
  float due = arrears_paid + rental + input.sundries;
  if (money.left_owed > 0) due -= money.left_owed;
  m.total_due_amount = due;
  m.total_due = money_text(due);
  return m;
}

void cash_tendered(CashTenderedScreen& screen, Till& till, CashTenderedModel& model) {
  till.pole_total(model.total_due_amount);
  if (model.auto_receipt >= 1 && model.auto_receipt <= 6)
    model.print_receipt(static_cast<RentalReceiptForm>(model.auto_receipt));
  screen.show_cash_tendered(model);
}

}  // namespace kelvo::counter
