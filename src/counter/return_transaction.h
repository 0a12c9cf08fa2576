#pragma once
// Taking items back from a member: one item number entered, every item the member holds listed
// with that one (or all) selected, and each selected item released from the film file, taken
// off the member's loans and pushed into the member's history. Late fees and arrears are
// settled through settle_return; a refund may follow.
//
// The flow talks to the person through platform::Operator, the "RETURN" screen below and the
// settlement screens of payment_views.h, so it runs headless under a script.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "counter/payment.h"
#include "counter/payment_views.h"
#include "records/access.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::catalogue { class CatalogueViews; }

namespace kelvo::counter {

// One item the member holds, as the "RETURN" list shows it.
struct ReturnLine {
  int64_t item = 0;
  text::u16 text;  // "%I64d, %s" then four blanks and the date it was rented
  bool selected = false;
};

// The "RETURN" screen's model: the member shown above the list, the list and its selection.
class ReturnModel {
 public:
  int64_t member = 0;
  text::u16 name;       // title, initial, name
  text::u16 address;    // road, area, town, post code
  text::u16 telephone;
  text::u16 join_date;
  text::u16 comment1, comment2;
  text::u16 transaction_charge;  // "%.2f" of the member's transaction_amount

  const std::vector<ReturnLine>& lines() const { return lines_; }
  void add_line(ReturnLine line) { lines_.push_back(std::move(line)); }
  // Space on a line.
  void toggle(size_t row);
  void select(size_t row, bool on);
  size_t selected_count() const;

 private:
  std::vector<ReturnLine> lines_;
};

// What "Return complete" offers after items came back.
enum class RefundChoice { Ok, CashRefund, CreditRefund };

class ReturnScreen {
 public:
  virtual ~ReturnScreen() = default;
  // "RETURN": the person changes the selection in the model; true for "Return", false for Cancel.
  virtual bool choose_returns(ReturnModel& model) = 0;
  // "Return complete" with "OK", "Cash refund" (when offered) and "Credit refund". Closing the
  // screen counts as OK.
  virtual RefundChoice return_complete(bool cash_refund_offered) = 0;
};

// The screens and devices a return talks through.
struct ReturnContext {
  ReturnScreen& screen;
  ArrearsOverdueScreen& overdue;
  TotalDueScreen& total_due;
  Till& till;
  records::AccessState access = records::AccessState::Restricted;
};

// The whole return. With `item` 0 it asks "Return item number:"; otherwise that item is taken
// as entered (the member-first entry and "Return then rent" use this). Returns the number of the
// member whose items came back, 0 when nothing was returned.
int64_t return_items(records::Shop& shop, const ReturnContext& ctx, int64_t item = 0);

// Members "Return items": the member first ("Number / Last name / fragment"), then the return of
// what they hold, the first item on loan taken as the one entered. "No items on loan" for a
// member who holds nothing. Returns as return_items does.
int64_t return_for_member(records::Shop& shop, catalogue::CatalogueViews& views, const ReturnContext& ctx);

}  // namespace kelvo::counter
