#include "counter/sale_basket.h"

#include <algorithm>

#include "counter/offer_settings.h"
#include "counter/pricing.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
using records::StockRecord;

std::vector<StockListRow> stock_list(const records::Shop& shop) {
  // Read in slot order through one cursor, so the file is walked once whatever the numbering.
  std::vector<records::IndexEntry> live;
  for (const auto& e : shop.stock.index().entries())
    if (e.number > 0) live.push_back(e);
  std::vector<records::IndexEntry> by_slot = live;
  std::sort(by_slot.begin(), by_slot.end(), [](const auto& a, const auto& b) { return a.slot < b.slot; });
  std::map<int64_t, text::u16> text_of_slot;
  records::RecordCursor cursor = shop.stock.cursor();
  StockRecord r;
  for (const auto& e : by_slot) {
    if (shop.stock.read_slot(cursor, e.slot, r) != records::ReadResult::Ok) break;
    text_of_slot[e.slot] =
        text::format("%I64d %s,  %.2f (%d)", {r.number(), r.description(), r.sale_price(), r.quantity()});
  }
  std::vector<StockListRow> rows;
  for (const auto& e : live) {
    auto it = text_of_slot.find(e.slot);
    if (it != text_of_slot.end()) rows.push_back({e.number, std::move(it->second)});
  }
  return rows;
}

SaleBasket::SaleBasket(records::Shop& shop, Till& till) : shop_(shop), till_(till) {}

bool SaleBasket::add(int64_t number, int units) {
  StockRecord line;
  if (!records::read_stock(shop_, number, line)) return false;
  int in_basket = 0;
  for (const auto& [n, u] : lines_)
    if (n == number) in_basket = u;
  if (this->units() + units > kMaxUnits) {
    shop_.op().message(u"Limit", u"Total of 200 items reached.");
    return false;
  }
  if (line.quantity() < in_basket + units) {
    shop_.warn();
    platform::problem(shop_.op(), u"Out of stock.");
    return false;
  }
  auto it = std::find_if(lines_.begin(), lines_.end(), [&](const auto& p) { return p.first == number; });
  if (it == lines_.end()) lines_.push_back({number, units});
  else it->second += units;
  for (int i = 0; i < units; ++i) {
    units_.push_back(number);
    receipt_.items.push_back(SoldItem{line.description(), line.sale_price()});
    shown_.push_back(text::format("%I64d %s  %.2f", {number, line.description(), line.sale_price()}));
  }
  add_money(line.sale_price(), units);
  till_.pole_total(total());
  return true;
}

bool SaleBasket::add_typed(text::u16view typed) {
  auto number = read_whole_number(typed);
  if (!number || *number <= 0 || !shop_.stock.index().contains(*number)) {
    shop_.warn();
    platform::problem(shop_.op(), u"Unknown item.");
    return false;
  }
  return add(*number, 1);
}

// Each addition taxes only its own units. Tax 2 "on total + tax 1" is taken on these units'
// price and their own tax 1: taking it on the whole tax 1 shown so far would charge tax 2 on
// the earlier lines' tax 1 once more with every line added.
void SaleBasket::add_money(float price, int units) {
  const records::ConfigBlock& c = shop_.config;
  const float amount = price * static_cast<float>(units);
  sub_total_ += amount;
  if (!no_tax_on_stock_sale(c)) {
    float own_tax1 = 0;
    const int64_t rate1 = c.i64(cfg::kTax1Rate), rate2 = c.i64(cfg::kTax2Rate);
    if (c.i64(cfg::kTax1Active) != 0) own_tax1 = amount * static_cast<float>(rate1) / 10000.0f;
    tax1_ += own_tax1;
    if (c.i64(cfg::kTax2Active) != 0) {
      const float base = c.i64(cfg::kTax2OnTotal) != 0 ? amount + own_tax1 : amount;
      tax2_ += base * static_cast<float>(rate2) / 10000.0f;
    }
  }
  receipt_.tax1 = tax1_;
  receipt_.tax2 = tax2_;
  receipt_.total = total();
}

}  // namespace kelvo::counter
