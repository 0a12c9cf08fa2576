#pragma once
// The rental transaction: pick a member, settle arrears, add items one at a time on the
// "RENTAL" screen and finish, stamping each film on loan, giving the member the loans, moving
// the day's counters and journalling the rental. Nothing of the items is stored before the
// finish.
//
// The flow talks to the person through platform::Operator, the settlement screens of
// payment_views.h and the RentalScreen below, which shows a RentalModel and calls its actions.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "counter/payment.h"
#include "counter/pricing.h"
#include "counter/rental_receipt.h"
#include "counter/stock_sale.h"
#include "records/access.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::counter {

// How the screen closed.
enum class RentalEnd { Finish, Cancel, AmendFinished };

// The member and transaction boxes above the items, filled once when the screen opens.
struct RentalHeader {
  text::u16 transaction;    // the transaction counter
  text::u16 rental_number;  // rentals today + 1
  text::u16 type;           // "Normal", "Offer 1" ... "Offer 4", "Bands"
  text::u16 member_number;
  text::u16 name;           // title, initial, name
  text::u16 address;        // first address line
  text::u16 comment1, comment2;
  bool comment_highlighted = false;
  text::u16 owed;           // "%.2f"
  text::u16 membership_type;  // the member's category
  text::u16 expiry;
  bool expired = false;
  text::u16 last_hired;     // date part of last_used, or "NEW"
  text::u16 pin;
  text::u16 family1, family2;
  text::u16 telephone1, telephone2;
  std::vector<text::u16> earlier_items;  // previous_items newest first, then older_items
  text::u16 current;        // "%d item(s) for %.2f" when items are out
};

class RentalModel;

class RentalScreen {
 public:
  virtual ~RentalScreen() = default;
  // Shows the model until one of its actions closes the screen; returns how it closed.
  virtual RentalEnd run_rental(RentalModel& model) = 0;
};

// What a rental talks through besides the shop's operator.
struct RentalContext {
  catalogue::CatalogueViews& views;  // member search by name
  RentalScreen& screen;
  ArrearsScreen& arrears;
  MemberCreditScreen& credit;
  AmendOweScreen& amend;
  AmountScreen& amounts;
  CashTenderedScreen& cash;
  Till& till;
  const OfferState& offers;
  records::AccessState access = records::AccessState::Restricted;
  // The Qt side titles its next prompt ("Rent"); tests may leave it empty.
  std::function<void(text::u16view)> prompt_caption;
  // Prints the receipts of the cash tendered screen; none when not given.
  RentalReceipts* receipts = nullptr;
  // The screens of a stock sale made with "Retail"; none: the button is not offered.
  const SaleContext* retail = nullptr;
};

struct RentalRequest {
  RentalMode mode;
  int64_t member = 0;  // pre-selected by "Return then rent" or "Rent by telephone"; 0 asks
};

struct RentalResult {
  bool finished = false;
  int64_t member = 0;
  int items = 0;     // new items stamped on loan
  float cost = 0;    // total minus previous rentals
};

// The whole transaction.
RentalResult rent(records::Shop& shop, const RentalContext& ctx, RentalRequest request);

// "Rent by telephone": the telephone prompt, the find, then the rental to that member.
RentalResult rent_by_telephone(records::Shop& shop, const RentalContext& ctx);

// The state of the "RENTAL" screen and the actions behind its buttons. The member being
// served is shop.member; its on_loan slots are the working list of the transaction.
class RentalModel {
 public:
  RentalModel(records::Shop& shop, const RentalContext& ctx, RentalMode mode, RentalMoney& money);

  const RentalHeader& header() const { return header_; }
  const std::vector<text::u16>& items() const { return items_; }
  const text::u16& credits() const { return credits_text_; }
  const text::u16& days() const { return days_text_; }
  const text::u16& due() const { return due_text_; }
  const text::u16& sub_total() const { return sub_total_text_; }
  const text::u16& tax1() const { return tax1_text_; }
  const text::u16& tax2() const { return tax2_text_; }
  const text::u16& total() const { return total_text_; }
  const text::u16& comment() const { return comment_; }
  bool taxed() const { return taxed_; }
  bool free_allowed() const { return free_allowed_; }
  bool amend_allowed() const { return amend_allowed_; }
  // "Automatically offer item on rental": ask for an item at once and after each one added.
  bool auto_offer() const;
  int new_items() const;

  // Called after every change an action makes, so a screen can redraw between items.
  std::function<void()> changed;

  // "ITEM" and "Free item"; with auto offer the next item is asked for after each one added.
  // A value set means the screen closes that way (a scanner's end code finishes).
  std::optional<RentalEnd> add_items(bool free);
  // One item, steps 1 to 11; true when added. `finish` is set by a scanner's end code.
  bool add_item(bool free, bool& finish);

  void set_days(text::u16view typed);
  void set_sub_total(text::u16view typed);
  void set_total(text::u16view typed);
  void set_comment(text::u16view typed);
  // "Retail": a stock sale inside the rental; what it took joins the rental's sundries.
  bool retail_available() const { return ctx_.retail != nullptr; }
  void sell_retail();
  const text::u16& sundries() const { return sundries_text_; }
  // "Amend / Owe total".
  std::optional<RentalEnd> amend_or_owe();
  // "Finish" and Enter: refused (nullopt) while the total box does not hold an amount.
  std::optional<RentalEnd> finish();

  // For the finish.
  bool is_new(int slot) const { return new_[slot]; }
  bool is_free(int slot) const { return free_[slot]; }
  float running_total() const { return running_total_; }
  float previous_rentals() const { return previous_rentals_; }
  bool total_typed() const { return total_text_ != computed_total_text_; }
  float typed_total() const;
  float amend_total() const { return amend_total_; }
  // Today's takings before an amend/owe that finished the screen took its payment.
  std::optional<float> takings_before_amend() const { return takings_before_amend_; }
  RentalMode mode() const { return mode_; }

 private:
  void open();
  void show_due_for(int64_t days);
  std::optional<int64_t> ask_item_number(bool& finish);
  std::optional<int64_t> title_search(text::u16view typed);
  bool available(int64_t number, int first_empty);
  void show_alternative(const records::FilmRecord& film);
  bool previously_rented(int64_t number) const;
  void put_sub_total(float v);
  void notify() { if (changed) changed(); }

  records::Shop& shop_;
  const RentalContext& ctx_;
  RentalMode mode_;
  RentalMoney& money_;
  RentalHeader header_;
  std::array<bool, records::MemberRecord::kLoanSlots> new_{};
  std::array<bool, records::MemberRecord::kLoanSlots> free_{};
  std::vector<text::u16> items_;
  int credits_shown_ = 0;
  text::u16 credits_text_;
  int64_t rental_days_ = 0;
  text::u16 days_text_, due_text_;
  float sub_total_ = 0;
  text::u16 sub_total_text_, tax1_text_, tax2_text_, total_text_, computed_total_text_;
  bool taxed_ = false;
  float running_total_ = 0;
  float previous_rentals_ = 0;
  float amend_total_ = 0;
  std::optional<float> takings_before_amend_;
  text::u16 comment_;
  text::u16 sundries_text_;
  bool free_allowed_ = true;
  bool amend_allowed_ = true;
};

// Finishing step 11: the amounts the receipt of a finished rental shows. `items` are the items
// stamped on loan in this transaction, `cost` what it charged for them; stock sold with
// "Retail" comes from `money`.
RentalReceipt rental_receipt(const records::Shop& shop, const RentalModel& model, const RentalMoney& money,
                             std::vector<ReceiptItem> items, float cost);

// Helpers of the rental that other parts and tests use.
// The band counter element a film's rental counts under: 1 to 9 by band, 9 for anything else
// and for every day-return rental.
int band_counter_element(int band, bool day_return);
// Whether a dd/mm/yyyy expiry date lies before today; an empty or unreadable one never does.
bool expiry_passed(text::u16view expiry, const text::DateTime& today);

}  // namespace kelvo::counter
