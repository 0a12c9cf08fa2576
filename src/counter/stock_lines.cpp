#include "counter/stock_lines.h"

#include "counter/offer_settings.h"
#include "counter/payment.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::counter {

namespace {

using records::StockRecord;

StockLineForm form_of(const StockRecord& r) {
  return StockLineForm{text::format("%I64d", {r.number()}),     r.description(),
                       text::format("%d", {r.quantity()}),      money_text(r.cost_price()),
                       money_text(r.sale_price()),              text::format("%d", {r.reorder_quantity()})};
}

void fill(StockRecord& r, const StockLineFields& f) {
  r.set_number(f.number);
  r.set_description(f.description);
  r.set_quantity(f.quantity);
  r.set_reorder_quantity(f.reorder_quantity);
  r.set_cost_price(f.cost_price);
  r.set_sale_price(f.sale_price);
}

std::optional<int32_t> read_count(text::u16view typed) {
  auto v = read_whole_number(typed);
  if (!v || *v < 0 || *v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(*v);
}

std::optional<float> read_price(text::u16view typed) {
  auto v = read_amount(typed);
  if (!v || *v < 0) return std::nullopt;
  return v;
}

void refuse(records::Shop& shop, const char16_t* why) {
  shop.warn();
  platform::problem(shop.op(), why);
}

// The prompts of Amend and Delete: the line number typed, or nullopt to end.
std::optional<int64_t> ask_line(records::Shop& shop, text::u16view question, text::u16view proposal) {
  platform::PromptOptions o;
  o.proposal = text::u16(proposal);
  o.max_length = 19;
  auto typed = shop.op().prompt(question, o);
  if (!typed) return std::nullopt;
  auto n = read_whole_number(typed->text);
  if (!n || *n <= 0) return std::nullopt;
  return n;
}

}  // namespace

int64_t propose_stock_number(const records::Shop& shop) {
  int64_t next = 1;
  for (const auto& e : shop.stock.index().entries()) {
    if (e.number < next) continue;
    if (e.number > next) break;
    ++next;
  }
  return next;
}

StockLineReading read_stock_line(const StockLineForm& form) {
  StockLineReading out;
  auto number = read_whole_number(form.number);
  if (!number || *number < 1 || *number > records::kMaxNumber) {
    out.refusal = u"Number outside range.";
    return out;
  }
  auto quantity = read_count(form.quantity);
  auto reorder = read_count(form.reorder_quantity);
  auto cost = read_price(form.cost_price);
  auto sale = read_price(form.sale_price);
  if (!quantity || !reorder || !cost || !sale) {
    out.refusal = u"Invalid entry";
    return out;
  }
  StockLineFields& f = out.fields.emplace();
  f.number = *number;
  f.description = form.description.substr(0, kStockDescriptionLimit);
  f.quantity = *quantity;
  f.reorder_quantity = *reorder;
  f.cost_price = *cost;
  f.sale_price = *sale;
  return out;
}

bool new_stock_line(records::Shop& shop, StockLineScreen& screen) {
  // Said before the form is typed in full for a file that cannot take it.
  if (!records::data_files_present(shop, {records::files::kStock})) return false;
  StockLineForm form{text::format("%I64d", {propose_stock_number(shop)}), {}, u"0", u"0.00", u"0.00", u"0"};
  for (;;) {
    auto typed = screen.edit_stock_line(kNewStockTitle, form);
    if (!typed) return false;
    form = *typed;
    StockLineReading read = read_stock_line(form);
    if (!read.fields) {
      refuse(shop, read.refusal);
      continue;
    }
    if (shop.stock.index().contains(read.fields->number)) {
      refuse(shop, u"Number in use.");
      continue;
    }
    StockRecord line;
    fill(line, *read.fields);
    if (!records::add_stock(shop, line)) return false;
    const records::RecordCounts& c = shop.stock.counts();
    shop.op().activity(text::format("New stock line: %I64d %s", {line.number(), line.description()}));
    shop.op().activity(u"  ");
    shop.op().activity(text::format("Stock records: %d (%d deleted)", {c.total, c.deleted}));
    shop.op().activity(u"  ");
    return true;
  }
}

bool amend_stock_line(records::Shop& shop, StockLineScreen& screen) {
  auto number = ask_line(shop, u"Enter the line to amend", u"");
  if (!number) return false;
  StockRecord line;
  if (!shop.stock.index().contains(*number)) {
    platform::problem(shop.op(), u"Line does not exist");
    return false;
  }
  if (!records::read_stock(shop, *number, line)) return false;
  StockLineForm form = form_of(line);
  for (;;) {
    auto typed = screen.edit_stock_line(kAmendStockTitle, form);
    if (!typed) return false;
    form = *typed;
    StockLineReading read = read_stock_line(form);
    if (read.fields && read.fields->number != *number) {
      refuse(shop, u"Not possible to change number");
      return false;
    }
    if (!read.fields) {
      refuse(shop, read.refusal);
      continue;
    }
    fill(line, *read.fields);
    if (!records::rewrite_stock(shop, line)) return false;
    shop.stock.set_prefix(*shop.stock.index().find(*number), line.description());
    return true;
  }
}

bool delete_stock_line(records::Shop& shop) {
  auto number = ask_line(shop, u"Enter the line to delete", u"1");
  if (!number) return false;
  StockRecord line;
  if (!shop.stock.index().contains(*number)) {
    shop.op().message(u"Delete stock line", u"Line does not exist");
    return false;
  }
  if (!records::read_stock(shop, *number, line)) return false;
  if (!records::mark_stock_deleted(shop, line, *shop.stock.index().find(*number))) return false;
  shop.op().message(u"Delete stock line", u"Line deleted.");
  return true;
}

}  // namespace kelvo::counter
