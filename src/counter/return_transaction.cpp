// The return at the counter, in the order the counter has always done it: the item entered,
// the member checked against the film file, the selection, the release of each item, the
// money, the member written, the refund, the reservation notices and the activity lines.
#include "counter/return_transaction.h"

#include <fcntl.h>
#include <unistd.h>

#include "records/commit.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/calendar.h"
#include "text/format.h"

namespace kelvo::counter {

namespace cfg = records::cfg;

void ReturnModel::toggle(size_t row) {
  if (row < lines_.size()) lines_[row].selected = !lines_[row].selected;
}

void ReturnModel::select(size_t row, bool on) {
  if (row < lines_.size()) lines_[row].selected = on;
}

size_t ReturnModel::selected_count() const {
  size_t n = 0;
  for (const auto& l : lines_) n += l.selected ? 1 : 0;
  return n;
}

namespace {

constexpr char16_t kBlankReturnDate[] = u"               ";  // 15 blanks: back in stock

// What one return carries from the release of the items to the log, the notices and the pane.
struct Returned {
  std::vector<text::u16> items;   // "%I64d, %s" of each item released from the film file
  std::vector<text::u16> titles;  // their titles, for the reservation notices
  std::vector<OverdueLine> overdue;
  float fee = 0;                  // F
  int taken_off_member = 0;       // loans cleared on the member, mismatches included
  std::vector<int64_t> counted;   // every item taken off the member, for the day's counters
  std::vector<records::FilmRecord> films;  // the released films, to be written back
};

text::u16 join(std::initializer_list<text::u16> parts, text::u16view separator) {
  text::u16 out;
  for (const auto& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += separator;
    out += p;
  }
  return out;
}

text::u16 item_text(int64_t number, text::u16view title) { return text::format("%I64d, %s", {number, title}); }

// The overdue rate of a band in pence per day; a band outside 1 to 8 has none, rather than
// reading some unrelated setting as a rate.
int64_t overdue_rate(const records::ConfigBlock& config, int band) {
  if (band < 1 || band > 8) return 0;
  return config.i64(cfg::overdue_rate(band));
}

// Whether a file can be opened the way the return will use it. Nothing is written.
bool can_open(const std::filesystem::path& file, int flags) {
  int fd = records::open_regular(file, flags);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// film.dat, member.dat and the log must all be there before the first record changes: a return
// that stopped half-way would leave the film file and the member file telling different stories.
bool files_ready(records::Shop& shop) {
  if (!can_open(shop.films.file(), O_RDWR)) {
    shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
    return false;
  }
  if (!can_open(shop.members.file(), O_RDWR)) {
    shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
    return false;
  }
  if (!can_open(shop.path(records::files::kLog), O_WRONLY | O_APPEND | O_CREAT)) {
    shop.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
    return false;
  }
  return true;
}

// Steps 1 and 2: the item entered, found and on loan; loaded in shop.film.
std::optional<int64_t> entered_item(records::Shop& shop, int64_t item) {
  if (item == 0) {
    auto typed = shop.op().prompt(u"Return item number:", {});
    if (!typed) return std::nullopt;
    item = text::parse_int64(typed->text);
  }
  if (item <= 0 || item > records::kMaxNumber) return std::nullopt;
  if (!shop.films.index().contains(item)) {
    shop.warn();
    platform::problem(shop.op(), u"Film does not exist");
    return std::nullopt;
  }
  if (!records::read_film(shop, item, shop.film)) return std::nullopt;
  if (shop.film.on_loan_to() == 0) {
    shop.warn();
    platform::problem(shop.op(), text::format("Film %I64d is not on loan", {item}));
    return std::nullopt;
  }
  return item;
}

// Step 3: the member the film names, who must hold the item. When not, the film alone is put
// right; the member file is not touched.
bool member_holds(records::Shop& shop, int64_t item) {
  const int64_t holder = shop.film.on_loan_to();
  const bool on_file = holder > 0 && shop.members.index().contains(holder);
  if (on_file && !records::read_member(shop, holder, shop.member)) return false;  // unreadable: reported
  if (on_file && shop.member.loan_slot_of(item) >= 0) return true;
  shop.film.set_on_loan_to(0);
  if (records::rewrite_film(shop, shop.film)) platform::problem(shop.op(), u"Internal file mismatch. Corrected");
  return false;
}

// Step 4: the "RETURN" screen's model, one line per occupied loan in slot order.
ReturnModel make_model(records::Shop& shop, int64_t item, std::vector<int>& slots) {
  const records::MemberRecord& m = shop.member;
  ReturnModel model;
  model.member = m.number();
  model.name = join({m.title(), m.initial(), m.name()}, u" ");
  model.address = join({m.road(), m.area(), m.town(), m.post_code()}, u", ");
  model.telephone = join({m.telephone1(), m.telephone2()}, u", ");
  model.join_date = m.join_date();
  model.comment1 = m.comment1();
  model.comment2 = m.comment2();
  model.transaction_charge = text::format("%.2f", {m.transaction_amount()});
  const bool select_all = shop.config.i32(cfg::kSelectAllOnReturn) == 2;
  for (int s = 0; s < records::MemberRecord::kLoanSlots; ++s) {
    const int64_t number = m.on_loan(s);
    if (number == 0) continue;
    records::FilmRecord f;
    const text::u16 title = records::read_film(shop, number, f) ? f.title() : text::u16();
    const text::u16 rented = m.on_loan_rented(s);
    ReturnLine line;
    line.item = number;
    line.text = item_text(number, title) + u"    " + (rented.size() > 5 ? rented.substr(5) : text::u16());
    line.selected = select_all || number == item;
    model.add_line(std::move(line));
    slots.push_back(s);
  }
  return model;
}

// The member's side of one returned loan: the slot cleared and the loan pushed into the
// history, with the stamp it was rented at.
void take_off_member(records::MemberRecord& m, int slot, text::u16view rented, text::u16view now) {
  const int64_t item = m.on_loan(slot);
  m.set_on_loan(slot, 0);
  m.set_last_returned(now);
  constexpr int last = records::MemberRecord::kHistory - 1;
  for (int i = 0; i < last; ++i) m.set_older_items(i, m.older_items(i + 1));
  m.set_older_items(last, m.previous_items(0));
  for (int i = 0; i < last; ++i) {
    m.set_previous_items(i, m.previous_items(i + 1));
    m.set_previous_rented(i, m.previous_rented(i + 1));
    m.set_previous_returned(i, m.previous_returned(i + 1));
  }
  m.set_previous_items(last, item);
  m.set_previous_rented(last, rented);
  m.set_previous_returned(last, now);
}

void count_return(records::ConfigBlock& config, int64_t item) {
  constexpr int kKept = 18;
  for (int i = 0; i < kKept - 1; ++i)
    config.set_i64(cfg::kLastReturnedItems + 8 * i, config.i64(cfg::kLastReturnedItems + 8 * (i + 1)));
  config.set_i64(cfg::kLastReturnedItems + 8 * (kKept - 1), item);
  config.set_i64(cfg::kReturnsToday, config.i64(cfg::kReturnsToday) + 1);
}

// Step 5 for one selected line, in memory: the film released, the member's loan taken off.
// False when the film could not be read: that item and the later ones stay on loan.
bool release(records::Shop& shop, int64_t item, int slot, Returned& out) {
  records::MemberRecord& m = shop.member;
  const text::u16 now = text::make_stamp(shop.now());
  records::FilmRecord f;
  const bool on_file = shop.films.index().contains(item);
  if (on_file && !records::read_film(shop, item, f)) return false;
  text::u16 rented = m.on_loan_rented(slot);
  if (on_file && f.on_loan_to() == m.number()) {
    const int d = text::days_overdue(shop.now(), f.return_date(), shop.config.return_deadline());
    if (d > 0) {
      const float fee = static_cast<float>(d * overdue_rate(shop.config, f.charge_band())) * 0.01f;
      f.set_revenue(f.revenue() + fee);
      out.fee += fee;
      out.overdue.push_back({item_text(item, f.title()), text::format("%.2f", {fee})});
    }
    f.set_on_loan_to(0);
    f.set_return_date(kBlankReturnDate);
    out.films.push_back(f);
    out.items.push_back(item_text(item, f.title()));
    out.titles.push_back(f.title());
    if (!f.last_hire().empty()) rented = f.last_hire();
  } else {
    // The film is gone or names someone else: it is left as it is, and only the member's
    // loan is put right (with the member's own rental stamp, not the other loan's).
    platform::problem(shop.op(), u"Internal file mismatch, corrected.");
  }
  take_off_member(m, slot, rented, now);
  out.counted.push_back(item);
  ++out.taken_off_member;
  return true;
}

void log_return(records::Shop& shop, const Returned& r) {
  const records::MemberRecord& m = shop.member;
  text::u16 entry = records::log_prefix(shop.now()) + u"  Return";
  entry += text::format("\r\nMember %I64d, %s", {m.number(), m.name()});
  for (const auto& item : r.items) entry += text::format("\r\nFilm: %s", {item});
  entry += records::operator_trailer(shop.config);
  records::append_log_or_report(shop, entry);
}

// Step 8: "Return complete" and the refund, asked again after an amount that is not positive.
void offer_refund(records::Shop& shop, const ReturnContext& ctx) {
  records::MemberRecord& m = shop.member;
  const bool cash_offered = records::may_use(shop.config, ctx.access, records::Flag::RentalRefund);
  for (;;) {
    const RefundChoice choice = ctx.screen.return_complete(cash_offered);
    if (choice == RefundChoice::Ok || (choice == RefundChoice::CashRefund && !cash_offered)) return;
    auto typed = shop.op().prompt(u"Amount to refund:", {});
    if (!typed) return;
    const auto amount = read_amount(typed->text);
    if (!amount || *amount <= 0) {
      shop.warn();
      platform::problem(shop.op(), u"Amount must be positive");
      continue;
    }
    records::Commit commit(shop);
    const float owed_before = m.owed();
    if (choice == RefundChoice::CashRefund) {
      shop.config.set_takings_today(shop.config.takings_today() - *amount);
      shop.config.set_f32(cfg::kCashRefundsToday, shop.config.f32(cfg::kCashRefundsToday) + *amount);
    } else {
      // A credit the member file did not take was not given.
      const float before = m.owed();
      m.set_owed(before - *amount);
      if (!records::rewrite_member(shop, m)) {
        m.set_owed(before);
        return;
      }
      shop.config.set_f32(cfg::kCreditRefundsToday, shop.config.f32(cfg::kCreditRefundsToday) + *amount);
    }
    text::u16 entry = records::log_prefix(shop.now()) + u"  Refund on return";
    entry += text::format("\r\nMember: %I64d %s %s %s    %.2f", {m.number(), m.title(), m.initial(), m.name(), *amount});
    entry += records::operator_trailer(shop.config);
    records::append_log_or_report(shop, entry);
    shop.save_config();
    if (!commit.finish()) m.set_owed(owed_before);
    return;
  }
}

// Step 9: today's reservations whose item text is a returned title, letter for letter.
void notify_reservations(records::Shop& shop, const std::vector<text::u16>& titles) {
  constexpr size_t kDaySize = 29092, kCount = 804, kStates = 4, kItems = 12932, kItemWidth = 80;
  constexpr int kEntries = 200;
  if (shop.config.i64(cfg::kNotifyOnReturn) == 0) return;
  std::vector<uint8_t> day(kDaySize);
  if (records::read_at(shop.path(records::files::kReservations), 0, day.data(), kDaySize) !=
      static_cast<long long>(kDaySize)) {
    shop.op().message(u"Fatal error", u"Unable to open resn.dat in WM_CREATE.");
    return;
  }
  if (text::get_i32(&day[kCount]) == 0) return;
  for (int e = 0; e < kEntries; ++e) {
    if (text::get_i32(&day[kStates + 4 * e]) == 0) continue;
    const text::u16 wanted = text::get_text(&day[kItems + kItemWidth * e], kItemWidth);
    for (const auto& title : titles)
      if (title == wanted) shop.op().message(u"Film reserved", title);
  }
}

void tell_activity(records::Shop& shop, const Returned& r) {
  const text::DateTime now = shop.now();
  for (const auto& item : r.items) shop.op().activity(text::format("Film: %s", {item}));
  shop.op().activity(text::format("returned at %d:%02d", {now.hour, now.minute}));
  shop.op().activity(text::format("Member %I64d, %s", {shop.member.number(), shop.member.name()}));
  shop.op().activity(u"  ");
}

}  // namespace

int64_t return_items(records::Shop& shop, const ReturnContext& ctx, int64_t item) {
  const decltype(shop.films)::HeldOpen films(shop.films);
  const decltype(shop.members)::HeldOpen members(shop.members);
  auto entered = entered_item(shop, item);
  if (!entered || !member_holds(shop, *entered)) return 0;

  std::vector<int> slots;
  ReturnModel model = make_model(shop, *entered, slots);
  if (!ctx.screen.choose_returns(model)) return 0;
  if (!files_ready(shop)) return 0;

  Returned r;
  const records::MemberRecord member_before = shop.member;
  for (size_t i = 0; i < model.lines().size(); ++i) {
    if (!model.lines()[i].selected) continue;
    if (!release(shop, model.lines()[i].item, slots[i], r)) break;
  }
  // The member goes to disk before the films. A film that then fails to be written still names
  // the member, and its next return frees it as a mismatch; the other way round the member
  // would hold an item the film file has in stock, which no return can reach.
  shop.member.refresh_on_loan_flag();
  // The release, its log entry and the settlement are stored together or not at all: a return
  // cut short during the settlement screens is a return that has not yet happened.
  records::Commit commit(shop);
  if (r.taken_off_member > 0 && !records::rewrite_member(shop, shop.member)) {
    shop.member = member_before;
    return 0;
  }
  for (const auto& f : r.films) records::rewrite_film(shop, f);  // a failure is reported there
  for (int64_t item : r.counted) count_return(shop.config, item);

  // The items are logged as returned whether or not money follows: the settlement's own entry
  // names no items.
  if (!r.items.empty()) log_return(shop, r);
  if (r.fee != 0 || shop.member.owed() > 0) {
    shop.warn();
    settle_return(shop, ctx.overdue, ctx.total_due, ctx.till, ctx.access, r.overdue, r.fee);
  }
  shop.member.refresh_on_loan_flag();
  records::rewrite_member(shop, shop.member);
  shop.save_config();
  if (!commit.finish()) {
    shop.member = member_before;
    return 0;
  }

  if (r.items.empty()) return r.taken_off_member > 0 ? shop.member.number() : 0;
  offer_refund(shop, ctx);
  notify_reservations(shop, r.titles);
  tell_activity(shop, r);
  return shop.member.number();
}

}  // namespace kelvo::counter
