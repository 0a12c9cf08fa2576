#pragma once
// The model behind the member screen ("NEW MEMBER", "Amend member"): its boxes with their
// limits, the lists, the date choices, the membership fee of a new member, and the rules that
// turn them into a member record.
#include "catalogue/date_lists.h"
#include "catalogue/form_fields.h"
#include "records/shop.h"

namespace kelvo::catalogue {

enum class MemberField {
  Number, Title, Initial, MiddleName, Name, Road, Area, Town, PostCode, Telephone1, Telephone1Ext, Telephone2,
  Telephone2Ext, Email, DrivingLicence, Social, Comment1, Comment2, Family1, Family2, CreditCard,
  CreditCardExpiry, Pin, Rented, RentalCredits, Discount, MembershipFee,
};
constexpr size_t kMemberFieldCount = 27;

// "Add", "Add with 30 day expiry", "Add with 90 day expiry".
enum class MemberAddKind { Plain, Expiry30, Expiry90 };

constexpr int kHighestListedCategory = 3999;
constexpr int kMembershipTypes = 20;

class MemberForm {
 public:
  static MemberForm blank(records::Shop& shop, MemberAddKind kind);
  // rental_credits_shown: false hides the box (password control option, other operators).
  static MemberForm amend(const records::MemberRecord& member, int current_year, bool rental_credits_shown);

  FormLayout layout() const { return layout_; }
  // A refused new member comes back as "Amend member" without "&Next", but keeps its
  // editable number and the fee typed: the fee is money taken at the counter.
  void refuse() { layout_ = FormLayout::Retry; }
  text::u16 window_title() const { return layout_ == FormLayout::New ? u"NEW MEMBER" : u"Amend member"; }
  bool number_editable() const { return layout_ != FormLayout::Amend; }
  bool offers_next() const { return layout_ == FormLayout::New; }
  bool shows_fee() const { return layout_ != FormLayout::Amend; }
  bool number_focused() const { return number_focused_; }
  bool rental_credits_shown() const { return rental_credits_shown_; }

  void set(MemberField f, text::u16view v) { boxes_.set(static_cast<size_t>(f), v); }
  const text::u16& get(MemberField f) const { return boxes_.get(static_cast<size_t>(f)); }
  static int limit(MemberField f);

  int category = 1;            // list 1-3999
  int type_of_membership = 0;  // list 1-20, 0 = none chosen
  bool highlight_comment = false;
  DateChoice born, join, expiry;
  DateLists birth_lists() const { return catalogue::birth_lists(year_); }
  DateLists join_lists() const { return catalogue::join_lists(year_); }
  DateLists expiry_lists() const { return catalogue::expiry_lists(year_); }

  // The fee as read (0 when the box is not shown).
  float membership_fee() const;
  void store_into(records::MemberRecord& member) const;
  // The first check the record fails, in the screen's order, or nullptr.
  static const char16_t* refusal(const records::MemberRecord& member);

 private:
  MemberForm(FormLayout layout, int year);
  void load(const records::MemberRecord& m);
  FormLayout layout_;
  int year_;
  bool number_focused_ = false;
  bool rental_credits_shown_ = true;
  TextBoxes<kMemberFieldCount> boxes_;
};

// Whether the signed-on operator sees the rental credits box.
bool rental_credits_box_shown(const records::ConfigBlock& config);

}  // namespace kelvo::catalogue
