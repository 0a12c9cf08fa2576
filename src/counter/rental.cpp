// The rental transaction: opening steps, the screen, then the finish or the abort.
#include "counter/rental.h"

#include <optional>
#include <vector>

#include "catalogue/member_find.h"
#include "counter/rental_files.h"
#include "records/commit.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
using records::MemberRecord;

namespace {

// Opening step 1: "OP PIN Rental" names the operator of this one rental.
bool ask_operator(records::Shop& shop) {
  if (shop.config.i64(cfg::kOperatorPinRental) != 2) return true;
  platform::PromptOptions o;
  o.max_length = 2;
  auto typed = shop.op().prompt(u"Please enter the operator number (1-98):", o);
  if (!typed) return false;
  const int64_t n = text::parse_int64(typed->text);
  if (n < 1 || n > 98) {
    platform::problem(shop.op(), u"Outside range");
    return false;
  }
  shop.config.set_i64(cfg::kSignedOnOperator, n);
  return true;
}

// Opening step 2: the member by number or by the name search; 0 when none was chosen.
int64_t ask_member(records::Shop& shop, const RentalContext& ctx) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(catalogue::kNameSearchLimit);
  o.first_name_box = true;
  if (ctx.prompt_caption) ctx.prompt_caption(u"Rent");
  auto typed = shop.op().prompt(u"Customer number / Last name / fragment", o);
  if (!typed || text::trimmed(typed->text).empty()) return 0;
  return catalogue::find_member(shop, ctx.views, *typed, false, catalogue::NumberRule::AnyPositive);
}

// Opening steps 3 and 5: the member's PIN and a lost or suspended card.
bool member_may_rent(records::Shop& shop) {
  MemberRecord& m = shop.member;
  if (shop.config.i64(cfg::kPinRental) != 0) {
    platform::PromptOptions o;
    o.hidden = true;
    o.max_length = 19;
    auto typed = shop.op().prompt(u"Enter PIN", o);
    if (!typed || typed->text != m.pin()) return false;
  }
  const char16_t* question = nullptr;
  if (m.category() == MemberRecord::kCardLost) question = u"Card reported lost, OK to reactivate";
  if (m.category() == MemberRecord::kCardSuspended) question = u"Card suspended, OK to reactivate";
  if (question) {
    const text::u16 caption = text::format("Name: %s Comment: %s", {m.name(), m.comment1()});
    if (shop.op().message(caption, question, platform::Buttons::OkCancel) != platform::Answer::Ok) return false;
    m.set_category(1);
  }
  return true;
}

void add_i32(records::ConfigBlock& c, size_t off, int32_t by) { c.set_i32(off, c.i32(off) + by); }
void add_f32(records::ConfigBlock& c, size_t off, float by) { c.set_f32(off, c.f32(off) + by); }

// The day's counters of one rented item.
void count_rental(records::ConfigBlock& c, const records::FilmRecord& film, RentalMode mode) {
  for (int i = 0; i < 17; ++i) c.set_i64(cfg::kLastRentedItems + 8 * i, c.i64(cfg::kLastRentedItems + 8 * (i + 1)));
  c.set_i64(cfg::kLastRentedItems + 8 * 17, film.number());
  c.set_i64(cfg::kRentalsToday, c.i64(cfg::kRentalsToday) + 1);

  const size_t element = 4 * static_cast<size_t>(band_counter_element(film.charge_band(), mode.is_day_return()));
  for (size_t base : {cfg::kBandCountToday, cfg::kBandCountMonth}) {
    add_i32(c, base, 1);
    add_i32(c, base + element, 1);
  }
  // An unnamed category would otherwise count every film without a category 18 times over.
  const text::u16 category = film.category();
  for (int i = 1; i <= cfg::kCategoryCount && !category.empty(); ++i) {
    if (c.store_category(i) != category) continue;
    if (i <= 9) {
      add_i32(c, cfg::kCategoryLowToday + 4 * (i - 1), 1);
      add_i32(c, cfg::kCategoryLowMonth + 4 * (i - 1), 1);
    } else {
      add_i32(c, cfg::kCategoryHighToday + 4 * (i - 10), 1);
      add_i32(c, cfg::kCategoryHighMonth + 4 * (i - 10), 1);
    }
  }
  const text::u16 format = film.format();
  if (format == c.format_name(1)) add_f32(c, cfg::kFormat1RentalsToday, 1.0f);
  else if (format == c.format_name(2)) add_f32(c, cfg::kFormat2RentalsToday, 1.0f);
  if (mode.is_offer()) add_f32(c, cfg::kOfferRentalsToday + 4 * static_cast<size_t>(mode.offer - 1), 1.0f);
}

class Transaction {
 public:
  Transaction(records::Shop& shop, const RentalContext& ctx, RentalMode mode)
      : shop_(shop), ctx_(ctx), mode_(mode) {}

  RentalResult run(int64_t preselected);

 private:
  bool open(int64_t preselected);
  RentalResult finish(RentalModel& model, RentalEnd end);
  bool items_still_in_stock(const RentalModel& model, const RentalFiles& files);
  text::u16 stamp_films(const RentalModel& model, const RentalFiles& files);
  // The new items' film records as read when the finish began, by loan slot.
  std::vector<std::optional<records::FilmRecord>> films_ = std::vector<std::optional<records::FilmRecord>>(MemberRecord::kLoanSlots);
  text::u16 closing_lines(const RentalModel& model, float total, const text::u16& reason) const;
  std::vector<ReceiptItem> receipt_items(const RentalModel& model) const;
  void abort();

  records::Shop& shop_;
  const RentalContext& ctx_;
  RentalMode mode_;
  RentalMoney money_;
  int64_t member_ = 0;
};

bool Transaction::open(int64_t preselected) {
  if (!ask_operator(shop_)) return false;
  if (preselected > 0) member_ = catalogue::find_member_by_number(shop_, preselected);
  else member_ = ask_member(shop_, ctx_);
  if (member_ == 0) return false;
  if (!member_may_rent(shop_)) return false;
  money_.owed_before = shop_.member.owed();
  if (shop_.member.owed() > 0 && !settle_arrears(shop_, ctx_.arrears, ctx_.access, money_)) return false;
  return true;
}

RentalResult Transaction::run(int64_t preselected) {
  if (!open(preselected)) return {};
  RentalModel model(shop_, ctx_, mode_, money_);
  const RentalEnd end = ctx_.screen.run_rental(model);
  return finish(model, end);
}

void Transaction::abort() {
  records::MemberRecord stored;
  if (records::read_member(shop_, member_, stored)) shop_.member = stored;
  const MemberRecord& m = shop_.member;
  if (money_.owed_before != 0 && m.owed() != money_.owed_before) {
    text::u16 entry = records::log_prefix(shop_.now()) + u"  Debt allocation";
    entry += text::format("\r\nMember: %I64d, %s Owed before: %.2f, After: %.2f",
                          {m.number(), m.name(), money_.owed_before, m.owed()});
    entry += text::format("\r\nAborted rental, %s Paid: %.2f", {money_.settlement_text, money_.amount_paid});
    entry += records::operator_trailer(shop_.config);
    records::append_log_or_report(shop_, entry);
  }
  shop_.save_config();
}

// Another counter action may have put an item out or deleted it since it was added; stamping
// it now would leave two members holding one film.
bool Transaction::items_still_in_stock(const RentalModel& model, const RentalFiles& files) {
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) {
    films_[s].reset();
    if (!model.is_new(s)) continue;
    const int64_t n = shop_.member.on_loan(s);
    records::FilmRecord& f = films_[s].emplace();
    if (!files.read_film(shop_, n, f)) {
      platform::problem(shop_.op(), text::format("Film %I64d does not exist", {n}));
      return false;
    }
    if (f.on_loan_to() != 0) {
      shop_.op().message(u"Rental item is on loan", text::format("%I64d, %s", {n, f.title()}));
      return false;
    }
  }
  return true;
}

// Step 8: each new item stamped on loan, its counters moved; the log lines of the items.
text::u16 Transaction::stamp_films(const RentalModel& model, const RentalFiles& files) {
  MemberRecord& m = shop_.member;
  const text::DateTime now = shop_.now();
  text::u16 lines;
  int dropped = 0;
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) {
    if (!model.is_new(s) || !films_[s]) continue;
    const int64_t n = m.on_loan(s);
    records::FilmRecord& f = *films_[s];
    f.set_rentals(f.rentals() + 1);
    if (!model.is_free(s)) {
      const int band = mode_.is_day_return() ? 9 : f.charge_band();
      f.set_revenue(f.revenue() + static_cast<float>(band_price(shop_.config, band)) / 100.0f);
    }
    f.mark_hire_day(text::days_since(now, f.last_hire()));
    f.set_last_hire(m.on_loan_rented(s));
    f.set_on_loan_to(m.number());
    f.set_return_date(m.on_loan_due(s));
    f.push_renter(m.number());
    if (!files.write_film(shop_, f)) {
      platform::problem(shop_.op(), u"Film.dat");
      // The film file still has it in stock, so the member must not be left holding it.
      m.set_on_loan(s, 0);
      m.set_on_loan_rented(s, u"");
      m.set_on_loan_due(s, u"");
      m.set_rented(m.rented() - 1);
      ++dropped;
      continue;
    }
    count_rental(shop_.config, f, mode_);
    lines += text::format("\r\n%I64d  %s", {n, f.title()});
  }
  if (dropped > 0) {
    m.refresh_on_loan_flag();
    records::rewrite_member(shop_, m);
  }
  return lines;
}

// The items this transaction put on loan; one whose film could not be stamped was taken back.
std::vector<ReceiptItem> Transaction::receipt_items(const RentalModel& model) const {
  const MemberRecord& m = shop_.member;
  std::vector<ReceiptItem> items;
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) {
    if (!model.is_new(s) || !films_[s] || m.on_loan(s) == 0) continue;
    items.push_back({m.on_loan(s), films_[s]->title(), m.on_loan_rented(s), m.on_loan_due(s)});
  }
  return items;
}

// Step 9: the lines after the items, each only when its condition holds.
text::u16 Transaction::closing_lines(const RentalModel& model, float total, const text::u16& reason) const {
  const MemberRecord& m = shop_.member;
  const float previous = model.previous_rentals();
  text::u16 out;
  if (!model.comment().empty()) out += text::format("\r\nTransaction comment: %s", {model.comment()});
  if (money_.owed_before != 0 || m.owed() != 0)
    out += text::format("\r\nOwed before: %.2f, After: %.2f", {money_.owed_before, m.owed()});
  if (money_.owed_before != 0) out += text::format("\r\n%s Paid: %.2f", {money_.settlement_text, money_.amount_paid});
  if (reason.empty() || reason[0] != u' ') out += text::format("\r\nReason: %s", {reason});
  if (previous > 0)
    out += text::format("\r\nPrevious rental(s): %.2f, Transaction cost: %.2f", {previous, total - previous});
  else if (previous == 0)
    out += text::format("\r\nTransaction cost: %.2f", {total});
  out += text::format("    Today's takings: %.2f", {shop_.config.takings_today()});
  out += records::operator_trailer(shop_.config);
  return out;
}

RentalResult Transaction::finish(RentalModel& model, RentalEnd end) {
  // A rental that is not stored takes nothing: what amend/owe or a credit settlement put into
  // the takings goes back out. The arrears settled before the screen stay.
  const float takings_before = end == RentalEnd::AmendFinished
                                   ? model.takings_before_amend().value_or(shop_.config.takings_today())
                                   : shop_.config.takings_today();
  auto give_up = [&] {
    shop_.config.set_takings_today(takings_before);
    abort();
    return RentalResult{};
  };
  if (end == RentalEnd::Cancel) return give_up();
  const int new_count = model.new_items();
  if (new_count == 0) {
    shop_.warn();
    platform::problem(shop_.op(), u"No rental items selected");
    return give_up();
  }
  // Both files are opened before the member record is written: a rental the counter cannot
  // journal or stamp must not leave the member holding items the film file does not know of.
  RentalFiles files;
  if (!files.open(shop_) || !items_still_in_stock(model, files)) return give_up();

  MemberRecord& m = shop_.member;
  const int32_t rented_before = m.rented();
  m.set_rented(rented_before + new_count);
  int not_free = 0;
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) not_free += model.is_new(s) && !model.is_free(s);
  m.set_rental_credits(credits_after_rental(m.rental_credits(), not_free));

  DayMoney day(shop_.config);
  const float previous = model.previous_rentals();
  float total = 0, cost = 0;
  text::u16 reason = u" ";
  if (end == RentalEnd::AmendFinished) {
    total = model.amend_total();
    cost = total - previous;
    reason = money_.reason.value_or(u"");
  } else {
    cost = model.running_total();
    if (model.total_typed()) {
      cost = model.typed_total();
      reason = u"Total amended on main dialog";
    }
    day.takings(cost);
    total = cost + previous;
  }
  if (m.owed() < 0 && cost != 0 && !settle_member_credit(shop_, ctx_.credit, money_, cost)) return give_up();

  const text::DateTime now = shop_.now();
  m.set_last_used(text::make_stamp(now));
  m.set_on_loan_flag(2);
  int32_t credits = m.rental_credits();
  const int awarded = award_credits(shop_.config, rented_before, m.rented(), credits);
  m.set_rental_credits(credits);

  const int32_t counter = shop_.config.transaction_counter();
  m.set_transaction(text::format("%d", {counter}));
  m.set_transaction_amount(total);
  // Member, films, log entry and counters are stored together or not at all.
  records::Commit commit(shop_);
  if (!records::rewrite_member(shop_, m)) return give_up();
  shop_.config.set_i32(cfg::kTransactionCounter, counter + 1);

  text::u16 entry = records::log_prefix(now) +
                    text::format("  Rental: %I64d", {shop_.config.i64(cfg::kRentalsToday) + 1}) +
                    text::format("\r\nMember %I64d %s", {m.number(), m.name()});
  entry += stamp_films(model, files);
  entry += closing_lines(model, total, reason);
  if (!files.append_log(shop_, entry)) shop_.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
  files.close();
  if (!commit.finish()) return give_up();

  if (awarded > 0) shop_.op().message(u"Rental credits allocated", text::format("%d credits", {awarded}));

  if (shop_.config.i64(cfg::kCashTenderedOff) <= 0 && !money_.skip_cash_tendered) {
    ctx_.till.open_drawer();
    CashTenderedModel cash = make_cash_tendered(money_, CashTenderedInput{m.owed(), total, previous, money_.sundries});
    cash.receipts = ctx_.receipts;
    cash.receipt = rental_receipt(shop_, model, money_, receipt_items(model), total - previous);
    if (ctx_.retail && !money_.sundries_receipt.items.empty()) {
      cash.sale_receipts = ctx_.retail->receipts;
      cash.sale_receipt = money_.sundries_receipt;
    }
    cash.auto_receipt = shop_.config.i32(cfg::kAutoReceipt);
    cash_tendered(ctx_.cash, ctx_.till, cash);
    ctx_.till.pole_passive();
  }

  platform::Operator& op = shop_.op();
  op.activity(text::format("%d:%02d Rental by %I64d, %s", {now.hour, now.minute, m.number(), m.name()}));
  op.activity(text::format("Cost: %.2f", {total - previous}));
  for (const auto& line : model.items()) op.activity(text::format("Film: %s", {line}));
  op.activity(u"  ");
  shop_.save_config();
  return RentalResult{true, m.number(), new_count, total - previous};
}

}  // namespace

RentalResult rent(records::Shop& shop, const RentalContext& ctx, RentalRequest request) {
  const decltype(shop.films)::HeldOpen films(shop.films);
  const decltype(shop.members)::HeldOpen members(shop.members);
  Transaction t(shop, ctx, request.mode);
  return t.run(request.member);
}

RentalResult rent_by_telephone(records::Shop& shop, const RentalContext& ctx) {
  platform::PromptOptions o;
  auto typed = shop.op().prompt(u"Enter telephone number", o);
  if (!typed) return {};
  if (typed->text.size() > catalogue::kTelephoneLimit) {
    platform::problem(shop.op(), u"Limit 19 characters");
    return {};
  }
  if (!catalogue::find_by_telephone(shop, typed->text)) return {};
  return rent(shop, ctx, RentalRequest{RentalMode::normal(), shop.member.number()});
}

}  // namespace kelvo::counter
