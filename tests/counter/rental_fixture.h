#pragma once
// A shop with a member and a few films on file, the settlement screens and the "RENTAL"
// screen answered from a script.
#include <functional>
#include <string>

#include "counter/rental.h"
#include "payment_fixture.h"
#include "records/data_opening.h"

namespace kelvo::renttest {

namespace cfg = records::cfg;
using counter::RentalEnd;
using counter::RentalModel;
using paytest::Counters;

// The rental screen as a script: the test's function plays the person at the screen.
class ScriptedRentalScreen : public counter::RentalScreen {
 public:
  std::function<RentalEnd(RentalModel&)> script = [](RentalModel&) { return RentalEnd::Cancel; };
  std::vector<counter::RentalHeader> headers;
  RentalEnd run_rental(RentalModel& model) override {
    headers.push_back(model.header());
    return script(model);
  }
};

class RentalTest : public paytest::PaymentTest {
 protected:
  void SetUp() override {
    PaymentTest::SetUp();
    auto& c = shop_.config;
    c.set_operator_name(1, u"Alice");
    c.set_i32(cfg::band_price(1), 300);
    c.set_i32(cfg::band_price(2), 150);
    c.set_i32(cfg::kDayReturnPrice, 100);
    c.set_i64(cfg::kDefaultRentalDays, 3);
    c.set_i64(cfg::kRentalChargeRule, 1);  // once per rental
    c.set_i64(cfg::kAutoOfferOff, 2);      // each item asked for by the script
    add(8, u"Heat", 2);
    add(9, u"Alien", 1);
    op_.messages.clear();
    op_.activity_lines.clear();
  }
  void add(int64_t n, std::u16string title, int band) {
    auto f = cattest::film(n, std::move(title), band);
    ASSERT_TRUE(records::add_film(shop_, f));
  }
  counter::RentalContext context() {
    return counter::RentalContext{views_,  screen_,       screens_, screens_, screens_, screens_,
                                  screens_, screens_, offers_,  access_,  {}};
  }
  // Rents to member 42 typed at the member prompt.
  counter::RentalResult rent(counter::RentalMode mode = counter::RentalMode::normal()) {
    op_.type(u"42");
    return counter::rent(shop_, context(), counter::RentalRequest{mode, 0});
  }
  // The screen adds these items one by one, then closes with `end`.
  void items(std::vector<std::u16string> typed, RentalEnd end = RentalEnd::Finish) {
    screen_.script = [this, typed, end](RentalModel& m) {
      for (const auto& t : typed) {
        op_.type(t);
        EXPECT_FALSE(m.add_items(false).has_value());
      }
      return end;
    };
  }
  records::FilmRecord film_on_file(int64_t n) {
    records::FilmRecord f;
    EXPECT_TRUE(records::read_film(shop_, n, f));
    return f;
  }
  records::MemberRecord member_on_file() {
    records::MemberRecord m;
    EXPECT_TRUE(records::read_member(shop_, 42, m));
    return m;
  }
  template <class Change>
  void change_member(Change change) {
    records::MemberRecord m = member_on_file();
    change(m);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  template <class Change>
  void change_film(int64_t n, Change change) {
    records::FilmRecord f = film_on_file(n);
    change(f);
    ASSERT_TRUE(records::rewrite_film(shop_, f));
  }
  // The clock and the weekday the run started on move together.
  void today(text::DateTime t) {
    clock_.set(t);
    shop_.started = t;
  }
  bool saw(const std::string& caption, const std::string& body) const { return op_.saw(caption, body); }
  records::ConfigBlock stored_config() const {
    records::ConfigBlock c;
    EXPECT_TRUE(c.load(shop_.path(records::files::kConfig)));
    return c;
  }

  ScriptedRentalScreen screen_;
  counter::OfferState offers_;
  records::AccessState access_ = records::AccessState::Unrestricted;
};

}  // namespace kelvo::renttest
