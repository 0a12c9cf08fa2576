#pragma once
// A day record of resn.dat: the reservations for today + n days, 29092 bytes at n x 29092.
//
// | offset | size     | field                                                     |
// |      0 | 4        | day index n                                               |
// |      4 | 4 x 200  | entry state, 2 = in use, 0 = free                         |
// |    804 | 4        | entries in use (0 to 200)                                 |
// |    808 | 4        | reserved, 0                                               |
// |    812 | 60 x 202 | member text of entries 0 to 201, 30 UTF-16 characters     |
// |  12932 | 80 x 202 | item text of entries 0 to 201, 40 UTF-16 characters       |
//
// Entries in use are held contiguous from entry 0; entries 200 and 201 are never used.
#include <cstring>

#include "records/record_image.h"

namespace kelvo::catalogue {

class ReservationDay : public records::RecordImage<29092> {
 public:
  static constexpr int kEntries = 200;
  static constexpr int kInUse = 2;

  KELVO_I32(day_index, 0)
  KELVO_I32(count, 804)
  int32_t state(int i) const { return i32_at(k_states + 4 * static_cast<size_t>(i)); }
  void set_state(int i, int32_t v) { put_i32_at(k_states + 4 * static_cast<size_t>(i), v); }
  KELVO_TEXT_ARRAY(member, 812, 60, 202)
  KELVO_TEXT_ARRAY(item, 12932, 80, 202)
  static constexpr size_t k_states = 4;

  // Entry `from` (state, member text and item text, byte for byte) over entry `to`.
  void copy_entry(int from, int to) {
    set_state(to, state(from));
    std::memcpy(&bytes_[k_member + 60 * static_cast<size_t>(to)], &bytes_[k_member + 60 * static_cast<size_t>(from)], 60);
    std::memcpy(&bytes_[k_item + 80 * static_cast<size_t>(to)], &bytes_[k_item + 80 * static_cast<size_t>(from)], 80);
  }
};
static_assert(sizeof(ReservationDay) == 29092);

}  // namespace kelvo::catalogue
