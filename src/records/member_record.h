#pragma once
// Member record: one customer, 17660 bytes at slot x 17660 of member.dat.
#include "records/record_image.h"

namespace kelvo::records {

class MemberRecord : public RecordImage<17660> {
 public:
  static constexpr int kLoanSlots = 100;
  static constexpr int kHistory = 100;
  static constexpr int kCardLost = 1000;
  static constexpr int kCardSuspended = 2000;

  KELVO_I64(number, 0)
  KELVO_TEXT(title, 8, 12)
  KELVO_TEXT(initial, 20, 60)
  KELVO_TEXT(middle_name, 80, 60)
  KELVO_TEXT(name, 140, 60)
  KELVO_TEXT(road, 200, 60)
  KELVO_TEXT(area, 260, 60)
  KELVO_TEXT(town, 320, 60)
  KELVO_TEXT(post_code, 380, 20)
  KELVO_TEXT(telephone1, 400, 40)
  KELVO_TEXT(telephone2, 440, 40)
  KELVO_TEXT(telephone1_ext, 480, 40)
  KELVO_TEXT(telephone2_ext, 520, 80)
  KELVO_I32(category, 600)
  KELVO_I32(type_of_membership, 604)
  KELVO_TEXT(expiry, 608, 40)
  KELVO_TEXT(pin, 648, 40)
  KELVO_TEXT(comment1, 688, 60)
  KELVO_TEXT(credit_card, 748, 240)
  KELVO_TEXT(credit_card_expiry, 988, 120)
  KELVO_TEXT(family1, 1108, 60)
  KELVO_TEXT(family2, 1168, 60)
  KELVO_TEXT(driving_licence, 1228, 60)
  KELVO_TEXT(social, 1288, 60)
  KELVO_TEXT(transaction, 1348, 320)
  KELVO_I32(rented, 1668)
  KELVO_I32(rental_credits, 1672)
  KELVO_TEXT(comment2, 1676, 80)
  KELVO_TEXT(email, 1756, 80)
  KELVO_F32(discount, 1836)
  KELVO_TEXT(born, 1840, 24)
  KELVO_TEXT(join_date, 1864, 24)
  KELVO_TEXT(last_used, 1888, 32)
  KELVO_TEXT(last_returned, 1952, 128)
  KELVO_I32(highlight_comment, 2080)
  KELVO_I64_ARRAY(previous_items, 2440, 100)
  KELVO_TEXT_ARRAY(previous_rented, 3240, 32, 100)
  KELVO_TEXT_ARRAY(previous_returned, 6440, 32, 100)
  KELVO_F32(owed, 9640)
  KELVO_F32(transaction_amount, 9644)
  KELVO_I64(on_loan_flag, 9648)
  KELVO_I64_ARRAY(on_loan, 9656, 100)
  KELVO_I64_ARRAY(older_items, 10456, 100)
  KELVO_TEXT_ARRAY(on_loan_rented, 11256, 32, 100)
  KELVO_TEXT_ARRAY(on_loan_due, 14456, 32, 100)
  KELVO_I32(has_photo, 17656)

  // Index of the on_loan entry holding the item, or -1.
  int loan_slot_of(int64_t item) const;
  // Index of the first free on_loan entry, or -1 when all 100 are taken.
  int free_loan_slot() const;
  bool holds_items() const;
  // on_loan_flag := 2 when any entry is non-zero, else 0.
  void refresh_on_loan_flag();
  // Moves a returned loan into the history: the 100 most recent returns with their stamps,
  // the 100 before them as bare numbers.
  void record_return(int slot, text::u16view returned_stamp);
  // What a new member starts with: nothing owed, "NEW", no loans, no history.
  void reset_for_new();
};
static_assert(sizeof(MemberRecord) == 17660);

}  // namespace kelvo::records
