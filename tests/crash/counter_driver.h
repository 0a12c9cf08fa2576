#pragma once
// Rentals and returns through the counter's own flows on a generated shop, with every screen
// answered the way a quick operator would: five items rented, all of them brought back, late
// fees paid in cash. Used by the crash test in a child process that is killed at any moment.
#include <deque>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "scripted_counter.h"
#include "counter/rental.h"
#include "counter/return_transaction.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "records/config_layout.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::crash {

using bench::QueueOperator;
using bench::Screens;

// One counter on one shop folder, opened as the program opens it at start.
class Counter {
 public:
  Counter(const std::filesystem::path& folder, text::DateTime day)
      : clock_(day), screens_(op_), shop_(std::make_unique<records::Shop>(folder, op_, clock_, locale_)) {}

  bool open() {
    if (!records::open_data(*shop_, records::OpenMode::Counter)) return false;
    // Offers would ask questions of their own; the quick operator never takes one.
    shop_->config.set_i64(records::cfg::kAutoOfferOff, 2);
    return true;
  }
  records::Shop& shop() { return *shop_; }
  platform::FixedClock& clock() { return clock_; }
  QueueOperator& op() { return op_; }
  Screens& screens() { return screens_; }
  counter::Till& till() { return till_; }

  // Five items in stock to a member who holds nothing; the member's number, 0 when none fits.
  int64_t rent_five(std::mt19937& rng) {
    const int64_t member = member_for_five(rng);
    if (member == 0) return 0;
    op_.typed = {text::format("%I64d", {member})};
    const counter::RentalContext ctx{screens_, screens_, screens_, screens_, screens_, screens_, screens_,
                                     till_,    offers_,  records::AccessState::Unrestricted, {}};
    return counter::rent(*shop_, ctx, counter::RentalRequest{}).finished ? member : 0;
  }

  // Every item of the member back, through the return of one of them with all selected.
  bool return_all(int64_t member) {
    records::MemberRecord m;
    if (!records::read_member(*shop_, member, m) || m.on_loan(0) == 0) return false;
    const counter::ReturnContext ctx{screens_, screens_, screens_, till_, records::AccessState::Unrestricted};
    return counter::return_items(*shop_, ctx, m.on_loan(0)) == member;
  }

 private:
  // The quick operator's looking around: a member who holds nothing, with five items in stock
  // left on the screen. The files stay open while it looks, as they do for the counter's own
  // searches; reopened for each of the dozens of records looked at, the looking cost a counter
  // on a database more of its processor than the rental it chose.
  int64_t member_for_five(std::mt19937& rng) {
    const decltype(shop_->films)::HeldOpen films(shop_->films);
    const decltype(shop_->members)::HeldOpen members_open(shop_->members);
    const auto& members = shop_->members.index().entries();
    for (int tries = 0; tries < 200; ++tries) {
      const auto& e = members[rng() % members.size()];
      records::MemberRecord m;
      if (e.number <= 0 || shop_->members.read_slot(e.slot, m) != records::ReadResult::Ok) continue;
      if (m.on_loan_flag() != 0 || m.category() != 1 || m.owed() != 0) continue;
      screens_.items = films_in_stock(rng, m);
      if (screens_.items.size() >= 5) return e.number;
    }
    return 0;
  }

  std::vector<int64_t> films_in_stock(std::mt19937& rng, const records::MemberRecord& m) {
    std::vector<int64_t> out;
    const auto& films = shop_->films.index().entries();
    for (int tries = 0; tries < 400 && out.size() < 5; ++tries) {
      const auto& e = films[rng() % films.size()];
      records::FilmRecord f;
      if (e.number <= 0 || shop_->films.read_slot(e.slot, f) != records::ReadResult::Ok || f.on_loan_to() != 0) continue;
      bool seen = std::find(out.begin(), out.end(), e.number) != out.end();
      for (int h = 0; h < records::MemberRecord::kHistory; ++h) seen |= m.previous_items(h) == e.number;
      if (!seen) out.push_back(e.number);
    }
    return out;
  }

  QueueOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  Screens screens_;
  counter::NoTill till_;
  counter::OfferState offers_;
  std::unique_ptr<records::Shop> shop_;
};

}  // namespace kelvo::crash
