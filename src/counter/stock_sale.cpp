// The three sales of the counter, each a list of steps ending in one commit.
#include "counter/stock_sale.h"

#include "catalogue/film_maintenance.h"
#include "counter/non_inventory.h"
#include "counter/pricing.h"
#include "counter/sale_basket.h"
#include "records/commit.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
namespace files = records::files;
using records::StockRecord;

namespace {

void add_f32(records::ConfigBlock& c, size_t off, float by) { c.set_f32(off, c.f32(off) + by); }

// The cash tendered screen of a sale: the total due, the change, and the receipt buttons.
void sale_cash_tendered(const SaleContext& ctx, const SaleReceipt& receipt, SaleReceiptForm till_form, bool page) {
  SaleCashView view;
  view.money.total_due_amount = receipt.total;
  view.money.total_due = money_text(receipt.total);
  view.receipt = receipt;
  view.till_form = till_form;
  view.page_receipt = page;
  ctx.till.pole_total(receipt.total);
  ctx.cash.show_sale_cash(view, ctx.receipts);
  ctx.till.pole_passive();
}

// "Sale of rental item" until it holds an amount that is not negative, or is cancelled.
std::optional<TaxFigures> ask_price(records::Shop& shop, RentalItemSaleScreen& screen, const records::FilmRecord& film) {
  for (;;) {
    auto typed = screen.ask_sale_price(film.number(), film.title());
    if (!typed) return std::nullopt;
    auto amount = read_amount(typed->sub_total_text);
    if (amount && *amount >= 0) return compute_taxes(shop.config, *amount);
    shop.warn();
    platform::problem(shop.op(), u"Invalid amount");
  }
}


}  // namespace

bool commit_stock_sale(records::Shop& shop, const SaleBasket& basket) {
  if (basket.empty() || !records::data_files_present(shop, {files::kStock, files::kLog})) return false;
  // Every line is read before the commit opens: a line that cannot be read stops the sale
  // with nothing collected.
  std::vector<StockRecord> lines(basket.lines().size());
  for (size_t i = 0; i < lines.size(); ++i)
    if (!records::read_stock(shop, basket.lines()[i].first, lines[i])) return false;

  records::ConfigBlock& c = shop.config;
  const float total = basket.total();
  records::Commit commit(shop);
  // Step 1: one read and one write per line, however many units of it were sold.
  for (size_t i = 0; i < lines.size(); ++i) {
    StockRecord& r = lines[i];
    const int units = basket.lines()[i].second;
    r.set_quantity(r.quantity() - units);
    const int64_t n = r.number();
    for (int u = 0; u < units && n >= 1 && n <= 10; ++u) add_f32(c, cfg::kStockLineSales + 4 * (n - 1), r.sale_price());
    records::rewrite_stock(shop, r);
  }
  // Step 2, 4 and 5.
  c.set_takings_today(c.takings_today() + total);
  const text::u16 entry = records::log_prefix(shop.now()) +
                          text::format(" Sale: Items %d, Total: %.2f\r\n", {basket.units(), total}) +
                          text::format("Today's takings: %.2f\r\n", {c.takings_today()});
  records::append_log(shop, entry);
  add_f32(c, cfg::kStockSalesToday, total);
  return commit.finish();
}

StockSaleResult sell_stock(records::Shop& shop, const SaleContext& ctx, bool in_rental) {
  // Without the stock file the list would open empty and the loss show only at the first
  // addition: it is said before the screen opens.
  if (!records::data_files_present(shop, {files::kStock})) return {};
  SaleBasket basket(shop, ctx.till);
  const SaleForm form = shop.config.i32(cfg::kSundrySaleByScanner) == 2 ? SaleForm::Scanner : SaleForm::List;
  const std::vector<StockListRow> rows = form == SaleForm::List ? stock_list(shop) : std::vector<StockListRow>{};
  const bool committed = ctx.screen.run_sale(basket, form, rows);
  ctx.till.pole_passive();
  if (!committed || !commit_stock_sale(shop, basket)) return {};

  StockSaleResult result{true, basket.units(), basket.sub_total(), basket.tax1(), basket.tax2(), basket.total(),
                         basket.receipt()};
  // Only a sale inside a rental knows its customer; the current member of a sale on its own is
  // whoever was served last.
  result.receipt.member = in_rental ? shop.member.number() : 0;
  if (!in_rental) {
    ctx.till.open_drawer();
    sale_cash_tendered(ctx, basket.receipt(), SaleReceiptForm::MultiTill, true);
  }
  shop.op().activity(text::format("Sale of %d items", {result.units}));
  shop.op().activity(text::format("Total: %.2f", {result.total}));
  shop.op().activity(u"  ");
  if (in_rental) ctx.till.open_drawer();
  return result;
}

bool sell_non_inventory(records::Shop& shop, const SaleContext& ctx, NonInventoryScreen& screen) {
  NonInventoryModel model(shop.config);
  for (;;) {
    if (!screen.run_non_inventory(model)) {
      ctx.till.pole_passive();
      return false;
    }
    if (model.price()) break;
    shop.warn();
    platform::problem(shop.op(), u"Invalid amount");
  }
  if (!records::data_files_present(shop, {files::kLog})) {
    ctx.till.pole_passive();
    return false;
  }
  const float price = model.total_amount();
  records::ConfigBlock& c = shop.config;
  {
    records::Commit commit(shop);
    c.set_takings_today(c.takings_today() + price);
    add_f32(c, cfg::kStockSalesToday, price);
    records::append_log(shop, text::format("\r\nNon inventory item sale: %s", {model.description()}) +
                                  text::format("\r\nPrice: %.2f   Today's takings: %.2f\r\n", {price, c.takings_today()}));
    if (!commit.finish()) {
      ctx.till.pole_passive();
      return false;
    }
  }
  ctx.till.open_drawer();
  SaleReceipt receipt;
  receipt.items.push_back(SoldItem{model.description(), *model.price()});
  receipt.tax1 = model.tax1_amount();
  receipt.tax2 = model.tax2_amount();
  receipt.total = price;
  sale_cash_tendered(ctx, receipt, SaleReceiptForm::SingleTill, false);
  shop.op().activity(text::format("Non inventory item: %s", {model.description()}));
  shop.op().activity(text::format("Price: %.2f", {price}));
  shop.op().activity(u"  ");
  ctx.till.pole_passive();
  return true;
}

bool sell_rental_item(records::Shop& shop, const SaleContext& ctx, catalogue::CatalogueViews& views,
                      RentalItemSaleScreen& screen) {
  auto leaving = catalogue::film_leaving_stock(shop, views, u"Sell film number / title");
  if (!leaving) return false;
  const records::FilmRecord film = leaving->film;
  const int64_t number = film.number();
  const int64_t slot = leaving->slot;
  auto price = ask_price(shop, screen, film);
  if (!price || !records::data_files_present(shop, {files::kFilm, files::kLog})) return false;

  records::ConfigBlock& c = shop.config;
  const float total = price->total;
  {
    records::RecordStore<records::FilmRecord>::Memory memory(shop.films);
    records::Commit commit(shop);
    c.set_takings_today(c.takings_today() + total);
    add_f32(c, cfg::kItemsSoldCount, 1.0f);
    add_f32(c, cfg::kItemsSoldAmount, total);
    records::mark_film_deleted(shop, film, slot);
    records::append_log(shop, text::format("\r\nFilm %I64d, %s sold for %.2f.\r\n", {number, film.title(), total}));
    if (!commit.finish(records::kFilmDeletionWords)) {
      memory.put_back();
      return false;
    }
  }
  ctx.till.open_drawer();
  SaleReceipt receipt;
  receipt.items.push_back(SoldItem{film.title(), total - price->tax1 - price->tax2});
  receipt.tax1 = price->tax1;
  receipt.tax2 = price->tax2;
  receipt.total = total;
  sale_cash_tendered(ctx, receipt, SaleReceiptForm::SingleTill, false);
  shop.op().activity(text::format("Film deleted: %I64d %s", {number, film.title()}));
  shop.op().activity(text::format("Sold for %.2f", {total}));
  shop.op().activity(u"  ");
  return true;
}

}  // namespace kelvo::counter
