#pragma once
// A shop with stock lines on file, the sale screens answered from a script, and the till and
// receipts remembered.
#include <functional>
#include <map>

#include "counter/non_inventory.h"
#include "counter/sale_basket.h"
#include "counter/stock_lines.h"
#include "counter/stock_sale.h"
#include "payment_fixture.h"

namespace kelvo::retailtest {

namespace cfg = records::cfg;

class ScriptedSaleScreens : public counter::SaleScreen,
                            public counter::SaleCashScreen,
                            public counter::StockLineScreen,
                            public counter::NonInventoryScreen,
                            public counter::RentalItemSaleScreen {
 public:
  // The person at the "Sale" screen; returns true for Commit.
  std::function<bool(counter::SaleBasket&)> sale = [](counter::SaleBasket&) { return false; };
  std::vector<counter::SaleForm> forms;
  std::vector<std::vector<counter::StockListRow>> lists;
  std::vector<counter::SaleCashView> cash;
  std::deque<std::optional<counter::StockLineForm>> stock_forms;  // nullopt: Cancel
  std::vector<std::u16string> stock_titles;
  std::function<void()> stock_form_shown = [] {};  // while the operator types
  std::function<bool(counter::NonInventoryModel&)> non_inventory = [](counter::NonInventoryModel&) { return false; };
  std::deque<std::optional<std::u16string>> prices;  // "Sale of rental item"; nullopt: Cancel
  const records::ConfigBlock* config = nullptr;

  bool run_sale(counter::SaleBasket& b, counter::SaleForm f, const std::vector<counter::StockListRow>& rows) override {
    forms.push_back(f);
    lists.push_back(rows);
    return sale(b);
  }
  void show_sale_cash(counter::SaleCashView& v, counter::SaleReceipts*) override { cash.push_back(v); }
  std::optional<counter::StockLineForm> edit_stock_line(text::u16view title, const counter::StockLineForm&) override {
    stock_titles.emplace_back(title);
    stock_form_shown();
    return paytest::next(stock_forms, std::optional<counter::StockLineForm>{});
  }
  bool run_non_inventory(counter::NonInventoryModel& m) override { return non_inventory(m); }
  std::optional<counter::AmountFigures> ask_sale_price(int64_t, text::u16view) override {
    auto typed = paytest::next(prices, std::optional<std::u16string>{});
    if (!typed) return std::nullopt;
    counter::AmountModel model(*config);
    model.set_sub_total(*typed);
    return model.figures();
  }
};

class RetailTest : public paytest::PaymentTest {
 protected:
  void SetUp() override {
    PaymentTest::SetUp();
    sale_.config = &shop_.config;
    op_.messages.clear();
  }
  // A stock line stored as the "New stock line" screen stores it.
  void line(int64_t n, std::u16string description, int quantity, float price) {
    records::StockRecord r;
    r.set_number(n);
    r.set_description(description);
    r.set_quantity(quantity);
    r.set_sale_price(price);
    r.set_cost_price(price / 2);
    ASSERT_TRUE(records::add_stock(shop_, r));
  }
  records::StockRecord line_on_file(int64_t n) {
    records::StockRecord r;
    EXPECT_TRUE(records::read_stock(shop_, n, r));
    return r;
  }
  counter::SaleContext context() { return counter::SaleContext{sale_, sale_, screens_, nullptr}; }
  // The basket the script fills: each pair a line and the units of one press.
  void basket(std::vector<std::pair<int64_t, int>> presses, bool commit = true) {
    sale_.sale = [presses, commit](counter::SaleBasket& b) {
      for (auto [n, u] : presses) b.add(n, u);
      return commit;
    };
  }
  // Every file of the shop folder, byte for byte.
  std::map<std::string, std::vector<uint8_t>> folder_bytes() const {
    std::map<std::string, std::vector<uint8_t>> out;
    for (const auto& e : std::filesystem::directory_iterator(folder_))
      if (e.is_regular_file()) out[e.path().filename().string()] = *records::read_whole(e.path());
    return out;
  }
  void taxes(int rate1, int rate2, bool compound) {
    auto& c = shop_.config;
    c.set_i64(cfg::kTax1Active, rate1 > 0);
    c.set_i64(cfg::kTax1Rate, rate1);
    c.set_i64(cfg::kTax2Active, rate2 > 0);
    c.set_i64(cfg::kTax2Rate, rate2);
    c.set_i64(cfg::kTax2OnTotal, compound ? 1 : 0);
  }

  ScriptedSaleScreens sale_;
};

}  // namespace kelvo::retailtest
