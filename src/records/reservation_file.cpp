#include "records/reservation_file.h"

#include <algorithm>
#include <vector>

#include "records/file_io.h"
#include "text/coding.h"

namespace kelvo::records {

namespace {

std::vector<uint8_t> empty_days() {
  std::vector<uint8_t> buf(kReservationDaySize * kReservationDays, 0);
  for (int n = 0; n < kReservationDays; ++n) text::put_i32(&buf[kReservationDaySize * n], n);
  return buf;
}

}  // namespace

bool create_reservation_file(const Shop& shop) {
  auto buf = empty_days();
  return write_file_atomic(shop.path(files::kReservations), buf.data(), buf.size());
}

bool roll_reservation_file(const Shop& shop, int d) {
  auto old = d > 27 ? std::nullopt : read_whole(shop.path(files::kReservations));
  if (!old) return create_reservation_file(shop);
  old->resize(kReservationDaySize * kReservationDays, 0);
  auto buf = empty_days();
  for (int from = d; from <= 27; ++from) {
    const int to = from - d;
    std::copy_n(&(*old)[kReservationDaySize * from], kReservationDaySize, &buf[kReservationDaySize * to]);
    text::put_i32(&buf[kReservationDaySize * to], to);
  }
  return write_file_atomic(shop.path(files::kReservations), buf.data(), buf.size());
}

int reservations_today(const Shop& shop) {
  constexpr size_t kCountOffset = 804;
  uint8_t count[4];
  if (read_at(shop.path(files::kReservations), kCountOffset, count, sizeof count) != sizeof count) return 0;
  return text::get_i32(count);
}

}  // namespace kelvo::records
