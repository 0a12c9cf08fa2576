// The money of a basket, its limits, and what a committed sale leaves on disk.
#include "rental_fixture.h"
#include "retail_fixture.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace kelvo::retailtest {
namespace {

using counter::SaleBasket;
using counter::StockLineForm;
using renttest::RentalEnd;
using renttest::RentalModel;

struct TaxCase {
  const char* name;
  int rate1, rate2;
  bool compound, no_tax_on_sales;
  std::vector<std::pair<int64_t, int>> presses;
  float sub_total, tax1, tax2;
};

// Lines 1 (10.00) and 2 (2.50). Tax 2 on total + tax 1 is taken on each addition's own price
// and own tax 1: three additions of 10.00 at 10% and 5% carry 0.55 of tax 2 each, 1.65 in all
// (the whole tax 1 shown so far would have made it 1.80).
TEST_F(RetailTest, BasketTaxesFollowEachAddition) {
  const TaxCase cases[] = {
      {"untaxed", 0, 0, false, false, {{1, 1}, {2, 2}}, 15.00f, 0, 0},
      {"tax 1 only", 1000, 0, false, false, {{1, 1}, {2, 2}}, 15.00f, 1.50f, 0},
      {"both taxes, simple", 1000, 500, false, false, {{1, 1}, {2, 2}}, 15.00f, 1.50f, 0.75f},
      {"compound, one line", 1000, 500, true, false, {{1, 1}}, 10.00f, 1.00f, 0.55f},
      {"compound, three additions", 1000, 500, true, false, {{1, 1}, {1, 1}, {1, 1}}, 30.00f, 3.00f, 1.65f},
      {"compound, two lines and x 2", 1000, 500, true, false, {{1, 1}, {2, 2}, {1, 1}}, 25.00f, 2.50f, 1.375f},
      {"compound without tax 1", 0, 500, true, false, {{1, 1}, {2, 2}}, 15.00f, 0, 0.75f},
      {"no tax on stock sale", 1000, 500, true, true, {{1, 1}, {2, 2}}, 15.00f, 0, 0},
  };
  line(1, u"Popcorn tub", 50, 10.00f);
  line(2, u"Cola", 50, 2.50f);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    taxes(c.rate1, c.rate2, c.compound);
    shop_.config.set_i32(cfg::kNoTaxOnStockSale, c.no_tax_on_sales ? 2 : 0);
    screens_.till.clear();
    SaleBasket b(shop_, screens_);
    for (auto [n, u] : c.presses) ASSERT_TRUE(b.add(n, u));
    EXPECT_FLOAT_EQ(b.sub_total(), c.sub_total);
    EXPECT_NEAR(b.tax1(), c.tax1, 1e-5);
    EXPECT_NEAR(b.tax2(), c.tax2, 1e-5);
    EXPECT_FLOAT_EQ(b.total(), c.sub_total + c.tax1 + c.tax2);
    EXPECT_EQ(b.total_text(), text::format("%.2f", {c.sub_total + c.tax1 + c.tax2}));
    // The pole display shows the total after every addition.
    ASSERT_EQ(screens_.till.size(), c.presses.size());
    EXPECT_EQ(screens_.till.back(), text::to_utf8(text::format("pole %.2f", {b.total()})));
  }
}

struct LimitCase {
  const char* name;
  int quantity;
  std::vector<int> presses;  // units per press of one line
  int units_after;
  const char* last_message;  // "" for none
};

TEST_F(RetailTest, BasketRefusesBeyondStockAndTwoHundredUnits) {
  const LimitCase cases[] = {
      {"quantity 1, Add x 2", 1, {2}, 0, "Problem|Out of stock."},
      {"quantity 1, Add then Add", 1, {1, 1}, 1, "Problem|Out of stock."},
      {"exactly the quantity", 3, {2, 1}, 3, ""},
      {"200th unit", 500, std::vector<int>(100, 2), 200, ""},
      {"201st unit", 500, [] { auto v = std::vector<int>(100, 2); v.push_back(1); return v; }(), 200,
       "Limit|Total of 200 items reached."},
      {"Add x 2 at 199", 500, [] { auto v = std::vector<int>(99, 2); v.push_back(1); v.push_back(2); return v; }(),
       199, "Limit|Total of 200 items reached."},
  };
  int n = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    line(n, u"Sweets", c.quantity, 1.00f);
    op_.messages.clear();
    SaleBasket b(shop_, screens_);
    for (int u : c.presses) b.add(n, u);
    EXPECT_EQ(b.units(), c.units_after);
    const std::string last = op_.messages.empty() ? "" : op_.messages.back().caption + "|" + op_.messages.back().body;
    EXPECT_EQ(last, c.last_message);
    ++n;
  }
}

TEST_F(RetailTest, ScannerFormReadsTheLineNumberStrictly) {
  line(5, u"Batteries", 4, 3.00f);
  const std::pair<const char16_t*, bool> cases[] = {
      {u"5", true}, {u" 5 ", true}, {u"6", false}, {u"5x", false}, {u"", false}, {u"0", false}, {u"-5", false}};
  for (auto [typed, added] : cases) {
    SCOPED_TRACE(text::to_utf8(typed));
    op_.messages.clear();
    SaleBasket b(shop_, screens_);
    EXPECT_EQ(b.add_typed(typed), added);
    EXPECT_EQ(op_.saw("Problem", "Unknown item."), !added);
  }
}

// Lines 7 and 11 are sold; mans.dat changes in their quantities only, line 7's own total grows
// and line 11 has none.
TEST_F(RetailTest, CommittedSaleWritesStockTotalsAndLogExactly) {
  line(7, u"Popcorn", 10, 2.50f);
  line(11, u"Cola", 5, 1.20f);
  auto before = *records::read_whole(shop_.path("mans.dat"));
  takings(10.00f);
  basket({{7, 2}, {11, 1}, {7, 1}});
  const auto result = counter::sell_stock(shop_, context(), false);
  ASSERT_TRUE(result.sold);
  EXPECT_EQ(result.units, 4);
  EXPECT_FLOAT_EQ(result.total, 8.70f);

  auto after = *records::read_whole(shop_.path("mans.dat"));
  ASSERT_EQ(after.size(), before.size());
  const int64_t slot7 = *shop_.stock.index().find(7), slot11 = *shop_.stock.index().find(11);
  text::put_i32(&before[slot7 * 3116 + 1332], 7);
  text::put_i32(&before[slot11 * 3116 + 1332], 4);
  EXPECT_EQ(after, before);

  const auto& c = shop_.config;
  EXPECT_FLOAT_EQ(c.f32(cfg::kStockLineSales + 4 * 6), 7.50f);
  for (int i = 0; i < 10; ++i)
    if (i != 6) {
      EXPECT_EQ(c.f32(cfg::kStockLineSales + 4 * i), 0.0f) << "line " << i + 1;
    }
  EXPECT_FLOAT_EQ(c.takings_today(), 18.70f);
  EXPECT_FLOAT_EQ(c.f32(cfg::kStockSalesToday), 8.70f);
  EXPECT_EQ(log_text(), "\r\n14:05 07/12/2026 Sale: Items 4, Total: 8.70\r\nToday's takings: 18.70\r\n");
  // wr.cfg holds the same figures: they were committed with the sale.
  records::ConfigBlock stored;
  ASSERT_TRUE(stored.load(shop_.path("wr.cfg")));
  EXPECT_FLOAT_EQ(stored.f32(cfg::kStockSalesToday), 8.70f);

  EXPECT_EQ(screens_.till, (std::vector<std::string>{"pole 5.00", "pole 6.20", "pole 8.70", "passive", "drawer",
                                                     "pole 8.70", "passive"}));
  ASSERT_EQ(sale_.cash.size(), 1u);
  EXPECT_EQ(sale_.cash[0].money.total_due, u"8.70");
  EXPECT_TRUE(sale_.cash[0].page_receipt);
  EXPECT_EQ(sale_.cash[0].receipt.items.size(), 4u);
  EXPECT_EQ(sale_.cash[0].receipt.member, 0);  // not the member last served: no heading
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"Sale of 4 items", "Total: 8.70", "  "}));
}

TEST_F(RetailTest, SaleListAndFormFollowTheSetting) {
  line(2, u"Cola", 5, 1.20f);
  line(1, u"Popcorn", 0, 2.50f);
  counter::sell_stock(shop_, context(), false);
  shop_.config.set_i32(cfg::kSundrySaleByScanner, 2);
  counter::sell_stock(shop_, context(), false);
  ASSERT_EQ(sale_.forms, (std::vector<counter::SaleForm>{counter::SaleForm::List, counter::SaleForm::Scanner}));
  ASSERT_EQ(sale_.lists[0].size(), 2u);
  EXPECT_EQ(sale_.lists[0][0].text, u"1 Popcorn,  2.50 (0)");
  EXPECT_EQ(sale_.lists[0][1].text, u"2 Cola,  1.20 (5)");
  EXPECT_TRUE(sale_.lists[1].empty());
  EXPECT_TRUE(log_text().empty());
}

// A sale that cannot be written whole changes nothing at all: the stock file, the takings and
// wr.cfg stay as they were, and the operator is told which file is missing. The stock sale
// loses its file while the basket is being filled, after every line was read.
TEST_F(RetailTest, MissingFileRefusesEverySaleAndChangesNothing) {
  line(3, u"Crisps", 9, 0.80f);
  shop_.save_config();
  std::map<std::string, std::vector<uint8_t>> files;
  records::ConfigBlock config;
  std::function<void()> lose_file;
  auto stock_sale = [&] {
    sale_.sale = [&](SaleBasket& b) {
      EXPECT_TRUE(b.add(3, 2));
      lose_file();
      return true;
    };
    return counter::sell_stock(shop_, context(), false).sold;
  };
  auto sell_film = [&] {
    lose_file();
    op_.type(u"7");
    sale_.prices = {u"3.00"};
    return counter::sell_rental_item(shop_, context(), views_, sale_);
  };
  auto non_inventory = [&] {
    lose_file();
    sale_.non_inventory = [](counter::NonInventoryModel& m) {
      m.set_price(u"4.00");
      return true;
    };
    return counter::sell_non_inventory(shop_, context(), sale_);
  };
  // Without mans.dat neither the "Sale" list nor the "New line" form opens; lost while that
  // form is typed, the write is a fatal error too.
  auto opened = [&](bool typed, std::function<bool()> start) {
    sale_.stock_forms = {StockLineForm{u"4", u"Nuts", u"5", u"1.00", u"2.00", u"1"}};
    sale_.stock_form_shown = typed ? lose_file : [] {};
    if (!typed) lose_file();
    const size_t shown = sale_.forms.size() + sale_.stock_titles.size();
    const bool done = start();
    EXPECT_EQ(sale_.forms.size() + sale_.stock_titles.size(), shown + typed);
    sale_.stock_form_shown = [] {};
    return done;
  };
  auto new_line = [&] { return counter::new_stock_line(shop_, sale_); };
  auto sale_list = [&] { return counter::sell_stock(shop_, context(), false).sold; };
  const std::tuple<const char*, const char*, std::function<bool()>> cases[] = {
      {"stock sale", "mans.dat", stock_sale},
      {"sale list", "mans.dat", [&] { return opened(false, sale_list); }},
      {"new line", "mans.dat", [&] { return opened(false, new_line); }},
      {"new line typed", "mans.dat", [&] { return opened(true, new_line); }},
      {"stock sale", "lgb4.dat", stock_sale},
      {"non inventory", "lgb4.dat", non_inventory},
      {"sell film", "lgb4.dat", sell_film},
  };
  for (const auto& [name, file, sell] : cases) {
    SCOPED_TRACE(std::string(name) + " without " + file);
    const auto path = shop_.path(file);
    const auto kept = records::read_whole(path);
    lose_file = [&, path] {
      std::filesystem::remove(path);
      // A log that cannot be opened for appending: a folder where the file should be.
      if (path.filename() == "lgb4.dat") std::filesystem::create_directory(path);
      files = folder_bytes();
      config = shop_.config;
    };
    op_.messages.clear();
    op_.activity_lines.clear();
    screens_.till.clear();

    EXPECT_FALSE(sell());
    EXPECT_TRUE(op_.saw("Fatal error", std::string("Data file: ") + file + ", not present."));
    EXPECT_EQ(folder_bytes(), files);
    EXPECT_EQ(std::memcmp(config.data(), shop_.config.data(), cfg::kSize), 0);
    EXPECT_TRUE(op_.activity_lines.empty());
    EXPECT_EQ(std::count(screens_.till.begin(), screens_.till.end(), "drawer"), 0);

    std::filesystem::remove_all(path);
    if (kept) {
      ASSERT_TRUE(records::write_file_atomic(path, kept->data(), kept->size()));
    }
  }
  EXPECT_EQ(line_on_file(3).quantity(), 9);
  EXPECT_TRUE(shop_.films.index().contains(7));
}

// The rental screen's "Retail": the sale is on file at once, its total joins the rental's
// cash tendered screen as sundries, and its own receipt is headed by the member.
class RetailInRentalTest : public renttest::RentalTest {};

class SaleReceiptRecorder : public counter::SaleReceipts {
 public:
  void print_sale_receipt(const counter::SaleReceipt& sale, counter::SaleReceiptForm) override {
    printed.push_back(sale);
  }
  std::vector<counter::SaleReceipt> printed;
};

TEST_F(RetailInRentalTest, SaleJoinsTheRentalsCashTendered) {
  ScriptedSaleScreens sale;
  records::StockRecord sweets;
  sweets.set_number(4);
  sweets.set_description(u"Sweets");
  sweets.set_quantity(9);
  sweets.set_sale_price(2.00f);
  ASSERT_TRUE(records::add_stock(shop_, sweets));
  sale.sale = [](counter::SaleBasket& b) { return b.add(4, 2); };
  SaleReceiptRecorder printer;
  const counter::SaleContext sale_context{sale, sale, screens_, &printer};
  counter::RentalContext ctx = context();
  ctx.retail = &sale_context;
  screen_.script = [&](RentalModel& m) {
    op_.type(u"8");
    EXPECT_FALSE(m.add_items(false).has_value());
    m.sell_retail();
    EXPECT_EQ(m.sundries(), u"4.00");
    return RentalEnd::Finish;
  };
  op_.type(u"42");
  ASSERT_TRUE(counter::rent(shop_, ctx, counter::RentalRequest{counter::RentalMode::normal(), 0}).finished);

  ASSERT_EQ(screens_.cash_models.size(), 1u);
  EXPECT_EQ(screens_.cash_models[0].rental, u"1.50");
  EXPECT_EQ(screens_.cash_models[0].sundries, u"4.00");
  EXPECT_EQ(screens_.cash_models[0].total_due, u"5.50");
  EXPECT_FLOAT_EQ(screens_.cash_models[0].receipt.sundries, 4.00f);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 5.50f);
  screens_.cash_models[0].print_sale_receipt();
  ASSERT_EQ(printer.printed.size(), 1u);
  EXPECT_EQ(printer.printed[0].member, 42);
  records::StockRecord on_file;
  ASSERT_TRUE(records::read_stock(shop_, 4, on_file));
  EXPECT_EQ(on_file.quantity(), 7);
  EXPECT_TRUE(sale.cash.empty());
}

}  // namespace
}  // namespace kelvo::retailtest
