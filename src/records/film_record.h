#pragma once
// Film record: one rental item (film or game), 3040 bytes at slot x 3040 of film.dat.
#include "records/record_image.h"

namespace kelvo::records {

class FilmRecord : public RecordImage<3040> {
 public:
  KELVO_I64(number, 0)
  KELVO_TEXT(title, 8, 400)
  KELVO_TEXT(category, 408, 40)
  KELVO_TEXT(certificate, 448, 20)
  KELVO_TEXT(supplier, 468, 8)
  KELVO_TEXT(actor_1, 476, 80)
  KELVO_TEXT(director, 556, 40)
  KELVO_TEXT(format, 596, 40)
  KELVO_TEXT(actor_2, 636, 160)
  static constexpr size_t k_reserved_796 = 796;
  KELVO_TEXT(language, 806, 120)
  KELVO_TEXT(location, 926, 80)
  KELVO_TEXT(website, 1006, 560)
  KELVO_I32(charge_band, 1566)
  KELVO_TEXT(date_added, 1570, 22)
  KELVO_F32(cost, 1592)
  KELVO_TEXT(notes, 2688, 160)
  KELVO_I32(rentals, 2848)
  KELVO_F32(revenue, 2852)
  KELVO_TEXT(last_hire, 2856, 32)
  KELVO_TEXT(return_date, 2920, 32)
  KELVO_I64(on_loan_to, 2952)
  KELVO_I64_ARRAY(earlier_renters, 2960, 8)
  KELVO_I64(previous_to_last_rental_by, 3024)
  KELVO_I64(last_rental_by, 3032)

  // Rental days of the last 30 days, stored big-endian at 800: bit i = rented i days before
  // the day of last_hire.
  static constexpr size_t k_hire_days_30 = 800;
  uint32_t hire_days_30() const;
  void set_hire_days_30(uint32_t v);
  static constexpr size_t k_hire_days_7 = 804;
  uint8_t hire_days_7() const { return bytes_[804]; }
  void set_hire_days_7(uint8_t v) { bytes_[804] = v; }

  // The ten last renters in renting order, oldest first (index 9 is last_rental_by).
  int64_t renter(int i) const;
  // The window moves one place towards the oldest and the member becomes the last renter.
  void push_renter(int64_t member);
  // Day maps on a rental made d days (0-30, or 40 for long ago) after the last one.
  void mark_hire_day(int d);
  // A new record starts clean: nothing on loan, no history, no day maps.
  void reset_for_new();
};
static_assert(sizeof(FilmRecord) == 3040);

}  // namespace kelvo::records
