// The "RENTAL" screen's model: what its boxes show and the items added one at a time.
#include <algorithm>

#include "catalogue/search_text.h"
#include "counter/rental.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;
using records::MemberRecord;

namespace {

constexpr size_t kItemLineLimit = 62;
constexpr size_t kCommentLimit = 72;
constexpr size_t kItemPromptLimit = 34;

text::u16 item_line(int64_t number, text::u16view title) {
  text::u16 line = text::format("%I64d, %s", {number, title});
  if (line.size() > kItemLineLimit) line.resize(kItemLineLimit);
  return line;
}

text::u16 date_part(text::u16view stamp) {
  return stamp.size() > 5 && stamp[2] == u':' ? text::u16(stamp.substr(5)) : text::u16(stamp);
}

// The due stamp as a person reads it: the date, then the time.
text::u16 readable_due(text::u16view stamp) {
  if (stamp.size() < 15) return text::u16(stamp);
  return text::u16(stamp.substr(5)) + u" " + text::u16(stamp.substr(0, 5));
}

text::u16 film_line(records::Shop& shop, int64_t number) {
  records::FilmRecord f;
  if (shop.films.read_number(number, f) == records::ReadResult::Ok) return item_line(number, f.title());
  return text::format("%I64d", {number});
}

bool days_from_band(const records::ConfigBlock& config, RentalMode mode) {
  if (mode.is_offer()) return offer_uses_band_days(config, mode.offer);
  return !mode.is_day_return() && band_days_active(config);
}

}  // namespace

RentalModel::RentalModel(records::Shop& shop, const RentalContext& ctx, RentalMode mode, RentalMoney& money)
    : shop_(shop), ctx_(ctx), mode_(mode), money_(money) {
  open();
}

void RentalModel::open() {
  MemberRecord& m = shop_.member;
  const records::ConfigBlock& c = shop_.config;
  RentalHeader& h = header_;
  h.transaction = text::format("%d", {c.transaction_counter()});
  h.rental_number = text::format("%I64d", {c.i64(cfg::kRentalsToday) + 1});
  if (mode_.is_offer()) h.type = text::format("Offer %d", {mode_.offer});
  else if (band_days_active(c) && !mode_.is_day_return()) h.type = u"Bands";
  else h.type = u"Normal";
  h.member_number = text::format("%I64d", {m.number()});
  h.name = text::format("%s %s %s", {m.title(), m.initial(), m.name()});
  h.address = m.road();
  h.comment1 = m.comment1();
  h.comment2 = m.comment2();
  h.comment_highlighted = m.highlight_comment() == 2;
  h.owed = text::format("%.2f", {m.owed()});
  h.membership_type = text::format("%d", {m.category()});
  h.expiry = m.expiry();
  h.expired = expiry_passed(h.expiry, shop_.now());
  h.last_hired = date_part(m.last_used());
  h.pin = m.pin();
  h.family1 = m.family1();
  h.family2 = m.family2();
  h.telephone1 = m.telephone1();
  h.telephone2 = m.telephone2();
  for (int i = MemberRecord::kHistory - 1; i >= 0; --i)
    if (m.previous_items(i) != 0) h.earlier_items.push_back(film_line(shop_, m.previous_items(i)));
  for (int i = MemberRecord::kHistory - 1; i >= 0; --i)
    if (m.older_items(i) != 0) h.earlier_items.push_back(text::format("%I64d", {m.older_items(i)}));

  if (m.on_loan_flag() != 0) {
    int out = 0;
    for (int s = 0; s < MemberRecord::kLoanSlots; ++s) {
      if (m.on_loan(s) == 0) continue;
      ++out;
      items_.push_back(film_line(shop_, m.on_loan(s)));
    }
    previous_rentals_ = m.transaction_amount();
    h.current = text::format("%d item(s) for %.2f", {out, previous_rentals_});
  } else {
    // A member without the flag holds nothing, whatever stale numbers the slots carry.
    for (int s = 0; s < MemberRecord::kLoanSlots; ++s) m.set_on_loan(s, 0);
  }

  credits_shown_ = m.rental_credits();
  credits_text_ = text::format("%d", {credits_shown_});
  free_allowed_ = records::may_use(c, ctx_.access, records::Flag::FreeOnRental);
  amend_allowed_ = records::may_use(c, ctx_.access, records::Flag::AmendOnRental);

  rental_days_ = mode_.is_offer() ? offer_days(c, mode_.offer) : c.i64(cfg::kDefaultRentalDays);
  if (days_from_band(c, mode_)) {
    days_text_ = u"Film";
  } else {
    days_text_ = text::format("%I64d", {rental_days_});
    show_due_for(rental_days_);
  }
  put_sub_total(mode_.is_offer() ? offer_total(c, mode_.offer) : 0.0f);
}

bool RentalModel::auto_offer() const { return shop_.config.i64(cfg::kAutoOfferOff) == 0; }

int RentalModel::new_items() const { return static_cast<int>(std::count(new_.begin(), new_.end(), true)); }

void RentalModel::show_due_for(int64_t days) {
  if (mode_.is_day_return()) {
    due_text_ = readable_due(text::make_stamp(shop_.now()));
    return;
  }
  const int64_t extended = extend_for_closed_day(shop_.config, shop_.started.weekday, days);
  due_text_ = readable_due(text::due_date(shop_.now(), static_cast<int>(extended)));
}

void RentalModel::put_sub_total(float v) {
  sub_total_ = v;
  set_sub_total(text::format("%.2f", {v}));
  computed_total_text_ = total_text_;
  running_total_ = read_money(total_text_);
}

void RentalModel::set_sub_total(text::u16view typed) {
  sub_total_text_ = text::u16(typed);
  const TaxFigures f = compute_taxes(shop_.config, typed);
  taxed_ = f.taxed;
  tax1_text_ = f.tax1_text;
  tax2_text_ = f.tax2_text;
  total_text_ = f.total_text;
  notify();
}

void RentalModel::set_total(text::u16view typed) { total_text_ = text::u16(typed); }

void RentalModel::set_comment(text::u16view typed) { comment_ = text::u16(typed.substr(0, kCommentLimit)); }

void RentalModel::set_days(text::u16view typed) {
  days_text_ = text::u16(typed);
  const int64_t d = text::parse_int64(typed);
  if (d >= 1 && d <= 28) show_due_for(d);
  notify();
}

float RentalModel::typed_total() const { return read_amount(total_text_).value_or(0.0f); }

std::optional<RentalEnd> RentalModel::add_items(bool free) {
  bool finish = false;
  while (add_item(free, finish) && auto_offer()) {
  }
  // The scanner's end code is the Finish button: the same check of a typed total applies.
  if (finish) return this->finish();
  return std::nullopt;
}

std::optional<int64_t> RentalModel::ask_item_number(bool& finish) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kItemPromptLimit);
  auto typed = shop_.op().prompt(u"Film number / title:", o);
  if (!typed) return std::nullopt;
  const text::u16 t = text::trimmed(typed->text);
  if (t.empty()) return std::nullopt;
  const int64_t n = text::parse_int64(t);
  // A scanner ends a run of items with a code no item can carry.
  if (n > records::kMaxNumber) {
    finish = true;
    return std::nullopt;
  }
  if (n == 0) return title_search(t);
  return n;
}

std::optional<int64_t> RentalModel::title_search(text::u16view typed) {
  const catalogue::SearchText s = catalogue::make_search(typed, false, kItemPromptLimit);
  const auto& prefixes = shop_.films.prefixes();
  const int64_t slots = std::min<int64_t>(shop_.films.counts().total, static_cast<int64_t>(prefixes.size()));
  records::FilmRecord f;
  for (int64_t slot = 0; slot < slots; ++slot) {
    const auto& p = prefixes[slot];
    if (!catalogue::prefix_matches(p[0], p[1], s.text, false)) continue;
    if (shop_.films.read_slot(slot, f) != records::ReadResult::Ok) {
      platform::problem(shop_.op(), u"Film.dat");
      return std::nullopt;
    }
    if (f.number() <= 0 || f.on_loan_to() != 0) continue;
    if (!catalogue::starts_with(f.title(), s.text, false)) continue;
    switch (shop_.op().message(u"Search: Yes to accept, No to continue", text::format("%I64d, %s", {f.number(), f.title()}),
                               platform::Buttons::YesNoCancel)) {
      case platform::Answer::Yes:
      case platform::Answer::Ok: return f.number();
      case platform::Answer::No: continue;
      case platform::Answer::Cancel: return std::nullopt;
    }
  }
  shop_.op().message(u"Finished", u"No match found");
  return std::nullopt;
}

void RentalModel::show_alternative(const records::FilmRecord& film) {
  const text::u16 title = film.title();
  const auto& prefixes = shop_.films.prefixes();
  const int64_t slots = std::min<int64_t>(shop_.films.counts().total, static_cast<int64_t>(prefixes.size()));
  records::FilmRecord other;
  for (int64_t slot = 0; slot < slots && title.size() >= 2; ++slot) {
    if (prefixes[slot][0] != title[0] || prefixes[slot][1] != title[1]) continue;
    if (shop_.films.read_slot(slot, other) != records::ReadResult::Ok) break;
    if (other.number() <= 0 || other.on_loan_to() != 0) continue;
    if (other.title().compare(0, title.size(), title) != 0) continue;
    shop_.op().message(u"Rental item is on loan", text::format("Alternative: %I64d, %s", {other.number(), other.title()}));
    return;
  }
  platform::problem(shop_.op(), u"Film is on loan");
}

bool RentalModel::previously_rented(int64_t number) const {
  const MemberRecord& m = shop_.member;
  for (int i = 0; i < MemberRecord::kHistory; ++i)
    if (m.previous_items(i) == number || m.older_items(i) == number) return true;
  return false;
}

// Steps 4 to 7 of adding: the item exists, is not already the member's and is in stock. The
// film is left in shop.film.
bool RentalModel::available(int64_t number, int first_empty) {
  auto slot = number > 0 ? shop_.films.index().find(number) : std::nullopt;
  if (!slot) {
    platform::problem(shop_.op(), text::format("Film %I64d does not exist", {number}));
    return false;
  }
  for (int s = 0; s < first_empty; ++s) {
    if (shop_.member.on_loan(s) == number) {
      platform::problem(shop_.op(), u"Rental item is on loan");
      return false;
    }
  }
  switch (shop_.films.read_slot(*slot, shop_.film)) {
    case records::ReadResult::Ok: break;
    case records::ReadResult::NotOpened:
      shop_.op().message(u"Fatal error", u"Data file: film.dat, not present.");
      return false;
    default:
      platform::problem(shop_.op(), u"Film.dat");
      return false;
  }
  if (shop_.film.on_loan_to() != 0) {
    show_alternative(shop_.film);
    return false;
  }
  if (previously_rented(number) &&
      shop_.op().message(u"Member has previously rented this item.", u"Continue?", platform::Buttons::OkCancel) ==
          platform::Answer::Cancel)
    return false;
  return true;
}

bool RentalModel::add_item(bool free, bool& finish) {
  MemberRecord& m = shop_.member;
  const records::ConfigBlock& c = shop_.config;
  int occupied = 0;
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) occupied += m.on_loan(s) != 0;
  const int32_t limit = c.i32(cfg::kItemsPerCustomer);
  if (limit != 0 && occupied >= limit) {
    shop_.op().message(u"LIMIT REACHED", text::format("%d items", {limit}));
    return false;
  }
  const int slot = m.free_loan_slot();
  if (slot < 0) {
    shop_.op().message(u"LIMIT OF 100 FILMS", u"TOTAL REACHED");
    return false;
  }
  auto number = ask_item_number(finish);
  if (!number || !available(*number, slot)) return false;
  const records::FilmRecord& film = shop_.film;
  const int band = film.charge_band();

  m.set_on_loan(slot, *number);
  const int64_t d = text::parse_int64(days_text_);
  if (d >= 1 && d <= 179) rental_days_ = d;

  int free_before = 0;
  for (int s = 0; s < MemberRecord::kLoanSlots; ++s) free_before += new_[s] && free_[s];
  const int n = new_items() + 1;
  bool priced = false;
  if (!free && !mode_.is_offer()) {
    if (credits_cover(m.rental_credits(), n, free_before)) {
      credits_text_ = text::format("%d", {--credits_shown_});
    } else {
      if (any_tax_active(c)) sub_total_ = read_money(sub_total_text_);
      price_item(c, ctx_.offers, mode_, band, rental_days_, n, sub_total_);
      priced = true;
    }
  }

  const text::DateTime now = shop_.now();
  const text::u16 stamp = text::make_stamp(now);
  m.set_on_loan_rented(slot, stamp);
  if (mode_.is_day_return()) {
    m.set_on_loan_due(slot, stamp);
  } else {
    int64_t days = rental_days_;
    if (days_from_band(c, mode_)) {
      days = rental_days(c, band, mode_, rental_days_);
      days_text_ = text::format("%I64d", {days});
    }
    days = extend_for_closed_day(c, shop_.started.weekday, days);
    m.set_on_loan_due(slot, text::due_date(now, static_cast<int>(days)));
  }

  new_[slot] = true;
  free_[slot] = free;
  items_.push_back(item_line(*number, film.title()));
  if (priced) put_sub_total(sub_total_);
  notify();
  return true;
}

void RentalModel::sell_retail() {
  if (!ctx_.retail) return;
  const StockSaleResult sale = sell_stock(shop_, *ctx_.retail, true);
  if (sale.sold) {
    money_.sundries += sale.total;
    money_.sundries_sub_total += sale.sub_total;
    money_.sundries_tax1 += sale.tax1;
    money_.sundries_tax2 += sale.tax2;
    SaleReceipt& r = money_.sundries_receipt;
    r.items.insert(r.items.end(), sale.receipt.items.begin(), sale.receipt.items.end());
    r.tax1 += sale.receipt.tax1;
    r.tax2 += sale.receipt.tax2;
    r.total += sale.receipt.total;
    r.member = sale.receipt.member;
    sundries_text_ = text::format("%.2f", {money_.sundries});
  }
  notify();
}

std::optional<RentalEnd> RentalModel::amend_or_owe() {
  AmendInput in;
  in.total = read_money(total_text_);
  in.previous_rentals = previous_rentals_;
  in.has_new_item = new_items() > 0;
  const float takings_before = shop_.config.takings_today();
  const AmendResult r = counter::amend_or_owe(shop_, ctx_.amend, ctx_.amounts, money_, in);
  switch (r.outcome) {
    case AmendOutcome::CloseAsCancel: return RentalEnd::Cancel;
    case AmendOutcome::Back: return std::nullopt;
    case AmendOutcome::Finished:
      amend_total_ = r.total;
      takings_before_amend_ = takings_before;
      return RentalEnd::AmendFinished;
  }
  return std::nullopt;
}

std::optional<RentalEnd> RentalModel::finish() {
  // A mistyped total must not quietly become a rental for nothing.
  if (total_typed() && !read_amount(total_text_)) {
    shop_.warn();
    platform::problem(shop_.op(), u"Invalid amount");
    return std::nullopt;
  }
  return RentalEnd::Finish;
}

int band_counter_element(int band, bool day_return) {
  if (day_return || band < 1 || band > 9) return 9;
  return band;
}

bool expiry_passed(text::u16view expiry, const text::DateTime& today) {
  if (expiry.size() < 10 || expiry[2] != u'/' || expiry[5] != u'/') return false;
  const int day = static_cast<int>(text::parse_int64(expiry.substr(0, 2)));
  const int month = static_cast<int>(text::parse_int64(expiry.substr(3, 2)));
  const int year = static_cast<int>(text::parse_int64(expiry.substr(6)));
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1) return false;
  if (year != today.year) return year < today.year;
  if (month != today.month) return month < today.month;
  return day < today.day;
}

}  // namespace kelvo::counter
