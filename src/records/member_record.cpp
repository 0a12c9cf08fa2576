#include "records/member_record.h"

namespace kelvo::records {

int MemberRecord::loan_slot_of(int64_t item) const {
  if (item == 0) return -1;
  for (int i = 0; i < kLoanSlots; ++i)
    if (on_loan(i) == item) return i;
  return -1;
}

int MemberRecord::free_loan_slot() const {
  for (int i = 0; i < kLoanSlots; ++i)
    if (on_loan(i) == 0) return i;
  return -1;
}

bool MemberRecord::holds_items() const {
  for (int i = 0; i < kLoanSlots; ++i)
    if (on_loan(i) != 0) return true;
  return false;
}

void MemberRecord::refresh_on_loan_flag() { set_on_loan_flag(holds_items() ? 2 : 0); }

void MemberRecord::record_return(int slot, text::u16view returned_stamp) {
  const int64_t item = on_loan(slot);
  const text::u16 rented_stamp = on_loan_rented(slot);
  set_on_loan(slot, 0);
  set_last_returned(returned_stamp);
  for (int i = 0; i < kHistory - 1; ++i) set_older_items(i, older_items(i + 1));
  set_older_items(kHistory - 1, previous_items(0));
  for (int i = 0; i < kHistory - 1; ++i) {
    set_previous_items(i, previous_items(i + 1));
    set_previous_rented(i, previous_rented(i + 1));
    set_previous_returned(i, previous_returned(i + 1));
  }
  set_previous_items(kHistory - 1, item);
  set_previous_rented(kHistory - 1, rented_stamp);
  set_previous_returned(kHistory - 1, returned_stamp);
  refresh_on_loan_flag();
}

void MemberRecord::reset_for_new() {
  set_owed(0);
  set_last_used(u"NEW");
  set_last_returned(u"");
  set_has_photo(0);
  set_on_loan_flag(0);
  set_transaction_amount(0);
  for (int i = 0; i < kLoanSlots; ++i) {
    set_previous_items(i, 0);
    set_previous_rented(i, u"");
    set_previous_returned(i, u"");
    set_on_loan(i, 0);
    set_older_items(i, 0);
    set_on_loan_rented(i, u"");
    set_on_loan_due(i, u"");
  }
}

}  // namespace kelvo::records
