#pragma once
// A quick operator at the counter, scripted: prompts answered from a queue, the items of a
// rental typed one after the other, every item of a return selected, arrears and late fees
// paid in cash, every other screen cancelled. Shared by the rental benchmark and the crash test.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "catalogue/catalogue_views.h"
#include "counter/payment.h"
#include "counter/payment_views.h"
#include "counter/pricing.h"
#include "counter/rental.h"
#include "counter/return_transaction.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/config_layout.h"
#include "records/shop.h"
#include "shop_generator.h"
#include "text/format.h"

namespace kelvo::bench {

class QueueOperator : public platform::Operator {
 public:
  std::deque<text::u16> typed;
  int messages = 0;  // a scripted run expects none: each one is a broken premise
  text::u16 last_message;
  platform::Answer answer = platform::Answer::Ok;
  std::function<void()> on_message;  // run while the message is shown
  platform::Answer message(text::u16view, text::u16view body, platform::Buttons) override {
    ++messages;
    if (on_message) on_message();
    last_message = text::u16(body);
    return answer;
  }
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override {
    if (typed.empty()) return std::nullopt;
    platform::PromptAnswer a{typed.front(), false, {}};
    typed.pop_front();
    return a;
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return std::nullopt; }
  void warn() override {}
  void activity(text::u16view) override {}
};

class Screens : public counter::RentalScreen,
                public counter::ArrearsScreen,
                public counter::MemberCreditScreen,
                public counter::AmendOweScreen,
                public counter::AmountScreen,
                public counter::CashTenderedScreen,
                public counter::ReturnScreen,
                public counter::ArrearsOverdueScreen,
                public counter::TotalDueScreen,
                public catalogue::CatalogueViews {
 public:
  explicit Screens(QueueOperator& op) : op_(op) {}
  std::vector<int64_t> items;
  counter::RentalEnd run_rental(counter::RentalModel& m) override {
    for (int64_t n : items) {
      op_.typed.push_back(text::format("%I64d", {n}));
      m.add_items(false);
    }
    return counter::RentalEnd::Finish;
  }
  std::optional<counter::ArrearsChoice> choose_arrears(const counter::ArrearsView&) override {
    return counter::ArrearsChoice::TotalPaid;
  }
  std::optional<counter::CreditChoice> choose_credit(const counter::MemberCreditView&) override { return std::nullopt; }
  std::optional<counter::AmendChoice> choose_amend(float) override { return std::nullopt; }
  std::optional<counter::AmountFigures> ask_amount(text::u16view) override { return std::nullopt; }
  void show_cash_tendered(counter::CashTenderedModel&) override {}
  bool choose_returns(counter::ReturnModel& model) override {
    for (size_t i = 0; i < model.lines().size(); ++i) model.select(i, true);
    return true;
  }
  counter::RefundChoice return_complete(bool) override { return counter::RefundChoice::Ok; }
  counter::OverdueChoice choose_overdue(const counter::ArrearsOverdueView&) override { return counter::OverdueChoice::Paid; }
  std::optional<counter::TotalDueChoice> choose_total_due(text::u16view) override { return std::nullopt; }
  catalogue::MatchChoice offer_film(const records::FilmRecord&) override { return catalogue::MatchChoice::Cancel; }
  catalogue::MatchChoice offer_member(const records::MemberRecord&) override { return catalogue::MatchChoice::Cancel; }
  void show_film(const records::FilmRecord&) override {}
  void show_member(const records::MemberRecord&) override {}
  catalogue::ListAnswer show_list_page(text::u16view, const std::vector<catalogue::ListRow>&, bool) override {
    return catalogue::ListAnswer::Cancel;
  }
  void show_multicopy(const catalogue::MulticopyResult&) override {}

 private:
  QueueOperator& op_;
};

// The customer of the rental benchmarks: a member who owes and holds nothing, from the second
// half of the file, and the first five films in stock from the middle of it that the member
// never had. False when the shop has none.
inline bool choose_idle_member_and_films(const records::Shop& shop, int64_t& member, records::MemberRecord& m,
                                         std::vector<records::FilmRecord>& films) {
  for (const auto& e : shop.members.index().entries()) {
    if (e.number <= 0 || shop.members.read_slot(e.slot, m) != records::ReadResult::Ok) continue;
    if (m.owed() == 0 && m.on_loan_flag() == 0 && m.category() == 1 && m.rental_credits() == 0 &&
        shop.members.counts().total / 2 < e.slot) {
      member = e.number;
      break;
    }
  }
  const auto& entries = shop.films.index().entries();
  for (size_t i = entries.size() / 2; i < entries.size() && films.size() < 5; ++i) {
    records::FilmRecord f;
    if (entries[i].number <= 0 || shop.films.read_slot(entries[i].slot, f) != records::ReadResult::Ok) continue;
    if (f.on_loan_to() != 0) continue;
    bool seen_before = false;
    for (int h = 0; h < records::MemberRecord::kHistory; ++h) seen_before |= m.previous_items(h) == f.number();
    if (!seen_before) films.push_back(f);
  }
  return member != 0 && films.size() == 5;
}

// The counter of the rental benchmarks and its customer: the shop is opened by the benchmark
// (on a folder or on a database), then choose() picks the customer as above, with the automatic
// offer of items off (the scripted screens take no offer).
struct ScriptedCustomer {
  ScriptedCustomer() : clock(generated_shop_day()), screens(op) {}
  bool choose() {
    shop->config.set_i64(records::cfg::kAutoOfferOff, 2);
    const bool found = choose_idle_member_and_films(*shop, member, m, films);
    for (const auto& f : films) screens.items.push_back(f.number());
    return found;
  }
  bool rent() {
    op.messages = 0;
    op.typed = {text::format("%I64d", {member})};
    const counter::RentalContext ctx{screens, screens, screens, screens, screens, screens, screens, till,
                                     offers,  records::AccessState::Unrestricted, {}};
    const auto result = counter::rent(*shop, ctx, counter::RentalRequest{});
    return result.finished && result.items == 5 && op.messages == 0;
  }
  // Twelve days later, every item back with its late fees paid in cash.
  bool return_late() {
    op.messages = 0;
    clock.set(late_day);
    const counter::ReturnContext ctx{screens, screens, screens, till, records::AccessState::Unrestricted};
    const bool back = counter::return_items(*shop, ctx, films.front().number()) == member;
    clock.set(generated_shop_day());
    return back && op.messages == 0;
  }
  // The member and the films as they were, so that every iteration does the same work.
  bool put_back() {
    op.messages = 0;
    for (const auto& f : films) shop->films.write_slot(*shop->films.index().find(f.number()), f);
    shop->members.write_slot(*shop->members.index().find(member), m);
    return op.messages == 0;
  }

  QueueOperator op;
  platform::FixedClock clock;
  text::DateTime late_day = [] {
    text::DateTime d = generated_shop_day();
    for (int i = 0; i < 12; ++i) d = text::next_day(d);
    return d;
  }();
  platform::EnglishLocale locale;
  Screens screens;
  counter::NoTill till;
  counter::OfferState offers;
  std::unique_ptr<records::Shop> shop;
  int64_t member = 0;
  records::MemberRecord m;
  std::vector<records::FilmRecord> films;
};

}  // namespace kelvo::bench
