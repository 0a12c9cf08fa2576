#include "reports/closeout.h"

#include "platform/page_writer.h"
#include "records/transaction_log.h"
#include "reports/day_figures.h"
#include "reports/overview.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

TillFigures till_figures(const records::ConfigBlock& c) {
  TillFigures f;
  f.initial_till = c.f32(cfg::kDefaultTillTotal);
  f.takings = c.takings_today();
  f.refunds = c.f32(cfg::kCashRefundsToday);
  f.arrears = c.f32(cfg::kArrearsPaid);
  f.overdues = c.f32(cfg::kLateFeesPaid);
  f.memberships = c.f32(cfg::kMembershipTakingsToday);
  f.retail_sales = c.f32(cfg::kStockSalesToday);
  f.item_sales = c.f32(cfg::kItemsSoldAmount);
  f.rentals = f.takings + f.refunds - f.arrears - f.overdues - f.memberships - f.retail_sales - f.item_sales;
  f.sub_total = f.initial_till + f.takings + f.refunds;
  f.till_total = f.initial_till + f.takings;
  return f;
}

std::vector<text::u16> figure_lines(const TillFigures& f) {
  return {text::format("Initial till: %.2f", {f.initial_till}), text::format("Rentals: %.2f", {f.rentals}),
          text::format("Arrears: %.2f", {f.arrears}),           text::format("Overdues: %.2f", {f.overdues}),
          text::format("Memberships: %.2f", {f.memberships}),   text::format("Retail sales: %.2f", {f.retail_sales}),
          text::format("Item sales: %.2f", {f.item_sales}),     text::format("Sub total: %.2f", {f.sub_total}),
          text::format("Refunds: %.2f", {f.refunds}),           text::format("Till total: %.2f", {f.till_total})};
}

text::u16 closeout_date(const records::Shop& shop) {
  const text::DateTime now = shop.now();
  if (auto s = short_date(shop.locale(), ymd(now))) return *s;
  return text::format("%2d/%2d/%d", {now.day, now.month, now.year});
}

namespace {

text::u16 time_and_date(const records::Shop& shop) {
  return hh_mm(shop.now()) + u" " + closeout_date(shop);
}

text::u16 assoc(const records::Shop& shop) {
  const int64_t n = shop.config.signed_on_operator();
  return text::format("Assoc: %I64d, %s", {static_cast<long long>(n), shop.config.operator_name(n)});
}

}  // namespace

text::u16 closeout_entry(const records::Shop& shop, const TillFigures& f) {
  text::u16 out = u"\r\nTill closeout: " + time_and_date(shop) + u"\r\n" + assoc(shop) + u"\r\n";
  for (const auto& l : figure_lines(f)) out += l + u"\r\n";
  return out;
}

std::vector<text::u16> closeout_page(const records::Shop& shop, const TillFigures& f) {
  std::vector<text::u16> out{text::format("%s  Till closeout", {shop.address.store_name()}), time_and_date(shop),
                             assoc(shop)};
  for (auto& l : figure_lines(f)) out.push_back(std::move(l));
  return out;
}

void till_reconciliation(records::Shop& shop, TillViews& views) { views.show_reconciliation(till_figures(shop.config)); }

bool till_closeout(records::Shop& shop, TillViews& views, platform::Printer& printer) {
  const TillFigures f = till_figures(shop.config);
  bool signed_off = false;
  views.run_closeout(f, [&](CloseoutChoice choice) {
    if (choice == CloseoutChoice::Cancel) return true;
    if (choice == CloseoutChoice::PrintAndClose) {
      // A cancelled print dialog goes back to the window with nothing written.
      if (!begin_document(printer)) return false;
      platform::PageWriter w(printer, {});
      for (const auto& l : closeout_page(shop, f)) w.line(l);
      printer.end();
    }
    // Without its log entry the closeout has not happened: the operator stays signed on.
    signed_off = records::append_log_or_report(shop, closeout_entry(shop, f));
    return true;
  });
  return signed_off;
}

}  // namespace kelvo::reports
