#pragma once
// Stock line: one retail line, 3116 bytes at slot x 3116 of mans.dat.
#include "records/record_image.h"

namespace kelvo::records {

class StockRecord : public RecordImage<3116> {
 public:
  KELVO_I64(number, 0)
  KELVO_TEXT(description, 88, 1244)
  KELVO_I32(quantity, 1332)
  KELVO_I32(reorder_quantity, 1336)
  KELVO_F32(cost_price, 1476)
  KELVO_F32(sale_price, 1484)
};
static_assert(sizeof(StockRecord) == 3116);

}  // namespace kelvo::records
