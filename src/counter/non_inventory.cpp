#include "counter/non_inventory.h"

#include "counter/payment.h"
#include "counter/pricing.h"
#include "text/format.h"

namespace kelvo::counter {

NonInventoryModel::NonInventoryModel(const records::ConfigBlock& config)
    : config_(config), taxable_(!no_tax_on_stock_sale(config)) {
  recompute();
}

const std::vector<text::u16>& NonInventoryModel::quick_descriptions() {
  static const std::vector<text::u16> names{u"Misc", u"Lottery", u"Accessories", u"Loose items"};
  return names;
}

void NonInventoryModel::set_description(text::u16view typed) {
  description_ = text::u16(typed.substr(0, kDescriptionLimit));
}

void NonInventoryModel::key(char16_t c) {
  if (description_.size() < kDescriptionLimit) description_ += c;
}

void NonInventoryModel::backspace() {
  if (!description_.empty()) description_.pop_back();
}

void NonInventoryModel::set_price(text::u16view typed) {
  price_text_ = text::u16(typed);
  recompute();
}

void NonInventoryModel::quick_price(int whole) { set_price(text::format("%d.00", {whole})); }

void NonInventoryModel::price_key(char16_t c) {
  const size_t point = price_text_.find(u'.');
  if (c == u'.') {
    if (point != text::u16::npos) return;
    if (price_text_.empty()) price_text_ += u'0';
  } else if (c < u'0' || c > u'9' || (point != text::u16::npos && price_text_.size() - point > 2)) {
    return;
  }
  price_text_ += c;
  recompute();
}

void NonInventoryModel::price_backspace() {
  if (!price_text_.empty()) price_text_.pop_back();
  recompute();
}

void NonInventoryModel::clear_price() { set_price(u""); }

void NonInventoryModel::set_taxable(bool taxable) {
  taxable_ = taxable;
  recompute();
}

bool NonInventoryModel::taxes_shown() const { return taxable_ && any_tax_active(config_); }

std::optional<float> NonInventoryModel::price() const {
  auto v = read_amount(price_text_);
  if (!v || *v < 0) return std::nullopt;
  return v;
}

// Boxes left empty while the price is not an amount yet, so nothing half-typed looks like a sum.
void NonInventoryModel::recompute() {
  tax1_amount_ = tax2_amount_ = total_amount_ = 0;
  nett_.clear();
  tax1_.clear();
  tax2_.clear();
  total_.clear();
  auto p = price();
  if (!p) return;
  nett_ = money_text(*p);
  total_amount_ = *p;
  if (taxes_shown()) {
    const TaxFigures f = compute_taxes(config_, *p);
    tax1_amount_ = f.tax1;
    tax2_amount_ = f.tax2;
    total_amount_ = f.total;
    tax1_ = money_text(f.tax1);
    tax2_ = money_text(f.tax2);
  }
  total_ = money_text(total_amount_);
}

}  // namespace kelvo::counter
