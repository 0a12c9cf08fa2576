// Finishing step 11 of a rental: the amounts its receipt shows.
#include "counter/rental.h"
#include "records/config_layout.h"

namespace kelvo::counter {

namespace {

struct Taxed {
  float sub_total = 0, tax1 = 0, tax2 = 0;
};

// An amend/owe finish with a tax active shows what its amount screens held, paid and owed
// parts summed; otherwise the rental screen's own boxes.
Taxed receipt_taxes(const records::ConfigBlock& config, const RentalModel& model, const RentalMoney& money,
                    float cost) {
  if (const auto sum = amended_receipt_figures(config, money)) return {sum->sub_total, sum->tax1, sum->tax2};
  if (!model.taxed()) return {cost, 0, 0};
  return {read_money(model.sub_total()), read_money(model.tax1()), read_money(model.tax2())};
}

}  // namespace

RentalReceipt rental_receipt(const records::Shop& shop, const RentalModel& model, const RentalMoney& money,
                             std::vector<ReceiptItem> items, float cost) {
  const records::MemberRecord& m = shop.member;
  RentalReceipt r;
  r.member = m.number();
  r.title = m.title();
  r.initial = m.initial();
  r.name = m.name();
  r.road = m.road();
  r.area = m.area();
  r.town = m.town();
  r.post_code = m.post_code();
  r.items = std::move(items);
  // The cash tendered screen's "Arrears paid": what a credit settlement took is the rental's.
  if (!money.credit_settled) r.arrears_settled = money.amount_paid;
  r.rental_charge = cost;
  const Taxed t = receipt_taxes(shop.config, model, money, cost);
  r.rentals_ex_tax = t.sub_total;
  // Stock sold with "Retail": its sub total is shown as sundries and its taxes join the
  // rental's tax lines; the total must still hold them, as the cash tendered screen asked for them.
  r.sundries = money.sundries_sub_total;
  r.tax1 = t.tax1 + money.sundries_tax1;
  r.tax2 = t.tax2 + money.sundries_tax2;
  r.sundries_taxes = money.sundries_tax1 + money.sundries_tax2;
  r.balance_before = money.owed_before;
  r.balance_after = m.owed();
  // The counter has already moved on past this rental's number.
  r.transaction = shop.config.transaction_counter() - 1;
  r.return_time = shop.config.return_deadline();
  r.when = shop.now();
  return r;
}

}  // namespace kelvo::counter
