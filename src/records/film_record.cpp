#include "records/film_record.h"

namespace kelvo::records {

uint32_t FilmRecord::hire_days_30() const {
  return (uint32_t{bytes_[800]} << 24) | (uint32_t{bytes_[801]} << 16) | (uint32_t{bytes_[802]} << 8) | bytes_[803];
}

void FilmRecord::set_hire_days_30(uint32_t v) {
  bytes_[800] = static_cast<uint8_t>(v >> 24);
  bytes_[801] = static_cast<uint8_t>(v >> 16);
  bytes_[802] = static_cast<uint8_t>(v >> 8);
  bytes_[803] = static_cast<uint8_t>(v);
}

int64_t FilmRecord::renter(int i) const {
  if (i < 8) return earlier_renters(i);
  return i == 8 ? previous_to_last_rental_by() : last_rental_by();
}

void FilmRecord::push_renter(int64_t member) {
  for (int i = 0; i < 7; ++i) set_earlier_renters(i, earlier_renters(i + 1));
  set_earlier_renters(7, previous_to_last_rental_by());
  set_previous_to_last_rental_by(last_rental_by());
  set_last_rental_by(member);
}

void FilmRecord::mark_hire_day(int d) {
  if (d == 0) return;
  if (d < 0 || d > 30) {
    set_hire_days_30(1);
    set_hire_days_7(1);
    return;
  }
  constexpr uint32_t kThirtyDays = (1u << 30) - 1;
  set_hire_days_30(((hire_days_30() << d) & kThirtyDays) | 1u);
  if (d > 6) {
    set_hire_days_7(1);
  } else {
    set_hire_days_7(static_cast<uint8_t>(((hire_days_7() << d) & 0x7f) | 1u));
  }
}

void FilmRecord::reset_for_new() {
  set_on_loan_to(0);
  set_rentals(0);
  set_return_date(u"");
  bytes_[2856] = 0;
  bytes_[2857] = 0;
  for (int i = 0; i < 8; ++i) set_earlier_renters(i, 0);
  set_previous_to_last_rental_by(0);
  set_last_rental_by(0);
  bytes_[796] = 0;
  set_hire_days_30(0);
  set_hire_days_7(0);
}

}  // namespace kelvo::records
