// The stock file's maintenance, "Non inventory sale" and "Sell film".
#include "retail_fixture.h"

namespace kelvo::retailtest {
namespace {

using counter::StockLineForm;

StockLineForm form(std::u16string number, std::u16string quantity = u"5", std::u16string cost = u"1.00",
                   std::u16string sale = u"2.50", std::u16string reorder = u"2") {
  return StockLineForm{std::move(number), u"Popcorn", std::move(quantity), std::move(cost), std::move(sale),
                       std::move(reorder)};
}

TEST_F(RetailTest, ProposedNumberFollowsTheRunFromOne) {
  const std::pair<std::vector<int64_t>, int64_t> cases[] = {
      {{}, 1}, {{2, 3}, 1}, {{1, 2}, 3}, {{1, 2, 4}, 3}, {{1, 2, 3, 10}, 4}};
  for (const auto& [lines, proposed] : cases) {
    records::NumberIndex index;
    std::vector<records::IndexEntry> entries{{-1, 0}};
    for (size_t i = 0; i < lines.size(); ++i) entries.push_back({lines[i], static_cast<int64_t>(i + 1)});
    shop_.stock.index().build(entries);
    EXPECT_EQ(counter::propose_stock_number(shop_), proposed) << ::testing::PrintToString(lines);
  }
}

// Each refused form shows its message and the screen comes back; only the last form is stored.
TEST_F(RetailTest, NewStockLineChecksEveryBox) {
  line(1, u"Cola", 3, 1.20f);
  const std::pair<StockLineForm, const char*> refused[] = {
      {form(u"0"), "Number outside range."},
      {form(u"100000000000000001"), "Number outside range."},
      {form(u"12ab"), "Number outside range."},
      {form(u"2", u"-1"), "Invalid entry"},
      {form(u"2", u"five"), "Invalid entry"},
      {form(u"2", u"5", u"-0.01"), "Invalid entry"},
      {form(u"2", u"5", u"1.00", u""), "Invalid entry"},
      {form(u"2", u"5", u"1.00", u"2.50", u"-2"), "Invalid entry"},
      {form(u"1"), "Number in use."},
  };
  for (const auto& [f, message] : refused) sale_.stock_forms.push_back(f);
  sale_.stock_forms.push_back(form(u"100000000000000000"));
  const auto size_before = std::filesystem::file_size(shop_.path("mans.dat"));

  ASSERT_TRUE(counter::new_stock_line(shop_, sale_));
  ASSERT_EQ(op_.messages.size(), std::size(refused));
  for (size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_EQ(op_.messages[i].caption, "Problem");
    EXPECT_EQ(op_.messages[i].body, refused[i].second) << i;
  }
  EXPECT_EQ(sale_.stock_titles.front(), u"New stock line");
  EXPECT_EQ(std::filesystem::file_size(shop_.path("mans.dat")), size_before + 3116);

  // Byte-exact: the fields at their offsets, the rest zero.
  records::StockRecord expected;
  expected.set_number(100000000000000000LL);
  expected.set_description(u"Popcorn");
  expected.set_quantity(5);
  expected.set_reorder_quantity(2);
  expected.set_cost_price(1.00f);
  expected.set_sale_price(2.50f);
  const auto bytes = *records::read_whole(shop_.path("mans.dat"));
  const int64_t slot = *shop_.stock.index().find(100000000000000000LL);
  ASSERT_EQ(slot, 1);
  EXPECT_TRUE(std::equal(expected.data(), expected.data() + 3116, bytes.begin() + slot * 3116));
  EXPECT_EQ(text::get_i64(&bytes[slot * 3116]), 100000000000000000LL);
  EXPECT_EQ(text::get_u16(&bytes[slot * 3116 + 88]), u'P');
  EXPECT_EQ(text::get_i32(&bytes[slot * 3116 + 1332]), 5);
  EXPECT_EQ(text::get_i32(&bytes[slot * 3116 + 1336]), 2);
  EXPECT_EQ(text::get_f32(&bytes[slot * 3116 + 1476]), 1.00f);
  EXPECT_EQ(text::get_f32(&bytes[slot * 3116 + 1484]), 2.50f);
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"New stock line: 100000000000000000 Popcorn", "  ",
                                                          "Stock records: 2 (0 deleted)", "  "}));
}

TEST_F(RetailTest, DeletedLineKeepsItsSlotForTheNextNewLine) {
  line(1, u"Cola", 3, 1.20f);
  line(2, u"Crisps", 3, 0.80f);
  line(3, u"Sweets", 3, 0.50f);
  const int64_t slot3 = *shop_.stock.index().find(3);
  const auto size = std::filesystem::file_size(shop_.path("mans.dat"));

  op_.type(u"3");
  ASSERT_TRUE(counter::delete_stock_line(shop_));
  EXPECT_TRUE(op_.saw("Delete stock line", "Line deleted."));
  const auto bytes = *records::read_whole(shop_.path("mans.dat"));
  EXPECT_EQ(text::get_i64(&bytes[slot3 * 3116]), -1);
  EXPECT_EQ(shop_.stock.counts().deleted, 1);
  EXPECT_EQ(counter::propose_stock_number(shop_), 3);

  op_.type(u"3");
  EXPECT_FALSE(counter::delete_stock_line(shop_));
  EXPECT_TRUE(op_.saw("Delete stock line", "Line does not exist"));

  sale_.stock_forms.push_back(form(u"3"));
  ASSERT_TRUE(counter::new_stock_line(shop_, sale_));
  EXPECT_EQ(*shop_.stock.index().find(3), slot3);
  EXPECT_EQ(std::filesystem::file_size(shop_.path("mans.dat")), size);
  EXPECT_EQ(shop_.stock.counts().deleted, 0);
  EXPECT_EQ(line_on_file(3).description(), u"Popcorn");
}

TEST_F(RetailTest, AmendRewritesInPlaceButNeverTheNumber) {
  line(6, u"Cola", 3, 1.20f);
  op_.type(u"6");
  sale_.stock_forms = {form(u"6", u"x"), form(u"6", u"40", u"1.00", u"1.35")};
  ASSERT_TRUE(counter::amend_stock_line(shop_, sale_));
  EXPECT_TRUE(op_.saw("Problem", "Invalid entry"));
  EXPECT_EQ(sale_.stock_titles.back(), u"Amend stock");
  EXPECT_EQ(line_on_file(6).quantity(), 40);
  EXPECT_EQ(line_on_file(6).sale_price(), 1.35f);

  op_.type(u"6");
  sale_.stock_forms = {form(u"9")};
  EXPECT_FALSE(counter::amend_stock_line(shop_, sale_));
  EXPECT_TRUE(op_.saw("Problem", "Not possible to change number"));
  EXPECT_FALSE(shop_.stock.index().contains(9));

  op_.type(u"8");
  EXPECT_FALSE(counter::amend_stock_line(shop_, sale_));
  EXPECT_TRUE(op_.saw("Problem", "Line does not exist"));
}

TEST_F(RetailTest, PricePadBuildsAnAmount) {
  const std::pair<const char*, const char16_t*> cases[] = {
      {"12.5", u"12.5"}, {".5", u"0.5"}, {"1..2", u"1.2"}, {"3.456", u"3.45"}, {"7<8", u"8"}, {"2C4", u"4"}};
  for (auto [keys, shown] : cases) {
    counter::NonInventoryModel m(shop_.config);
    for (const char* k = keys; *k; ++k) {
      if (*k == '<') m.price_backspace();
      else if (*k == 'C') m.clear_price();
      else m.price_key(static_cast<char16_t>(*k));
    }
    EXPECT_EQ(m.price_text(), shown) << keys;
  }
}

TEST_F(RetailTest, NonInventorySaleBooksWhatTheCustomerPays) {
  taxes(1000, 0, false);
  takings(2.00f);
  int shown = 0;
  sale_.non_inventory = [&](counter::NonInventoryModel& m) {
    ++shown;
    m.set_description(u"Lottery");
    if (shown == 1) {
      m.set_price(u"4,00");  // not an amount: refused, never 0
      return true;
    }
    m.quick_price(4);
    EXPECT_EQ(m.nett(), u"4.00");
    EXPECT_EQ(m.tax1(), u"0.40");
    EXPECT_EQ(m.total(), u"4.40");
    return true;
  };
  ASSERT_TRUE(counter::sell_non_inventory(shop_, context(), sale_));
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(op_.saw("Problem", "Invalid amount"));
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 6.40f);
  EXPECT_FLOAT_EQ(shop_.config.f32(cfg::kStockSalesToday), 4.40f);
  EXPECT_EQ(log_text(), "\r\nNon inventory item sale: Lottery\r\nPrice: 4.40   Today's takings: 6.40\r\n");
  ASSERT_EQ(sale_.cash.size(), 1u);
  EXPECT_FALSE(sale_.cash[0].page_receipt);
  EXPECT_EQ(sale_.cash[0].till_form, counter::SaleReceiptForm::SingleTill);
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"Non inventory item: Lottery", "Price: 4.40", "  "}));
  EXPECT_EQ(screens_.till.back(), "passive");
}

TEST_F(RetailTest, SellFilmDeletesItInPlaceWithItsMoney) {
  taxes(1000, 0, false);
  takings(1.00f);
  const int64_t slot = *shop_.films.index().find(7);
  auto before = *records::read_whole(shop_.path("film.dat"));
  op_.type(u"7");
  sale_.prices = {u"-1.00", u"ten", u"10.00"};
  ASSERT_TRUE(counter::sell_rental_item(shop_, context(), views_, sale_));
  EXPECT_EQ(std::count_if(op_.messages.begin(), op_.messages.end(),
                          [](const auto& m) { return m.caption == "Problem" && m.body == "Invalid amount"; }),
            2);
  // The record stays where it was: number -1 and the title cleared, nothing else touched.
  const auto after = *records::read_whole(shop_.path("film.dat"));
  ASSERT_EQ(after.size(), before.size());
  records::FilmRecord deleted;
  std::copy_n(before.begin() + slot * 3040, 3040, deleted.data());
  deleted.set_number(-1);
  deleted.set_title(u"");
  EXPECT_TRUE(std::equal(deleted.data(), deleted.data() + 3040, after.begin() + slot * 3040));
  EXPECT_FALSE(shop_.films.index().contains(7));
  EXPECT_EQ(shop_.films.index().first_deleted_slot(), slot);

  const auto& c = shop_.config;
  EXPECT_FLOAT_EQ(c.takings_today(), 12.00f);
  EXPECT_FLOAT_EQ(c.f32(cfg::kItemsSoldCount), 1.0f);
  EXPECT_FLOAT_EQ(c.f32(cfg::kItemsSoldAmount), 11.00f);
  EXPECT_EQ(log_text(), "\r\nFilm 7, Gone Fishing sold for 11.00.\r\n");
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"Film deleted: 7 Gone Fishing", "Sold for 11.00", "  "}));
  ASSERT_EQ(sale_.cash.size(), 1u);
  EXPECT_EQ(sale_.cash[0].money.total_due, u"11.00");
}

TEST_F(RetailTest, FilmOnLoanIsNotSold) {
  records::FilmRecord f;
  ASSERT_TRUE(records::read_film(shop_, 7, f));
  f.set_on_loan_to(42);
  ASSERT_TRUE(records::rewrite_film(shop_, f));
  op_.type(u"7");
  EXPECT_FALSE(counter::sell_rental_item(shop_, context(), views_, sale_));
  EXPECT_TRUE(op_.saw("Film is on loan", "Unable to delete"));
  EXPECT_TRUE(shop_.films.index().contains(7));
  EXPECT_TRUE(log_text().empty());
}

}  // namespace
}  // namespace kelvo::retailtest
