#pragma once
// Every way money is settled at the counter: arrears brought to a rental, a member's credit
// against a new rental, the rental screen's amend/owe button, the cash tendered screen, the
// arrears and late fees of a return, and the manual amendment of what a member owes.
//
// Each flow changes the current member's owed (positive: the member owes; negative: credit),
// today's takings and the day's arrears and late-fee counters of the configuration block.
// The flows talk to the person only through platform::Operator and the screens of
// payment_views.h, so they run headless under a script.
#include <optional>
#include <vector>

#include "counter/payment_views.h"
#include "records/access.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::catalogue { class CatalogueViews; }

namespace kelvo::counter {

// The cash drawer and pole display as the settlements use them; whether they are in use is the
// implementation's business.
class Till {
 public:
  virtual ~Till() = default;
  virtual void open_drawer() = 0;
  virtual void pole_total(float amount) = 0;
  virtual void pole_passive() = 0;
};
class NoTill : public Till {
 public:
  void open_drawer() override {}
  void pole_total(float) override {}
  void pole_passive() override {}
};

// The day's money counters of the configuration block that settlements move.
struct DayMoney {
  explicit DayMoney(records::ConfigBlock& c) : config(c) {}
  void takings(float x);
  void arrears_paid(float x);
  void arrears_written_off(float x);
  void late_fees_charged(float x);
  void late_fees_owing(float x);
  void late_fees_written_off(float x);
  void late_fees_paid(float x);
  records::ConfigBlock& config;
};

// What the money settlements of one rental leave behind for its log entry, its receipt and the
// cash tendered screen. The rental resets it at the start of each transaction.
struct RentalMoney {
  float owed_before = 0;         // the member's owed when the rental started
  float amount_paid = 0;         // paid against arrears, or the cash of a credit settlement
  text::u16 settlement_text;     // "Total is paid", "Repayment on another day", ...
  bool credit_settled = false;   // the member's credit met this rental
  float credit_cash = 0;         // cash taken in that settlement: the cash tendered "Rental"
  bool skip_cash_tendered = false;
  // Set by amend/owe: the rental then commits without adding to the takings, and the member's
  // balance has already been booked, so no credit settlement follows.
  bool finished_by_amend = false;
  float left_owed = 0;           // the amount an amend/owe choice left owed
  std::optional<text::u16> reason;  // entered at "Reason for amendment:"
  std::optional<AmountFigures> paid_part;  // the amount screens of amend/owe
  std::optional<AmountFigures> owed_part;
  // Stock sold from the rental screen's "Retail" button, already on file: the cash tendered
  // screen shows its total as sundries, and the receipt adds its taxes to the rental's.
  float sundries = 0;
  float sundries_sub_total = 0, sundries_tax1 = 0, sundries_tax2 = 0;
  SaleReceipt sundries_receipt;  // every unit sold so, for the sale's own receipt
};

// Strict reading of a typed amount: optional blanks and sign, digits with at most one decimal
// point, nothing else. A typing slip must not quietly become 0 and wipe a debt.
std::optional<float> read_amount(text::u16view typed);
text::u16 money_text(float amount);  // "%.2f"

// Before a rental, with the current member owing (owed > 0): the "Arrears" screen. False when
// the rental is to end (cancel, nothing chosen, an invalid part payment).
bool settle_arrears(records::Shop& shop, ArrearsScreen& screen, records::AccessState access, RentalMoney& money);

// The rental's log line of its arrears settlement: "\r\n%s Paid: %.2f".
text::u16 settlement_line(const RentalMoney& money);
// The "Debt allocation" entry of an abandoned rental, with the operator line; empty when the
// member's owed (as reloaded from file) is what it was when the rental started, or was 0.
text::u16 debt_allocation_entry(const records::Shop& shop, const RentalMoney& money, float owed_now);
// What the receipt shows for a rental finished by amend/owe while a tax is active: the paid and
// owed parts' figures summed. nullopt when no tax is active or no amount screen was filled in.
std::optional<AmountFigures> amended_receipt_figures(const records::ConfigBlock& config, const RentalMoney& money);

// At a rental's finish with the member holding credit (owed < 0). `cost` is what this rental
// added to today's takings, that is the new items' total without the previous rentals (the
// credit has already paid for those). False when the rental is to be abandoned; the takings
// are then as before the rental.
bool settle_member_credit(records::Shop& shop, MemberCreditScreen& screen, RentalMoney& money, float cost);

// The rental screen's "Amend / Owe total" button.
struct AmendInput {
  float total = 0;             // the rental screen's total (new items only)
  float previous_rentals = 0;  // the member's transaction_amount when the screen opened
  bool has_new_item = false;
};
enum class AmendOutcome {
  CloseAsCancel,  // no new item yet: the rental screen closes as Cancel does
  Back,           // back to the rental screen, nothing changed
  Finished,       // the rental finishes by amend/owe with `total` as its running total
};
struct AmendResult {
  AmendOutcome outcome = AmendOutcome::Back;
  float total = 0;  // new items plus previous rentals: the member's transaction_amount
};
AmendResult amend_or_owe(records::Shop& shop, AmendOweScreen& screen, AmountScreen& amounts, RentalMoney& money,
                         const AmendInput& input);

// The figures of the cash tendered screen after a rental.
struct CashTenderedInput {
  float owed = 0;              // the member's owed after the rental
  float total = 0;             // the rental's running total, previous rentals included
  float previous_rentals = 0;
  float sundries = 0;          // retail sales made inside the rental
};
CashTenderedModel make_cash_tendered(const RentalMoney& money, const CashTenderedInput& input);
// Shows the total on the pole display and the screen.
void cash_tendered(CashTenderedScreen& screen, Till& till, CashTenderedModel& model);

// After a return with a late fee or arrears. `lines` are the overdue items with their charges,
// `fee` the total late fee F. Changes the current member's owed (the return writes the member
// record afterwards), the takings and counters, logs "Overdue return / arrears" and writes wr.cfg.
struct ReturnSettlement {
  float arrears = 0;   // A
  float fee = 0;       // F, with taxes and as amended
  float cash_paid = 0;
  float owed_after = 0;
  text::u16 text;      // "Total paid", "Total owed", ...
};
ReturnSettlement settle_return(records::Shop& shop, ArrearsOverdueScreen& overdue, TotalDueScreen& total_due,
                               Till& till, records::AccessState access, const std::vector<OverdueLine>& lines,
                               float fee);

// Members "Amend credit": find a member and set what they owe. False when nothing changed.
bool amend_credit(records::Shop& shop, catalogue::CatalogueViews& views);

}  // namespace kelvo::counter
