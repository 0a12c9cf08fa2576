#pragma once
// The stock file's maintenance: new, amended and deleted stock lines in mans.dat. A deleted
// line keeps its slot, which the next new line reuses before the file grows.
#include <cstdint>
#include <optional>

#include "counter/retail_views.h"
#include "records/shop.h"

namespace kelvo::counter {

// 1 when line 1 is free, else the first number after the unbroken run that starts at 1.
int64_t propose_stock_number(const records::Shop& shop);

// "&New line", "&Amend" and "&Delete" of the Retail menu; true when mans.dat changed.
bool new_stock_line(records::Shop& shop, StockLineScreen& screen);
bool amend_stock_line(records::Shop& shop, StockLineScreen& screen);
bool delete_stock_line(records::Shop& shop);

// The form's boxes read strictly into the record's fields; the refusal's message otherwise
// ("Number outside range." or "Invalid entry"). Text that is not a number never reads as 0.
struct StockLineFields {
  int64_t number = 0;
  text::u16 description;
  int32_t quantity = 0, reorder_quantity = 0;
  float cost_price = 0, sale_price = 0;
};
struct StockLineReading {
  std::optional<StockLineFields> fields;
  const char16_t* refusal = nullptr;
};
StockLineReading read_stock_line(const StockLineForm& form);

constexpr size_t kStockDescriptionLimit = 40;

}  // namespace kelvo::counter
