#pragma once
// The choice screens of the money settlements, as the flows see them: what each screen shows
// and what the person chose. The Qt side draws them; tests answer them from a script.
#include <optional>
#include <vector>

#include "counter/rental_receipt.h"
#include "counter/sale_receipt.h"
#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::counter {

// --- "Arrears": a member with arrears starts a rental ------------------------------------------
enum class ArrearsChoice {
  TotalPaid = 1,           // "Total is paid"
  PayAnotherDay,           // "Pay another day"
  PartPaidRestOwed,        // "Part is paid, rest owed"
  PartPaidRestWrittenOff,  // "Part is paid, rest written off"
  WrittenOff,              // "Total is written off"
};
struct EarlierItem {
  text::u16 item;      // "%I64d, %s", or the bare number when the film is gone
  text::u16 rented;    // dd/mm/yyyy
  text::u16 returned;
};
struct ArrearsView {
  int64_t number = 0;
  text::u16 name;      // title, initial and name
  text::u16 address;   // road, area, town, post code
  text::u16 last_rented;
  text::u16 last_returned;
  std::vector<EarlierItem> earlier;  // the four most recent, newest first
  text::u16 owed;      // "%.2f"
  ArrearsChoice preselected = ArrearsChoice::TotalPaid;
  bool part_and_write_off_hidden = false;  // choices 3, 4 and 5
};
class ArrearsScreen {
 public:
  virtual ~ArrearsScreen() = default;
  // nullopt: Cancel, or OK with nothing selected.
  virtual std::optional<ArrearsChoice> choose_arrears(const ArrearsView& view) = 0;
};

// --- "Member credit": credit that does not cover the new rental --------------------------------
enum class CreditChoice {
  AmountPaid = 1,          // "Amount is paid"
  AmountOwed,              // "Amount is owed"
  PartPaidRestOwed,        // "Part is paid, rest owed"
  PartPaidRestWrittenOff,  // "Part is paid, rest written off"
  WrittenOff,              // "Written off"
};
struct MemberCreditView {
  text::u16 transaction_total;  // "%.2f"
  text::u16 credit;
  text::u16 amount_owed;        // credit + total
};
class MemberCreditScreen {
 public:
  virtual ~MemberCreditScreen() = default;
  virtual std::optional<CreditChoice> choose_credit(const MemberCreditView& view) = 0;
};

// --- "Amend / owe transaction total" and its amount screens ------------------------------------
enum class AmendChoice {
  NewTotal = 1,              // "New total"
  PartPaidRestOwed,          // "Part is paid, rest is owed"
  PartPaidAmendedOwed,       // "Part is paid, amended amount is owed"
  TotalOwed,                 // "Total is owed"
  AmendedTotalOwed,          // "Amended total is owed"
};
class AmendOweScreen {
 public:
  virtual ~AmendOweScreen() = default;
  // nullopt: Cancel (back to the rental screen).
  virtual std::optional<AmendChoice> choose_amend(float total) = 0;
};

// What an amount screen holds: the typed sub total and the taxes and total worked out from it.
struct AmountFigures {
  text::u16 sub_total_text;
  float sub_total = 0;
  float tax1 = 0;
  float tax2 = 0;
  float total = 0;  // the amount the settlement uses
};
// The amount screen's model: its boxes follow the sub total as the rental screen's do.
class AmountModel {
 public:
  explicit AmountModel(const records::ConfigBlock& config) : config_(config) { set_sub_total(u""); }
  void set_sub_total(text::u16view typed);
  const AmountFigures& figures() const { return figures_; }
  bool taxed() const { return taxed_; }
  const text::u16& tax1_text() const { return tax1_text_; }
  const text::u16& tax2_text() const { return tax2_text_; }
  const text::u16& total_text() const { return total_text_; }

 private:
  const records::ConfigBlock& config_;
  AmountFigures figures_;
  bool taxed_ = false;
  text::u16 tax1_text_, tax2_text_, total_text_;
};
constexpr char16_t kPaidTitle[] = u"Please enter the amount to be paid:";
constexpr char16_t kOwedTitle[] = u"Please enter amount to be owed:";
class AmountScreen {
 public:
  virtual ~AmountScreen() = default;
  // The screen titled `title`; nullopt when cancelled.
  virtual std::optional<AmountFigures> ask_amount(text::u16view title) = 0;
};

// --- "Cash tendered" --------------------------------------------------------------------------
class CashTenderedModel {
 public:
  // Empty texts are boxes left blank.
  text::u16 arrears_to_remain, arrears_paid, rental, sundries, total_due;
  float total_due_amount = 0;
  // Typing the tendered amount: the change, or empty.
  void set_tendered(text::u16view typed);
  const text::u16& tendered() const { return tendered_; }

  // The receipt buttons: shown only when there is something to print them with.
  RentalReceipts* receipts = nullptr;
  RentalReceipt receipt;
  int auto_receipt = 0;  // the "Auto receipt" setting, 1 to 6 pressed as the screen opens
  bool prints_receipts() const { return receipts != nullptr; }
  void print_receipt(RentalReceiptForm form) {
    if (receipts) receipts->print_rental_receipt(receipt, form);
  }
  // Stock sold with "Retail" during the rental has a page receipt of its own, headed by the
  // member; offered only when something was sold and there is something to print it with.
  SaleReceipts* sale_receipts = nullptr;
  std::optional<SaleReceipt> sale_receipt;
  bool prints_sale_receipt() const { return sale_receipts != nullptr && sale_receipt.has_value(); }
  void print_sale_receipt() {
    if (prints_sale_receipt()) sale_receipts->print_sale_receipt(*sale_receipt, SaleReceiptForm::MultiPage);
  }
  const text::u16& change() const { return change_; }

 private:
  text::u16 tendered_, change_;
};
class CashTenderedScreen {
 public:
  virtual ~CashTenderedScreen() = default;
  virtual void show_cash_tendered(CashTenderedModel& model) = 0;
};

// --- "Arrears / overdue" and "Total due" after a return ----------------------------------------
struct OverdueLine {
  text::u16 item;    // "%I64d, %s"
  text::u16 charge;  // "%.2f"
};
struct ArrearsOverdueView {
  std::vector<OverdueLine> lines;
  int64_t number = 0;
  text::u16 name, address, comment;
  text::u16 arrears, overdue, tax1, tax2, sub_total, total;
  bool focus_owed = false;   // the default overdue allocation is set
  bool amend_hidden = false; // "Amend / owe total due" not for this operator
};
enum class OverdueChoice { Paid, AmendOwe, Owed };
class ArrearsOverdueScreen {
 public:
  virtual ~ArrearsOverdueScreen() = default;
  // Esc counts as "Owed".
  virtual OverdueChoice choose_overdue(const ArrearsOverdueView& view) = 0;
};

enum class TotalDueChoice {
  WrittenOff = 1,            // "Written off"
  PartPaidRestWrittenOff,    // "Part paid, rest written off"
  PartPaidRestOwed,          // "Part paid, rest owed"
  TotalOwed,                 // "Total owed"
  PartPaidSpecificOwed,      // "Part paid, specific amount owed"
  ZeroPaidSpecificOwed,      // "Zero paid, specific amount owed"
};
class TotalDueScreen {
 public:
  virtual ~TotalDueScreen() = default;
  // nullopt: Cancel, back to "Arrears / overdue".
  virtual std::optional<TotalDueChoice> choose_total_due(text::u16view total) = 0;
};

}  // namespace kelvo::counter
