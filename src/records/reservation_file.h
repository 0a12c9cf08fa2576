#pragma once
// resn.dat: 30 day records of 29,092 bytes; record n holds the reservations for today + n.
#include <cstdint>

#include "records/shop.h"

namespace kelvo::records {

constexpr size_t kReservationDaySize = 29092;
constexpr int kReservationDays = 30;

// A fresh file of 30 empty day records, day index 0 to 29. False when it cannot be written.
bool create_reservation_file(const Shop& shop);
// Moves the file forward by d days: records d to 27 become 0 to 27 - d, the rest empty.
// Recreates it empty when d > 27 or the file cannot be opened. False when that fails too.
bool roll_reservation_file(const Shop& shop, int d);
// The number of reservations in today's record (record 0); 0 when the file cannot be read.
int reservations_today(const Shop& shop);

}  // namespace kelvo::records
